// The Properties dialog working for a view: docked in its host it follows the selection and
// applies edits live with an undo step each; modal on two objects of different kinds, OK
// applies the edited row to both as one undo step and Cancel puts back what a live edit did.
#include "View/tests/edit/EditViewFixture.h"

#include "View/ChildHostWnd.h"
#include "controls/PropertiesDlg.h"
#include "objects/HyperDrawOb.h"
#include "objects/PropOb.h"
#include "objects/ViewSettings.h"
#include "objects/kinds/CircleGen.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/TestHook.h"

#include <memory>

namespace {

constexpr UINT kLineWidth = 27174;

int PenWidthOf(const CHyperOb* object)
{
    int width = -1;
    object->GetPenWidth(&width);
    return width;
}

// Selects the row of a property, as a click on its name does.
BOOL SelectRow(CPropertiesDlg* dialog, UINT propertyId)
{
    CPropListWnd* rows = dialog->GetListWnd();
    for (int row = 0; row < rows->GetCount(); ++row) {
        CPropOb* property = dialog->PropertyOfRow(static_cast<INT_PTR>(rows->GetItemData(row)));
        if (!property || property->GetNameId() != propertyId)
            continue;
        rows->SetCurSel(row);
        dialog->ExchangeProperty(FALSE);
        return TRUE;
    }
    return FALSE;
}

// Opens the editor of a row, types into it and leaves it, as the user does.
BOOL EditRow(CPropertiesDlg* dialog, UINT propertyId, const char* typed)
{
    CPropListWnd* rows = dialog->GetListWnd();
    if (SelectRow(dialog, propertyId)) {
        dialog->BeginEdit(TRUE);
        CWnd* edit = dialog->GetFocusControl();
        if (!edit)
            return FALSE;
        edit->SetWindowText(typed);
        rows->SetFocus();
        return TRUE;
    }
    return FALSE;
}

// A modal dialog that plays one edit and then ends with the given button.
class ScriptedDialog : public CPropertiesDlg {
public:
    ScriptedDialog(CWnd* parent) : CPropertiesDlg(ViewTemplate, parent) { }

    BOOL OnInitDialog() override
    {
        CPropertiesDlg::OnInitDialog();
        edited = EditRow(this, kLineWidth, "4");
        liveWidth = PenWidthOf(static_cast<CHyperOb*>(GetOwnerObject()));
        PostMessage(WM_COMMAND, s_button);
        return FALSE;
    }

    static inline UINT s_button = IDOK;
    static inline BOOL edited = FALSE;
    static inline int liveWidth = 0;
};

CViewPropertyDialog* MakeScripted(CHyperView* view, UINT, int, UINT)
{
    return new ScriptedDialog(view);
}

class PropertiesPaneTest : public EditViewTest {
protected:
    void SetUp() override
    {
        EditViewTest::SetUp();
        border = AddBorder(CRect(100, 100, 200, 160));
        ellipse = new CCircleGen;
        CRect rect(300, 100, 380, 180);
        ellipse->Init(view, &rect, TRUE);
        ASSERT_TRUE(view->AddObject(ellipse, FALSE, TRUE));
        ellipse->Deselect(TRUE);
        view->ClearSelection(FALSE);
        RegisterPropertyDialogFactory();
    }
    void TearDown() override
    {
        GetViewSettings().m_propertyDialogFlag = 0;
        EditViewTest::TearDown();
        GetViewSettings().m_propertyHostWnd = nullptr;
        host.reset();
    }

    CPropertiesDlg* Dock()
    {
        host = std::make_unique<CChildHostWnd>();
        EXPECT_TRUE(host->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(500, 0, 780, 500), main, 77));
        GetViewSettings().m_propertyHostWnd = host.get();
        view->ShowInPlaceDialog();
        return dynamic_cast<CPropertiesDlg*>(host->GetChild());
    }

    void SelectBoth()
    {
        view->ClearSelection(FALSE);
        view->SetCurrentIndex(view->FindObjectIndex(border));
        border->Select(TRUE);
        ellipse->Select(FALSE);
        view->GetSelection().Add(border);
        view->GetSelection().Add(ellipse);
    }

    CHyperOb* border = nullptr;
    CHyperOb* ellipse = nullptr;
    std::unique_ptr<CChildHostWnd> host;
};

