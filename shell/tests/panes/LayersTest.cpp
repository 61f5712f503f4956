// The Layers pane over a new page: adding ordinary and notice layers, the standard layers'
// protection, renaming, hiding and locking, deleting, and keys that reorder.
#include "shell/LayersDlg.h"
#include "shell/LayersPane.h"

#include "AppFixture.h"
#include "View/HyperFrame.h"
#include "View/MyView.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/kinds/BorderOb.h"
#include "platform/toolkit/XTPControl.h"
#include "platform/toolkit/XTPIconStore.h"
#include "platform/ui/Document.h"

#include <vector>

namespace {

class LayersTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        app->OnFileNew();
        view = dynamic_cast<CMyView*>(frame->GetActiveFrame()->GetActiveView());
        ASSERT_NE(view, nullptr);
        frame->SendMessage(WM_COMMAND, CLayersPane::CmdLayersManager);
        dialog = static_cast<CLayersPane*>(frame->GetPaneWindow(PaneLayers))->GetDialog();
        ASSERT_NE(dialog, nullptr);
        layers = view->GetPageObject()->GetLayerList();
        ASSERT_EQ(dialog->GetLayerList(), layers);
        view->GetDocument()->SetModifiedFlag(FALSE);
    }
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (int i = 0; i < dialog->GetListBox().GetCount(); ++i)
            rows.emplace_back(dialog->GetListBox().GetRowName(i));
        return rows;
    }
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (INT_PTR i = 0; i < layers->GetSize(); ++i)
            names.emplace_back(layers->GetLayerItem(i)->m_name);
        return names;
    }
    // As a click on the button.
    void Command(UINT id) { dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED)); }
    CPoint RowPoint(int row, int x)
    {
        CRect rect;
        dialog->GetListBox().GetItemRect(row, &rect);
        return CPoint(x, rect.CenterPoint().y);
    }
    void Click(CPoint point)
    {
        dialog->GetListBox().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        dialog->GetListBox().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }
    // Renames a row by double click and typing; answers a message box if one comes.
    void Rename(int row, LPCTSTR name)
    {
        const CPoint point = RowPoint(row, 120);
        dialog->GetListBox().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        if (CEdit* edit = dialog->GetListBox().GetEditCtrl(); edit->IsWindowVisible()) {
            edit->SetWindowText(name);
            MSG msg{edit->m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
            edit->PreTranslateMessage(&msg);
        }
    }
    BOOL Modified() const { return view->GetDocument()->IsModified(); }

    CMyView* view = nullptr;
    CLayersDlg* dialog = nullptr;
    CLayerFmt* layers = nullptr;
};

TEST_F(LayersTest, ANewPageShowsItsTwoStandardLayers)
{
    EXPECT_EQ(Rows(), (std::vector<std::string>{"<Standard>", "<Standard Noticelayer>"}));
    EXPECT_TRUE(frame->GetShowLayerPane());
    EXPECT_FALSE(frame->GetPaneManager()->FindPane(PaneLayers)->IsClosed());
    CXTPToolBar& bar = dialog->GetToolBar();
    ASSERT_TRUE(bar.IsWindowVisible());
    ASSERT_EQ(bar.GetControlCount(), 3);
    const UINT commands[] = {CLayersDlg::CmdAddLayer, CLayersDlg::CmdAddNoticeLayer, CLayersDlg::CmdDeleteLayer};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bar.GetControl(i)->GetID(), commands[i]);
        EXPECT_TRUE(bar.GetCommandBars()->GetIconStore()->HasIcon(commands[i])) << commands[i];
    }
    CRect barRect, listRect;
    bar.GetWindowRect(&barRect);
    dialog->GetListBox().GetWindowRect(&listRect);
    EXPECT_LE(barRect.bottom, listRect.top) << "the bar covers the list";
}

// Adding is always offered; deleting only while a layer other than the standard ones is chosen.
TEST_F(LayersTest, TheToolBarOffersDeleteOnlyForALayerThatIsNotStandard)
{
    CXTPToolBar& bar = dialog->GetToolBar();
    auto enabled = [&](UINT id) {
        dialog->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        return bar.GetControls()->FindControl(id)->GetEnabled();
    };
    Command(CLayersDlg::CmdAddLayer);
    for (int row : {0, 1}) {
        dialog->GetListBox().SelectRow(row);
        EXPECT_TRUE(enabled(CLayersDlg::CmdAddLayer)) << row;
        EXPECT_TRUE(enabled(CLayersDlg::CmdAddNoticeLayer)) << row;
        EXPECT_FALSE(enabled(CLayersDlg::CmdDeleteLayer)) << row;
    }
    dialog->GetListBox().SelectRow(2);
    EXPECT_TRUE(enabled(CLayersDlg::CmdDeleteLayer));
}

TEST_F(LayersTest, LayersAndNoticeLayersTakeTheNextNumberFromOneCounter)
{
    layers->SetNextLayerNumber(3);
    Command(CLayersDlg::CmdAddNoticeLayer);
    Command(CLayersDlg::CmdAddLayer);
    ASSERT_EQ(layers->GetSize(), 4);
    EXPECT_EQ(layers->GetLayerItem(2)->GetId(), 21003);
    EXPECT_EQ(std::string(layers->GetLayerItem(2)->m_name), "<Layer>21003");
    EXPECT_EQ(layers->GetLayerItem(3)->GetId(), 4);
    EXPECT_TRUE(layers->GetLayerItem(3)->m_visible);
    EXPECT_FALSE(layers->GetLayerItem(3)->m_locked);
    EXPECT_EQ(Rows(), Entries());
    EXPECT_TRUE(Modified());
}

