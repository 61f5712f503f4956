// The layers of the Properties dialog: a note's text is edited in the Notes dialog (read-only
// while its page is not being edited), the snap points of a generated group in the snap points
// dialog with a text per point, and pictures in the plain or the editable Edit Bitmap dialog.
#include "View/tests/edit/EditViewFixture.h"

#include "controls/AnchorSnapsPropDlg.h"
#include "controls/CatPropertiesDlg.h"
#include "controls/EditBitmapDlg.h"
#include "controls/FlexSizeDialog.h"
#include "controls/MyPropertiesDlg.h"
#include "controls/NoteTextDlg.h"
#include "controls/SnapPointsExDlg.h"
#include "imaging/ExtDib.h"
#include "platform/ui/MDIFrameWnd.h"
#include "objects/GenGroupInfo.h"
#include "objects/PropListValue.h"
#include "objects/kinds/StickyOb.h"
#include "res/ResourceParts.h"

#include <functional>
#include <memory>

namespace {

// What the scripted user did in the last modal dialog.
struct Seen {
    BOOL readOnly = FALSE;
    BOOL editShown = FALSE;
    BOOL opened = FALSE;
    CString firstText;
};

Seen& Observed()
{
    static Seen seen;
    return seen;
}

std::function<void(CWnd&)>& Answer()
{
    static std::function<void(CWnd&)> answer;
    return answer;
}

// The open top-level window that holds a control with the id.
HWND FindDialogWith(HWND any, UINT id)
{
    for (HWND w = ::GetWindow(any, GW_HWNDFIRST); w; w = ::GetWindow(w, GW_HWNDNEXT))
        if (::IsWindowVisible(w) && GetDlgItem(w, static_cast<int>(id)))
            return w;
    return nullptr;
}

HWND& AnyTopLevel()
{
    static HWND window = nullptr;
    return window;
}

UINT& AwaitedControl()
{
    static UINT id = 0;
    return id;
}

void PlayAnswer(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindDialogWith(AnyTopLevel(), AwaitedControl());
    if (!dialog)
        return;
    KillTimer(nullptr, timer);
    Observed().opened = TRUE;
    Answer()(*CWnd::FromHandle(dialog));
}

// Plays `answer` in the next dialog that shows the control, once it is up.
void WhenShown(UINT control, std::function<void(CWnd&)> answer)
{
    Observed() = Seen();
    AwaitedControl() = control;
    Answer() = std::move(answer);
    SetTimer(nullptr, 0, 20, PlayAnswer);
}

class PropertyLayersTest : public EditViewTest {
protected:
    static void SetUpTestSuite()
    {
        EditViewTest::SetUpTestSuite();
        RegisterDialogs();
        RegisterListEditResources();
        RegisterPaintResources();
    }
    void SetUp() override
    {
        EditViewTest::SetUp();
        CFlexSizeDialog::ClearSizeCache();
        AnyTopLevel() = main->m_hWnd;
    }
    void TearDown() override
    {
        if (dialog && dialog->m_hWnd)
            dialog->DestroyWindow();
        dialog.reset();
        EditViewTest::TearDown();
    }

    // The main view's dialog on one object's list, its row of the property id current.
    void Open(CObject* owner, CPropObArray* list, UINT propertyId)
    {
        dialog = std::make_unique<CMyPropertiesDlg>(view);
        dialog->SetModal(FALSE);
        ASSERT_TRUE(dialog->CreateDialogWindow(view));
        dialog->SetProperties(list, dynamic_cast<CHyperBaseOb*>(owner), "test");
        dialog->RefreshPropertyList();
        int position = -1;
        for (INT_PTR i = 0; i < list->GetSize(); ++i)
            if (list->GetProp(i)->GetNameId() == propertyId)
                position = static_cast<int>(i);
        ASSERT_GE(position, 0);
        CPropListWnd* rows = dialog->GetListWnd();
        for (int row = 0; row < rows->GetCount(); ++row)
            if (static_cast<int>(rows->GetItemData(row)) == position + 1)
                rows->SetCurSel(row);
        dialog->ExchangeProperty(FALSE);
        ASSERT_EQ(dialog->GetCurrentProperty(), list->GetProp(position));
    }

    std::unique_ptr<CMyPropertiesDlg> dialog;
};

TEST_F(PropertyLayersTest, ANoteTextIsWrittenInTheNotesDialogOnlyWhileThePageIsEdited)
{
    struct Case {
        BOOL editMode;
        BOOL readOnly;
        CString kept;
    };
    for (const Case& c : {Case{TRUE, FALSE, "typed"}, Case{FALSE, TRUE, "old text"}}) {
        CStickyOb note;
        note.SetNoteText("old text");
        note.SetView(view);
        view->SetEditMode(c.editMode);
        auto* list = new CPropObArray;
        note.CollectProperties(*list, TRUE);
        Open(&note, list, CStickyOb::TextId);
        ASSERT_EQ(dialog->GetCurrentProperty()->m_controlId, CPropOb::ButtonControl) << "the row has a button";
        WhenShown(CNotesEditDlg::EditId, [](CWnd& notes) {
            CWnd* edit = notes.GetDlgItem(CNotesEditDlg::EditId);
            Observed().readOnly = (::GetWindowLongPtr(edit->m_hWnd, GWL_STYLE) & ES_READONLY) != 0;
            if (!Observed().readOnly)
                edit->SetWindowText("typed");
            notes.PostMessage(WM_COMMAND, IDOK);
        });
        dialog->EditPropValue();
        EXPECT_TRUE(Observed().opened);
        EXPECT_EQ(Observed().readOnly, c.readOnly) << c.editMode;
        dialog->ApplyProperties();
        EXPECT_EQ(note.GetNoteText(), c.kept) << c.editMode;
        dialog->DestroyWindow();
        dialog.reset();
    }
}

// A generated group with two snap points, the first with a text.
class GroupSnapPointsTest : public PropertyLayersTest {
protected:
    void SetUp() override
    {
        PropertyLayersTest::SetUp();
        group.m_hasSnapPoints = 1;
        group.GetSnapPoints()->SetPositionMask(0x101);
        static_cast<CAnchorItemEx*>(group.GetSnapPointList()->GetAnchor(0))->m_text = "North";
        list = new CPropObArray;
        group.CollectProperties(*list, TRUE);
        Open(nullptr, list, CGroupInfo::AnchorsNameId);
    }
    CAnchorItemEx* Point(int index)
    {
        return static_cast<CAnchorItemEx*>(group.GetSnapPointList()->GetAnchor(index));
    }