TEST_F(PropertiesPaneTest, TheDockedListFollowsTheSelectionAndAppliesEditsLive)
{
    CPropertiesDlg* dialog = Dock();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetParent(), host.get());
    EXPECT_EQ(dialog->GetOwnerView(), view);

    view->SelectOnly(view->FindObjectIndex(border));
    EXPECT_EQ(dialog->GetOwnerObject(), border);
    const int steps = view->GetUndoCount();
    ASSERT_TRUE(EditRow(dialog, kLineWidth, "4"));
    EXPECT_EQ(PenWidthOf(border), 4) << "applied as soon as the editor closes";
    EXPECT_EQ(view->GetUndoCount(), steps + 1);

    view->SelectOnly(view->FindObjectIndex(ellipse));
    EXPECT_EQ(dialog->GetOwnerObject(), ellipse);
    const int borderIndex = view->FindObjectIndex(border);
    view->Undo();
    EXPECT_EQ(PenWidthOf(view->GetObjectAtIndex(borderIndex)), 1);
    EXPECT_NE(dialog->GetOwnerObject(), nullptr) << "the dialog shows the restored selection";
}

TEST_F(PropertiesPaneTest, ARowThatDiffersIsWrittenToEveryObjectOnlyWhenChanged)
{
    CPropertiesDlg* dialog = Dock();
    ASSERT_NE(dialog, nullptr);
    SelectBoth();
    view->NotifyChanged(FALSE);
    const int steps = view->GetUndoCount();
    // Left: 100 for the border, 300 for the ellipse; the editor opens on the first.
    ASSERT_TRUE(EditRow(dialog, 27136, "100"));
    CRect rect;
    ellipse->GetRect(&rect, nullptr);
    EXPECT_EQ(rect.left, 300) << "leaving the row unchanged writes nothing";
    EXPECT_EQ(view->GetUndoCount(), steps) << "and takes no undo step";

    ASSERT_TRUE(EditRow(dialog, 27136, "50"));
    border->GetRect(&rect, nullptr);
    EXPECT_EQ(rect.left, 50);
    ellipse->GetRect(&rect, nullptr);
    EXPECT_EQ(rect.left, 50);
    EXPECT_EQ(view->GetUndoCount(), steps + 1);
}

TEST_F(PropertiesPaneTest, DrillingFromTheMenuShowsOneMemberAtATime)
{
    CPropertiesDlg* dialog = Dock();
    ASSERT_NE(dialog, nullptr);
    SelectBoth();
    view->NotifyChanged(FALSE);
    ASSERT_EQ(dialog->GetOwnerObject(), border) << "the first of the selection";
    ASSERT_TRUE(dialog->IsMultiSelection());
    // Drill Multi is offered on a row whose values differ.
    ASSERT_TRUE(SelectRow(dialog, 27136));
    UiTestHook::QueueMenuPick(CPropertiesDlg::DrillButton);
    dialog->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(20, 100));
    Pump();
    EXPECT_TRUE(dialog->GetDrillMulti());
    EXPECT_FALSE(dialog->IsMultiSelection()) << "one member's own list";
    EXPECT_EQ(dialog->GetOwnerObject(), border);
    view->SendMessage(CPropertiesDlg::MsgPick, 1, 1);
    EXPECT_EQ(dialog->GetOwnerObject(), ellipse) << "the object combo picks the second member";
    EXPECT_EQ(view->GetSelection().GetSize(), 2) << "the selection stays as it was";
}

TEST_F(PropertiesPaneTest, ARenameShowsInTheObjectComboAtOnce)
{
    CPropertiesDlg* dialog = Dock();
    ASSERT_NE(dialog, nullptr);
    view->SelectOnly(view->FindObjectIndex(border));
    ASSERT_TRUE(EditRow(dialog, 27142, "Gate"));
    EXPECT_EQ(border->GetCode(), CString("Gate"));
    CString shown;
    dialog->GetDlgItem(CPropertiesDlg::ObjectCombo)->GetWindowText(shown);
    EXPECT_EQ(shown, CString("Gate"));
}

TEST_F(PropertiesPaneTest, ASecondViewTakesOverTheDockedDialog)
{
    CPropertiesDlg* dialog = Dock();
    ASSERT_NE(dialog, nullptr);
    auto* second = static_cast<CMyDoc*>(docTemplate->OpenDocumentFile(nullptr));
    ASSERT_NE(second, nullptr);
    Pump();
    POSITION pos = second->GetFirstViewPosition();
    CView* secondView = second->GetNextView(pos);
    EXPECT_EQ(dialog->GetOwnerView(), secondView);
    EXPECT_EQ(dynamic_cast<CPropertiesDlg*>(host->GetChild()), dialog) << "one dialog for every view";
    EXPECT_EQ(static_cast<CHyperView*>(secondView)->GetPropertyDialog(), dialog);
}