TEST_F(LayersTest, TheStandardLayersCanBeNeitherRenamedNorDeleted)
{
    for (int row : {0, 1}) {
        dialog->GetListBox().SelectRow(row);
        const int boxes = UiTestHook::MessageBoxCount();
        Command(CLayersDlg::CmdDeleteLayer);
        EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes) << "the tool bar offers no Delete for a standard layer";
        dialog->GetListBox().SendMessage(WM_KEYDOWN, VK_DELETE);
        EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes) << "the Delete key leaves a standard layer alone";
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        Rename(row, "Other");
        EXPECT_NE(UiTestHook::LastMessageBoxText().find("Layer must not be edited!"), std::string::npos);
    }
    EXPECT_EQ(Rows(), (std::vector<std::string>{"<Standard>", "<Standard Noticelayer>"}));
    EXPECT_FALSE(Modified());
}

TEST_F(LayersTest, RenamingRefusesANameInUseAndIgnoresTheOldName)
{
    Command(CLayersDlg::CmdAddLayer);
    Command(CLayersDlg::CmdAddLayer);
    const std::string other = Rows()[3];
    const int boxes = UiTestHook::MessageBoxCount();
    Rename(2, Rows()[2].c_str());
    EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes) << "its own name changes nothing";
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    Rename(2, other.c_str());
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), other + " already created!");
    view->GetDocument()->SetModifiedFlag(FALSE);
    Rename(2, "Sketches");
    EXPECT_EQ(Rows()[2], "Sketches");
    EXPECT_EQ(Entries()[2], "Sketches");
    EXPECT_TRUE(Modified());
}

TEST_F(LayersTest, HidingOrLockingTheCurrentLayerFallsBackToSelect)
{
    auto* frameWnd = dynamic_cast<CHyperFrame*>(view->GetParentFrame());
    ASSERT_NE(frameWnd, nullptr);
    auto* border = new CBorderOb;
    border->SetView(view);
    border->LayerID = layers->GetLayerItem(0)->GetId();
    view->GetObjects().InsertAt(0, border);
    const CListBoxEx& list = dialog->GetListBox();
    struct Case {
        const char* name;
        CRect (CLayerListBox::*icon)(int) const;
    };
    for (const Case& c : {Case{"hide", &CLayerListBox::VisibleIconRect}, Case{"lock", &CLayerListBox::LockIconRect}}) {
        frameWnd->SendMessage(WM_COMMAND, CMyView::ToolRectangle);
        ASSERT_EQ(frameWnd->GetCurrentTool(), CMyView::ToolRectangle);
        Click((dialog->GetListBox().*c.icon)(0).CenterPoint());
        EXPECT_EQ(frameWnd->GetCurrentTool(), CHyperView::ToolSelect) << c.name;
        EXPECT_TRUE(Modified()) << c.name;
        EXPECT_TRUE(border->IsLocked()) << c.name;
        Click((dialog->GetListBox().*c.icon)(0).CenterPoint());
    }
    EXPECT_EQ(list.GetSelectedRow(), 0);
    Click(dialog->GetListBox().VisibleIconRect(0).CenterPoint());
    EXPECT_FALSE(border->IsVisible()) << "objects of a hidden layer are neither drawn nor hit";
}

TEST_F(LayersTest, DeletingALayerMovesItsObjectsToTheStandardLayer)
{
    Command(CLayersDlg::CmdAddLayer);
    const int id = layers->GetLayerItem(2)->GetId();
    auto* border = new CBorderOb;
    border->SetView(view);
    border->LayerID = id;
    view->GetObjects().InsertAt(0, border);
    dialog->GetListBox().SelectRow(2);
    UiTestHook::QueueMessageBoxAnswer(IDNO);
    Command(CLayersDlg::CmdDeleteLayer);
    EXPECT_EQ(layers->GetSize(), 3);
    UiTestHook::QueueMessageBoxAnswer(IDYES);
    Command(CLayersDlg::CmdDeleteLayer);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"<Standard>", "<Standard Noticelayer>"}));
    EXPECT_EQ(Entries(), Rows());
    EXPECT_EQ(border->LayerID, layers->GetLayerItem(0)->GetId());
    EXPECT_EQ(dialog->GetListBox().GetSelectedRow(), 0);
}

TEST_F(LayersTest, ArrowKeysReorderRowsAndTheListFollows)
{
    Command(CLayersDlg::CmdAddLayer);
    const std::string added = Rows()[2];
    dialog->GetListBox().SelectRow(2);
    dialog->GetListBox().SendMessage(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"<Standard>", added, "<Standard Noticelayer>"}));
    EXPECT_EQ(Entries(), Rows());
    EXPECT_EQ(dialog->GetListBox().GetSelectedRow(), 1);
    EXPECT_EQ(layers->GetCurrentLayerId(), layers->GetLayerItem(1)->GetId()) << "the selected row is the current layer";
    dialog->GetListBox().SelectRow(0);
    dialog->GetListBox().SendMessage(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(Entries(), Rows());
    EXPECT_EQ(Rows()[0], "<Standard>");
}

} // namespace
