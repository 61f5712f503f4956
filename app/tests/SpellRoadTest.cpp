// Spelling in the real program: the dictionary language is chosen in the Select dialog, and a
// text box's spelling is checked in place with the suggestions dialog answered by the user's
// keys and clicks; the page and the custom dictionary keep the result.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"
#include "app/tests/SpellingDialog.h"

#include "View/MyView.h"
#include "objects/kinds/TextOb.h"
#include "shell/SelectLanguageDlg.h"

#include <gtest/gtest.h>

#ifdef LEXIGARD_ENGLISH

namespace {

constexpr int kNew = 57600;

std::string Menu(int id) { return "menu " + std::to_string(id) + "\n"; }

using e2e::Contents;
using e2e::FirstSuggestion;

class SpellRoadTest : public e2e::RoadTest {};

// Client points of the suggestions dialog's buttons and of the Select dialog's first row and OK.
constexpr const char* kChange = e2e::kSpellingChange;
constexpr const char* kAdd = "click dialog 303 143\n";
constexpr const char* kFirstRow = "click dialog 50 34\n";
constexpr const char* kSelectOk = "click dialog 139 206\n";

TEST_F(SpellRoadTest, TheChosenDictionaryChecksATextBoxInPlace)
{
    UseEnglishDictionary("Rectivo.ReplaceText=0\nDictionary.CheckAfterUpdate=0\n");
    const std::string script = "wait 300\n" + Menu(CSelectLanguageDlg::CmdSelectLanguage) + "wait 300\n" + kFirstRow +
                               kSelectOk + "wait 200\n" + Menu(kNew) + Menu(CMyView::ToolText) +
                               "drag view 100 100 400 160\nwait 200\ntype blorp qick fox zorbly\nkey f7\nwait 300\n"
                               "key enter\nwait 200\n" + kChange + "wait 200\nanswer 1\n" + kAdd + "wait 300\n" +
                               Save("checked.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("box: Spelling check is complete."), std::string::npos) << run.log;
    EXPECT_NE(Contents(Path("config/Korvane/Vantrel Q8.ini")).find("Dictionary.Language=English\n"), std::string::npos);

    CMyView page;
    ASSERT_TRUE(e2e::ReadSavedPage(Path("checked.trn"), page));
    ASSERT_EQ(page.GetObjects().GetSize(), 1);
    auto* text = dynamic_cast<CTextOb*>(page.GetObjectAtIndex(0));
    ASSERT_NE(text, nullptr);
    const std::string changed = FirstSuggestion("qick");
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(std::string(text->Text), "blorp " + changed + " fox zorbly");
    EXPECT_EQ(Contents(Path("custom.dic")), "zorbly\r\n");
}

// The click that ends the text's editing opens the check; once it is answered, the next click
// is a click of its own, not the far corner of a band still pending from the first one, which
// would select the rectangle between them.
TEST_F(SpellRoadTest, TheCheckAfterEditingLeavesTheNextClickAlone)
{
    UseEnglishDictionary("Rectivo.ReplaceText=0\nDictionary.Language=English\nDictionary.CheckAfterUpdate=1\n");
    const std::string script = "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolRectangle) +
                               "drag view 250 300 350 350\nwait 200\n" + Menu(CMyView::ToolText) +
                               "drag view 100 100 400 160\nwait 200\ntype qick fox\nclick view 150 250\nwait 300\n" +
                               kChange + "wait 300\n" + Menu(CMyView::ToolEllipse) +
                               "drag view 450 300 550 400\nwait 200\nkey delete\nwait 200\n" + Save("clicked.trn") +
                               "quit\n";
    Play(script);

    CMyView page;
    ASSERT_TRUE(e2e::ReadSavedPage(Path("clicked.trn"), page));
    bool rectangle = false;
    CTextOb* text = nullptr;
    for (INT_PTR i = 0; i < page.GetObjects().GetSize(); ++i) {
        CRect place;
        page.GetObjectAtIndex(i)->GetRect(&place, nullptr);
        rectangle = rectangle || place == CRect(250, 300, 350, 350);
        text = text ? text : dynamic_cast<CTextOb*>(page.GetObjectAtIndex(i));
    }
    EXPECT_TRUE(rectangle) << "Delete took only the new ellipse";
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text->Text), FirstSuggestion("qick") + " fox") << "the check ran";
}

} // namespace

#endif