    CGenGroupInfo group;
    CPropObArray* list = nullptr;
};

TEST_F(GroupSnapPointsTest, TheTextsOfTheGroupsSnapPointsAreEditedAndOnlyOkKeepsThem)
{
    for (UINT end : {UINT(IDCANCEL), UINT(IDOK)}) {
        WhenShown(CSnapPointsExDlg::LabelId, [end](CWnd& points) {
            CListBox* rows = static_cast<CListBox*>(points.GetDlgItem(CListEditDlg::ListId));
            points.GetDlgItemText(CSnapPointsExDlg::LabelId, Observed().firstText);
            // The second point gets a text; leaving its row keeps it.
            rows->SetCurSel(1);
            points.SendMessage(WM_COMMAND, MAKEWPARAM(CListEditDlg::ListId, LBN_SELCHANGE),
                               reinterpret_cast<LPARAM>(rows->m_hWnd));
            points.SetDlgItemText(CSnapPointsExDlg::LabelId, "Centre");
            points.PostMessage(WM_COMMAND, end);
        });
        dialog->EditPropValue();
        EXPECT_TRUE(Observed().opened);
        EXPECT_EQ(Observed().firstText, CString("North")) << "the first point's text is shown";
        dialog->ApplyProperties();
        ASSERT_EQ(group.GetSnapPointList()->GetSize(), 2);
        EXPECT_EQ(Point(0)->m_text, CString("North"));
        EXPECT_EQ(Point(1)->m_text, end == IDOK ? CString("Centre") : CString()) << end;
        EXPECT_EQ(Point(1)->m_position, 8) << "the other fields stay";
    }
    EXPECT_EQ(group.GetSnapPointList()->m_nextId, 2);
}

TEST_F(GroupSnapPointsTest, TheTextFieldIsOffWithoutAPoint)
{
    CAnchorFmtEx empty;
    CSnapPointsExDlg points(&empty, nullptr);
    ASSERT_TRUE(points.Create(CSnapPointsDlg::TemplateWithLabelId));
    EXPECT_FALSE(points.GetDlgItem(CSnapPointsExDlg::LabelId)->IsWindowEnabled());
    points.SendMessage(WM_COMMAND, MAKEWPARAM(CListEditDlg::AddId, BN_CLICKED), 0);
    EXPECT_TRUE(points.GetDlgItem(CSnapPointsExDlg::LabelId)->IsWindowEnabled());
    points.SetDlgItemText(CSnapPointsExDlg::LabelId, "Tip");
    points.SendMessage(WM_COMMAND, IDOK);
    ASSERT_EQ(empty.GetSize(), 1);
    EXPECT_EQ(static_cast<CAnchorItemEx*>(empty.GetAnchor(0))->m_text, CString("Tip"));
    points.DestroyWindow();
}

// Only the catalogue layer and the layers above it offer the paint editor on a picture.
TEST_F(PropertyLayersTest, TheBaseDialogEditsPicturesPlainlyAndTheCatalogueLayerWithThePaintEditor)
{
    struct Case {
        const char* layer;
        std::function<CPropertiesDlg*()> make;
        BOOL editable;
    };
    const Case cases[] = {
        {"base", [this] { return new CPropertiesDlg(CPropertiesDlg::ViewTemplate, view); }, FALSE},
        {"embedded objects", [this] { return new CHyperOlePropertiesDlg(CPropertiesDlg::ViewTemplate, view); }, FALSE},
        {"catalogue", [this] { return new CCatPropertiesDlg(CPropertiesDlg::ViewTemplate, view); }, TRUE},
        {"main view", [this] { return new CMyPropertiesDlg(view); }, TRUE},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CPropertiesDlg> properties(c.make());
        CExtDib picture;
        WhenShown(CEditBitmapDlg::IdPreview, [](CWnd& edit) {
            Observed().editShown = edit.GetDlgItem(CEditBitmapDlg::IdEdit)->IsWindowVisible();
            edit.PostMessage(WM_COMMAND, IDCANCEL);
        });
        EXPECT_FALSE(properties->EditBitmapProperty(&picture, view)) << c.layer << ": cancelled";
        EXPECT_TRUE(Observed().opened) << c.layer;
        EXPECT_EQ(Observed().editShown, c.editable) << c.layer;
    }
}

} // namespace
