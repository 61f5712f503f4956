// In-place text editing on a text box: how an edit starts (click, key, refusals), typing,
// commit and cancel with their undo steps, edit commands forwarded while editing, the
// auto-corrector's calls, and the spelling check with the English dictionary.
#include "EditViewFixture.h"

#include "View/HyperTextEdit.h"
#include "objects/kinds/RectGen.h"
#include "objects/kinds/TextGen.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

class RecordingCorrector : public CAutoCorrector {
public:
    explicit RecordingCorrector(std::vector<std::string>* calls) : m_calls(calls) { }
    void CorrectTypedWord(CWnd* edit) override { Record("typed", edit); }
    void CorrectLastWord(CWnd* edit) override { Record("last", edit); }

private:
    void Record(const char* kind, CWnd* edit)
    {
        CString text;
        edit->GetWindowText(text);
        m_calls->push_back(std::string(kind) + ":" + static_cast<const char*>(text));
    }
    std::vector<std::string>* m_calls;
};

class TextEditTest : public EditViewTest {
protected:
    void SetUp() override
    {
        EditViewTest::SetUp();
        text = new CTextGen;
        CRect rect(100, 100, 300, 160);
        text->Init(view, &rect, TRUE);
        text->Text = "Hello";
        LOGFONT font = text->Font.GetLogFont();
        font.lfHeight = -12;
        std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", "Sans");
        text->SetFont(&font);
        ASSERT_TRUE(view->AddObject(text, FALSE, TRUE));
        view->SelectOnly(0);
        view->UpdateWindow();
        Pump();
    }

    CHyperTextEdit& Edit() { return view->GetTextEdit(); }
    std::string EditText() { return static_cast<const char*>(Edit().GetText()); }
    void TypeToView(char ch) { view->SendMessage(WM_CHAR, static_cast<BYTE>(ch), 1); }
    void TypeToEdit(const char* chars)
    {
        for (const char* c = chars; *c; ++c)
            Edit().SendMessage(WM_CHAR, static_cast<BYTE>(*c), 1);
    }
    void KeyToEdit(UINT vk) { Edit().SendMessage(WM_KEYDOWN, vk, 1); }

    CTextGen* text = nullptr;
};

TEST_F(TextEditTest, ATypedLetterReplacesTheTextAndEnterCommitsItAsOneUndoStep)
{
    const int undoBefore = view->GetUndoCount();
    TypeToView('a');
    ASSERT_TRUE(Edit().IsEditing());
    EXPECT_EQ(EditText(), "a");
    EXPECT_EQ(HIWORD(Edit().GetSel()), 1);
    TypeToEdit("bc");
    KeyToEdit(VK_RETURN);
    EXPECT_FALSE(Edit().IsEditing());
    EXPECT_EQ(text->Text, CString("abc"));
    EXPECT_EQ(view->GetUndoCount(), undoBefore + 1);
    EXPECT_TRUE(doc->IsModified());
    view->Undo();
    EXPECT_EQ(static_cast<CTextOb*>(Object(0))->Text, CString("Hello"));
}

TEST_F(TextEditTest, KeysThatKeepTheTextOpenItWithTheCaretAtTheStart)
{
    for (UINT key : {UINT(VK_DELETE), UINT(VK_RETURN), UINT(VK_INSERT)}) {
        ASSERT_TRUE(Edit().BeginEdit(0, 0, text, key)) << key;
        EXPECT_EQ(EditText(), "Hello");
        EXPECT_EQ(HIWORD(Edit().GetSel()), 0);
        KeyToEdit(VK_ESCAPE);
    }
}

TEST_F(TextEditTest, RefusedStartsChangeNothing)
{
    EXPECT_FALSE(Edit().BeginEdit(0, 0, text, VK_TAB)) << "Tab";
    EXPECT_FALSE(Edit().BeginEdit(0, 0, text, VK_BACK)) << "a control character";
    EXPECT_FALSE(Edit().BeginEdit(0, 0, nullptr, 'a')) << "no object";
    EXPECT_FALSE(Edit().BeginEdit(5, 5, text, 0)) << "a click outside the text";
    CRect inside = text->m_textRect1;
    view->SetZoom(50);
    EXPECT_FALSE(Edit().BeginEdit(0, 0, text, 'a')) << "12 pixels at 50 % is too small";
    view->SetZoom(100);
    EXPECT_FALSE(Edit().IsEditing());
    EXPECT_TRUE(Edit().BeginEdit(inside.CenterPoint().x, inside.CenterPoint().y, text, 0)) << "a click into the text";
    EXPECT_EQ(EditText(), "Hello");
}

