// The current drawing tool: choosing it, showing it on the tool bar and enabling tool items.
#include "View/HyperFrame.h"

#include "View/HyperRunView.h"
#include "View/NotesView.h"
#include "View/HyperTextEdit.h"
#include "objects/HyperFrameOb.h"
#include "objects/HyperViewOb.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <iterator>

namespace {

// The tools of the frame's tool bar, in its order.
constexpr UINT ToolList[] = {60447, 33808, 60481, 60448, 34052, 60480, 60450, 60479, 60472,
                             33807, 60471, 60478, 60462, 60463, 60451, 34060, 37701};
// Note tools stay usable without a class of their own.
constexpr UINT ClasslessTools[] = {34054, 37701, 34060, 34052};

template <size_t N>
BOOL InTable(const UINT (&table)[N], UINT id)
{
    return std::find(std::begin(table), std::end(table), id) != std::end(table);
}

BOOL IsObjectTool(UINT id)
{
    return id >= CHyperFrame::FirstObjectTool && id <= CHyperFrame::LastObjectTool;
}

int FindItemData(const CComboBox& combo, UINT id)
{
    for (int i = 0; i < combo.GetCount(); ++i) {
        if (combo.GetItemData(i) == id)
            return i;
    }
    return -1;
}

} // namespace

void CHyperFrame::GetToolList(UINT* toolBarId, const UINT** ids, int* count) const
{
    *toolBarId = ToolBarResource;
    *ids = ToolList;
    *count = static_cast<int>(std::size(ToolList));
}

BOOL CHyperFrame::IsToolInList(UINT id) const
{
    UINT bar;
    const UINT* ids;
    int count;
    GetToolList(&bar, &ids, &count);
    return std::find(ids, ids + count, id) != ids + count;
}

CWnd* CHyperFrame::GetToolBar() const
{
    CWnd* main = AfxGetMainWnd();
    if (!main || !main->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return nullptr;
    return static_cast<CFrameWnd*>(main)->GetControlBar(ToolBarId);
}

CComboBox* CHyperFrame::GetToolCombo(UINT id) const
{
    CWnd* bar = GetToolBar();
    CWnd* found = bar ? bar->GetDlgItem(static_cast<int>(id)) : nullptr;
    if (!found || !found->m_hWnd || !found->IsKindOf(RUNTIME_CLASS(CComboBox)))
        return nullptr;
    return static_cast<CComboBox*>(found);
}

void CHyperFrame::NotifyToolBar()
{
    if (CWnd* bar = GetToolBar())
        bar->PostMessage(WM_TOOL_OR_UNITS, 0, static_cast<LPARAM>(m_currentTool));
}

BOOL CHyperFrame::SelectTool(UINT id)
{
    if (!m_firstView)
        return FALSE;
    if (CComboBox* combo = GetToolCombo(ObjectComboId)) {
        const int index = FindItemData(*combo, id);
        if (index < 0)
            return FALSE;
        combo->SetCurSel(index);
        OnObjectComboChange();
        return TRUE;
    }
    if (id != ToolSelect && !IsObjectTool(id) && !IsToolInList(id))
        return FALSE;
    // Selecting or typing works on the page's objects, not on the ink layer.
    if ((id == ToolSelect || id == ToolText) && m_firstView->IsInkEnabled())
        static_cast<CNotesView*>(m_firstView)->SetInkEnabled(FALSE);
    m_currentTool = id;
    NotifyToolBar();
    return TRUE;
}

BOOL CHyperFrame::OnSelectToolCommand(UINT id)
{
    return SelectTool(id);
}

void CHyperFrame::OnObjectComboChange()
{
    CComboBox* combo = GetToolCombo(ObjectComboId);
    const int index = combo ? combo->GetCurSel() : -1;
    if (index < 0)
        return;
    m_currentTool = static_cast<UINT>(combo->GetItemData(index));
    NotifyToolBar();
}

void CHyperFrame::OnUpdateTool(CCmdUI* cmdUI)
{
    const UINT id = cmdUI->m_nID;
    CHyperRunView* view = GetTargetView();
    const BOOL usable = view && view->IsEditMode() && view->AcceptsTools() &&
                        (!view->IsPointEditing() || id == ToolSelect || id == ToolText);
    CComboBox* combo = GetToolCombo(ObjectComboId);
    if (combo)
        combo->EnableWindow(usable);
    BOOL enabled = usable;
    if (usable && view->IsModeTool(id)) {
        enabled = !view->IsBusyWithTool(id);
    } else if (usable) {
        void* registered = nullptr;
        enabled = view->m_toolRegistry.Lookup(static_cast<WORD>(id), registered) || id == ToolSelect ||
                  IsObjectTool(id) || InTable(ClasslessTools, id);
    }
    cmdUI->Enable(enabled);
    UINT current = m_currentTool;
    if (combo && combo->GetCurSel() >= 0)
        current = static_cast<UINT>(combo->GetItemData(combo->GetCurSel()));
    cmdUI->SetCheck(current == id && view && !view->IsPointEditing());
}

BOOL CHyperFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_firstView && IsEditMode() && lParam == 0 && SelectTool(LOWORD(wParam)))
        return TRUE;
    if (m_firstView && lParam == 0 && OfferCommandToTextEdits(LOWORD(wParam)))
        return TRUE;
    return CHyperRunFrame::OnCommand(wParam, lParam);
}

BOOL CHyperFrame::OfferCommandToTextEdits(UINT command)
{
    if (OfferCommandToTextEdit(m_firstView, command))
        return TRUE;
    for (INT_PTR i = 0; i < m_furtherViews.GetSize(); ++i)
        if (OfferCommandToTextEdit(static_cast<CHyperRunView*>(m_furtherViews[i]), command))
            return TRUE;
    return FALSE;
}

BOOL CHyperFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL toolId = IsToolInList(id) || (id >= FirstObjectTool && id < LastObjectTool);
    if (code == CN_UPDATE_COMMAND_UI && toolId && m_toolPaletteShown) {
        if (!handlerInfo)
            OnUpdateTool(static_cast<CCmdUI*>(extra));
        return TRUE;
    }
    return CHyperRunFrame::OnCmdMsg(id, code, extra, handlerInfo);
}

void CHyperFrame::ShowPageSize()
{
    if (!m_firstView)
        return;
    CRect rect;
    CHyperViewOb* page = m_firstView->GetPageObject();
    if (m_furtherViews.IsEmpty() && m_firstView->IsMapped())
        rect.SetRect(0, 0, page->GetScrollWidth(), page->GetScrollHeight());
    else
        GetLayoutRect(&rect);
    const DWORD flags = m_firstView->m_pageFlags;
    const int stepX = m_firstView->GetGridStepX();
    const int stepY = m_firstView->GetGridStepY();
    if ((flags & CHyperRunView::GridCellMode) == CHyperRunView::GridCellMode && stepX > 0 && stepY > 0)
        rect.SetRect(1, 1, rect.right / stepX, rect.bottom / stepY);
    if (CWnd* bar = GetToolBar())
        bar->SendMessage(WM_TOOL_OR_UNITS, 1, reinterpret_cast<LPARAM>(&rect));
}
