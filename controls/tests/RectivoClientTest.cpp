// The auto-correction client on a real edit control and a small replacement list: the word a
// delimiter finishes is replaced, sentence starts are capitalised unless an abbreviation comes
// before, and the caret stays behind what the user typed.
#include "controls/RectivoClient.h"

#include "platform/sys/tests/TestFiles.h"
#include "platform/ui/Edit.h"
#include "platform/ui/tests/UiFixture.h"

#include <string>

namespace {

constexpr const char* kList = "[ReplaceWith]\n"
                              "teh=the\n"
                              "adn=and\n"
                              "same=same\n"
                              "[FirstLetterExceptions]\n"
                              "etc.=1\n"
                              "e.g.=1\n";

class RectivoClientTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        WriteText(m_path, kList);
        m_parent = MakeWindow(WS_OVERLAPPEDWINDOW, {0, 0, 300, 200});
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 280, 150),
                                  CWnd::FromHandle(m_parent), 9999));
        m_client.Open(m_path.c_str());
        m_client.SetReplaceText(1);
        m_client.SetCapitalizeSentence(1);
    }
    void TearDown() override
    {
        m_edit.DestroyWindow();
        UiTest::TearDown();
    }

    // The text as typed so far, with the caret at `caret` (its end when -1).
    void Typed(const char* text, int caret = -1)
    {
        m_edit.SetWindowText(text);
        const int at = caret < 0 ? static_cast<int>(std::string(text).size()) : caret;
        m_edit.SetSel(at, at);
    }
    std::string Text() const
    {
        CString text;
        m_edit.GetWindowText(text);
        return static_cast<const char*>(text);
    }
    int Caret() const { return HIWORD(m_edit.GetSel()); }

    TempFolder m_folder;
    std::string m_path = m_folder.Path() + "/English.acr";
    HWND m_parent = nullptr;
    CEdit m_edit;
    CRectivoClient m_client;
};

TEST_F(RectivoClientTest, TheWordADelimiterFinishesIsCorrected)
{
    struct Case {
        const char* typed;
        int caret;
        const char* expected;
        int expectedCaret;
    };
    const Case cases[] = {
        {"I saw teh ", -1, "I saw the ", 10},
        {"I saw teh cat", 10, "I saw the cat", 10},   // the text after the caret stays
        {"I saw tehh, ", 11, "I saw tehh, ", 11},     // not listed
        {"I saw teh  ", -1, "I saw teh  ", 11},       // a blank after a blank corrects nothing
        {"Cats adn, dogs", 9, "Cats and, dogs", 9},
        {"He left. the ", -1, "He left. The ", 13},
        {"He left.  teh ", -1, "He left.  The ", 14}, // replaced, then capitalised
        {"Gone etc. the ", -1, "Gone etc. the ", 14}, // an abbreviation
        {"See e.g. the ", -1, "See e.g. the ", 13},   // "g." is asked, and matches "e.g."
        {"Hello. world and the ", -1, "Hello. world and the ", 21},
        {"the ", -1, "The ", 4},                      // the first word of the text
        {"same ", -1, "Same ", 5},                    // a replacement equal to the word
    };
    for (const Case& c : cases) {
        Typed(c.typed, c.caret);
        m_client.CorrectTypedWord(&m_edit);
        EXPECT_EQ(Text(), c.expected) << c.typed;
        EXPECT_EQ(Caret(), c.expectedCaret) << c.typed;
    }
}

TEST_F(RectivoClientTest, WithReplaceTextOffNothingIsCorrected)
{
    m_client.SetReplaceText(0);
    Typed("teh ");
    m_client.CorrectTypedWord(&m_edit);
    EXPECT_EQ(Text(), "teh ");
}

TEST_F(RectivoClientTest, AWordEndingAtTheCaretIsCorrectedOnlyAsTheLastWord)
{
    Typed("ok. teh");
    m_client.CorrectTypedWord(&m_edit);
    EXPECT_EQ(Text(), "ok. teh");
    m_client.CorrectLastWord(&m_edit);
    EXPECT_EQ(Text(), "ok. The");
    EXPECT_EQ(Caret(), 7);
    Typed("x adn y", 5);
    m_client.CorrectLastWord(&m_edit);
    EXPECT_EQ(Text(), "x and y");
    EXPECT_EQ(Caret(), 5);
}

TEST_F(RectivoClientTest, WordHelpersFollowTheDelimiters)
{
    EXPECT_EQ(std::string(CRectivoClient::GetFinishedWord("a,,", 3).text), "");
    EXPECT_EQ(CRectivoClient::GetFinishedWord("one two;", 8).delimiter, ';');
    EXPECT_EQ(std::string(CRectivoClient::GetFinishedWord("one two;", 8).text), "two");
    EXPECT_EQ(std::string(CRectivoClient::GetFinishedWord("word", 0).text), "");
    EXPECT_EQ(std::string(CRectivoClient::GetLastWord("see e.g", 7)), "g");
    EXPECT_EQ(std::string(CRectivoClient::GetLastWord("one\rtwo", 7)), "one\rtwo") << "CR is no delimiter";
    int stop = -1;
    EXPECT_TRUE(CRectivoClient::IsAtSentenceStart("   x", 3, &stop));
    EXPECT_EQ(stop, 0);
    EXPECT_TRUE(CRectivoClient::IsAtSentenceStart("Go. x", 4, &stop));
    EXPECT_EQ(stop, 2);
    EXPECT_FALSE(CRectivoClient::IsAtSentenceStart("Go, x", 4, &stop));
}

// The leak checker fails this test when the object on the first list is kept.
TEST_F(RectivoClientTest, OpeningAgainTakesTheNewListAndLetsTheOldOneGo)
{
    const std::string second = m_folder.Path() + "/Other.acr";
    WriteText(second, "[ReplaceWith]\nteh=tea\n");
    m_client.Open(second.c_str());
    Typed("I saw teh ");
    m_client.CorrectTypedWord(&m_edit);
    EXPECT_EQ(Text(), "I saw tea ");
}

TEST_F(RectivoClientTest, AClientThatWasNeverOpenedCorrectsNothing)
{
    CRectivoClient unopened;
    unopened.SetReplaceText(1);
    unopened.SetCapitalizeSentence(1);
    Typed("teh ");
    unopened.CorrectTypedWord(&m_edit);
    EXPECT_EQ(Text(), "Teh ") << "without a list only the sentence start is capitalised";
}

} // namespace