TEST_F(TextEditTest, EscapeAndUnchangedCommitsLeaveTheDocumentAsItWas)
{
    doc->SetModifiedFlag(FALSE);
    const int undoBefore = view->GetUndoCount();
    TypeToView('x');
    KeyToEdit(VK_ESCAPE);
    EXPECT_FALSE(Edit().IsEditing());
    EXPECT_EQ(text->Text, CString("Hello"));
    ASSERT_TRUE(Edit().BeginEdit(0, 0, text, VK_DELETE));
    KeyToEdit(VK_RETURN);
    EXPECT_EQ(text->Text, CString("Hello"));
    EXPECT_EQ(view->GetUndoCount(), undoBefore);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(TextEditTest, CtrlEnterBreaksTheLineOfAMultiLineTextAndCommitsAnyOther)
{
    auto* frameObject = new CRectGen;
    CRect rect(100, 300, 300, 400);
    frameObject->Init(view, &rect, TRUE);
    ASSERT_TRUE(view->AddObject(frameObject, FALSE, TRUE));
    for (CHyperOb* object : {static_cast<CHyperOb*>(text), static_cast<CHyperOb*>(frameObject)}) {
        ASSERT_TRUE(Edit().BeginEdit(0, 0, object, VK_DELETE));
        UiTestHook::KeyDown(VK_CONTROL);
        UiTestHook::KeyDown(VK_RETURN);
        Pump();
        UiTestHook::KeyUp(VK_RETURN);
        UiTestHook::KeyUp(VK_CONTROL);
        Pump();
        EXPECT_EQ(Edit().IsEditing(), object->AllowsMultiLineText()) << object->GetRuntimeClass()->m_lpszClassName;
        if (Edit().IsEditing())
            KeyToEdit(VK_ESCAPE);
    }
}

TEST_F(TextEditTest, TheEditShowsTheObjectsColours)
{
    text->BackColor = RGB(255, 255, 0);
    ASSERT_TRUE(Edit().BeginEdit(0, 0, text, VK_DELETE));
    Edit().Invalidate();
    Edit().UpdateWindow();
    Pump();
    EXPECT_EQ(UiTestHook::PixelAt(Edit().m_hWnd, {1, 1}), RGB(255, 255, 0));
}

TEST_F(TextEditTest, EditCommandsGoToTheControlAndOtherCommandsCommitFirst)
{
    ASSERT_TRUE(Edit().BeginEdit(0, 0, text, VK_DELETE));
    Edit().SetSel(0, 5);
    frame->SendMessage(WM_COMMAND, CHyperView::CmdDelete);
    EXPECT_TRUE(Edit().IsEditing());
    EXPECT_EQ(EditText(), "");
    EXPECT_EQ(ObjectCount(), 1) << "the object was not deleted";
    TypeToEdit("Bye");
    frame->SendMessage(WM_COMMAND, CHyperView::CmdGrid);
    EXPECT_FALSE(Edit().IsEditing());
    EXPECT_EQ(text->Text, CString("Bye"));
}

TEST_F(TextEditTest, TheCorrectorSeesEveryTypedCharacterAndTheLastWordAtTheEnd)
{
    std::vector<std::string> calls;
    Edit().SetAutoCorrector(std::make_unique<RecordingCorrector>(&calls));
    TypeToView('a');
    TypeToEdit(" b");
    KeyToEdit(VK_RETURN);
    const std::vector<std::string> expected = {"typed:a ", "typed:a b", "last:a b"};
    EXPECT_EQ(calls, expected);
}

TEST_F(TextEditTest, ASecondClickOnTheSelectedTextStartsEditingThere)
{
    CRect inside = text->m_textRect1;
    Click(inside.CenterPoint());
    EXPECT_TRUE(Edit().IsEditing());
    Click({500, 400});
    EXPECT_FALSE(Edit().IsEditing()) << "a click elsewhere commits";
}

#ifdef LEXIGARD_ENGLISH
TEST_F(TextEditTest, TheSpellingCheckStopsAtTheFirstUnknownWordWithTheEnglishDictionary)
{
    ASSERT_TRUE(Edit().OpenDictionary(LEXIGARD_ENGLISH, ""));
    ASSERT_TRUE(Edit().BeginEdit(0, 0, text, VK_DELETE));
    Edit().SetWindowText("This house is smple");
    Edit().SetSel(0, 0);
    EXPECT_FALSE(Edit().SpellCheck(FALSE));
    int start = 0, end = 0;
    Edit().GetSel(start, end);
    EXPECT_EQ(start, 14);
    EXPECT_EQ(end, 19);
    Edit().SetWindowText("This house is simple");
    Edit().SetSel(0, 0);
    EXPECT_TRUE(Edit().SpellCheck(FALSE));
}
#endif

} // namespace