TEST_F(PropertiesPaneTest, BadInputInTheDockedListIsRefusedAndTheEditorStaysOpen)
{
    CPropertiesDlg* dialog = Dock();
    ASSERT_NE(dialog, nullptr);
    view->SelectOnly(view->FindObjectIndex(border));
    const int steps = view->GetUndoCount();
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    ASSERT_TRUE(EditRow(dialog, kLineWidth, "200"));
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Please enter an integer between 0 and 100.");
    EXPECT_EQ(PenWidthOf(border), 1);
    EXPECT_EQ(view->GetUndoCount(), steps);
    ASSERT_NE(dialog->GetFocusControl(), nullptr) << "the editor stays open on the bad value";
    CString shown;
    dialog->GetFocusControl()->GetWindowText(shown);
    EXPECT_EQ(shown, CString("1")) << "the old value comes back into the editor";
}

TEST_F(PropertiesPaneTest, OkAppliesTheEditedRowToBothKindsAsOneUndoStep)
{
    SelectBoth();
    GetViewSettings().m_propertyDialogFlag = 1;
    SetPropertyDialogFactory(MakeScripted);
    ScriptedDialog::s_button = IDOK;
    const int steps = view->GetUndoCount();
    CRect before;
    ellipse->GetRect(&before, nullptr);
    view->ShowInPlaceDialog();
    EXPECT_TRUE(ScriptedDialog::edited);
    EXPECT_EQ(PenWidthOf(border), 4);
    EXPECT_EQ(PenWidthOf(ellipse), 4);
    CRect after;
    ellipse->GetRect(&after, nullptr);
    EXPECT_EQ(after, before) << "rows that differed and were not edited keep each object's value";
    ASSERT_EQ(view->GetUndoCount(), steps + 1);
    view->Undo();
    for (int i = 0; i < view->GetObjects().GetSize(); ++i)
        EXPECT_EQ(PenWidthOf(view->GetObjectAtIndex(i)), 1) << i;
}

TEST_F(PropertiesPaneTest, CancelPutsBackWhatALiveEditChanged)
{
    SelectBoth();
    GetViewSettings().m_propertyDialogFlag = 1;
    SetPropertyDialogFactory(MakeScripted);
    ScriptedDialog::s_button = IDCANCEL;
    const int steps = view->GetUndoCount();
    view->ShowInPlaceDialog();
    EXPECT_TRUE(ScriptedDialog::edited);
    EXPECT_EQ(ScriptedDialog::liveWidth, 4) << "the edit showed on the object while the dialog ran";
    EXPECT_EQ(PenWidthOf(border), 1);
    EXPECT_EQ(PenWidthOf(ellipse), 1);
    EXPECT_EQ(view->GetUndoCount(), steps);
}

} // namespace

namespace {

// Switched to the modal form while the pane holds a dialog: Properties opens the form, the
// pane keeps its dialog, and activating the view opens nothing by itself.
TEST_F(PropertiesPaneTest, TheModalFormOpensOnPropertiesBesideADockedPaneAndNeverByItself)
{
    CPropertiesDlg* docked = Dock();
    ASSERT_NE(docked, nullptr);
    for (UINT id : {UINT(IDOK), UINT(IDCANCEL)})
        EXPECT_FALSE(docked->GetDlgItem(static_cast<int>(id))->IsWindowVisible()) << "the pane has no OK or Cancel";
    view->ReleasePropertyDialog();
    GetViewSettings().m_propertyDialogFlag = 1;
    SetPropertyDialogFactory(MakeScripted);
    ScriptedDialog::s_button = IDOK;
    ScriptedDialog::edited = FALSE;
    SelectBoth();
    view->OnActivateView(TRUE, view, nullptr);
    EXPECT_FALSE(ScriptedDialog::edited) << "activation leaves the modal form closed";

    // The view takes the pane's dialog again, then the user switches and asks for Properties.
    GetViewSettings().m_propertyDialogFlag = 0;
    view->ShowInPlaceDialog();
    ASSERT_EQ(host->GetChild(), docked);
    GetViewSettings().m_propertyDialogFlag = 1;
    for (int time = 0; time < 2; ++time) {
        ScriptedDialog::edited = FALSE;
        view->ShowSelectionProperties();
        EXPECT_TRUE(ScriptedDialog::edited) << "Properties opened the modal form, time " << time;
    }
    EXPECT_EQ(PenWidthOf(border), 4);
    EXPECT_EQ(host->GetChild(), docked) << "the pane keeps its dialog";
}

} // namespace
