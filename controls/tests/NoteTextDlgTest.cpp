// The note text dialog: where it opens, what OK and Cancel do with the caller's text, and the
// read-only display.
#include "../../platform/ui/tests/UiFixture.h"

#include "controls/FlexSizeDialog.h"
#include "controls/NoteTextDlg.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiApi.h"

namespace {

class NoteTextDlgTest : public UiTest {
protected:
    CString text = "first\r\nsecond";

    static void SetUpTestSuite()
    {
        UiTest::SetUpTestSuite();
        DialogTemplate notes;
        notes.style = WS_POPUP | WS_CAPTION | WS_THICKFRAME;
        notes.cx = 220;
        notes.cy = 140;
        notes.items = {{"edit", "", CNotesEditDlg::EditId, WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 7, 7, 206, 106},
                       {"button", "OK", IDOK, WS_CHILD | WS_VISIBLE, 0, 110, 119, 50, 14},
                       {"button", "Cancel", IDCANCEL, WS_CHILD | WS_VISIBLE, 0, 163, 119, 50, 14}};
        RegisterDialogResource(CNotesEditDlg::TemplateId, notes);
    }
    void SetUp() override
    {
        UiTest::SetUp();
        CFlexSizeDialog::ClearSizeCache();
    }
};

TEST_F(NoteTextDlgTest, OpensCentredOnTheCursorEvenAtTheScreensEdge)
{
    for (POINT cursor : {POINT{400, 300}, POINT{2, 3}}) {
        ::SetCursorPos(cursor.x, cursor.y);
        CNotesEditDlg dialog(text, FALSE);
        ASSERT_TRUE(dialog.Create(CNotesEditDlg::TemplateId));
        CRect window;
        dialog.GetWindowRect(&window);
        EXPECT_LE(std::abs(window.CenterPoint().x - cursor.x), 1);
        EXPECT_LE(std::abs(window.CenterPoint().y - cursor.y), 1);
        dialog.DestroyWindow();
    }
}

TEST_F(NoteTextDlgTest, OkWritesTheEditedTextBackAndCancelKeepsIt)
{
    {
        CNotesEditDlg dialog(text, FALSE);
        ASSERT_TRUE(dialog.Create(CNotesEditDlg::TemplateId));
        CString shown;
        dialog.GetDlgItemText(CNotesEditDlg::EditId, shown);
        EXPECT_EQ(shown, text);
        dialog.SetDlgItemText(CNotesEditDlg::EditId, "changed");
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
        EXPECT_EQ(text, CString("first\r\nsecond"));
        dialog.DestroyWindow();
    }
    CNotesEditDlg dialog(text, FALSE);
    ASSERT_TRUE(dialog.Create(CNotesEditDlg::TemplateId));
    dialog.SetDlgItemText(CNotesEditDlg::EditId, "changed\r\ntwice");
    dialog.SendMessage(WM_COMMAND, IDOK);
    EXPECT_EQ(text, CString("changed\r\ntwice"));
    dialog.DestroyWindow();
}

TEST_F(NoteTextDlgTest, AReadOnlyNoteCannotBeEdited)
{
    CNotesEditDlg dialog(text, TRUE);
    ASSERT_TRUE(dialog.Create(CNotesEditDlg::TemplateId));
    EXPECT_TRUE(::GetWindowLongPtr(dialog.GetDlgItem(CNotesEditDlg::EditId)->GetSafeHwnd(), GWL_STYLE) & ES_READONLY);
    dialog.DestroyWindow();
}

}  // namespace
