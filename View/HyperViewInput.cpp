// Mouse, keyboard and cursor input of the editing view.
#include "View/HyperView.h"

#include "View/HyperFrame.h"
#include "View/HyperTextEdit.h"
#include "objects/HyperOb.h"
#include "objects/SnapPointSet.h"
#include "objects/ViewSettings.h"
#include "platform/ui/WinApp.h"

#include <memory>

namespace {

constexpr int kSnapSquare = 16;
constexpr UINT kGroupCursor = 31003;
constexpr int kInside = 8;

BOOL KeyDown(int vk)
{
    return GetKeyState(vk) < 0;
}

} // namespace

UINT CHyperView::GetCurrentTool() const
{
    CHyperFrame* frame = GetHyperFrame();
    return frame ? frame->GetCurrentTool() : ToolSelect;
}

void CHyperView::OnLButtonDown(UINT flags, CPoint point)
{
    if (TrackAltClickZoom(point))
        return;
    CPoint page = point;
    DeviceToLogical(&page, nullptr);
    ReportClick(page, flags, FALSE, FALSE);
    if (!m_editMode) {
        Default();
        return;
    }
    if (m_pointListCount > 0 || PressInEditPointsMode(point) || m_textEdit->HitTestEditRect(page.x, page.y))
        return;
    // Committing can run the spelling dialog, whose loop takes this press's release: a press
    // already let go tracks nothing, else a tracking loop would wait for the next click.
    const BOOL held = KeyDown(VK_LBUTTON);
    if (CommitTextEdit() && held && !KeyDown(VK_LBUTTON))
        return;
    BeginUpdate(FALSE);
    const UINT tool = GetCurrentTool();
    if (tool == ToolSelect)
        PressWithSelectTool(page);
    else
        PressWithInsertTool(page, tool);
    EndUpdate();
    ContinuePointList(tool);
}

void CHyperView::PressWithSelectTool(CPoint page)
{
    if (TrackFreeRotate(page))
        return;
    CHyperOb* current = GetCurrentObject();
    if (current && m_selection.GetSize() == 0 && current->OnEndMouseDown(page.x, page.y))
        return;
    if (StartTextEdit(page, 0))
        return;
    int hit = -1;
    BOOL tracked = FALSE;
    if (current)
        tracked = TrackSelection(&hit, page.x, page.y);
    if (!current || (!tracked && !GetCurrentObject()))
        tracked = SelectAndTrack(-1, page.x, page.y);
    if (tracked || hit >= 0)
        return;
    if (!GetViewSettings().m_selectionFlag) {
        if (!GetCurrentObject())
            TrackRubberBand(page.x, page.y);
    } else if (!(KeyDown(VK_SHIFT) && KeyDown(VK_CONTROL))) {
        TrackRubberBandAdd(page.x, page.y);
    }
}

void CHyperView::PressWithInsertTool(CPoint page, UINT tool)
{
    if (m_snapMarkerShown) {
        page = m_snapMarkerPoint;
        HideSnapMarker();
    }
    InsertObjectAt(page.x, page.y, tool, IsPointListTool(tool), FALSE);
}

void CHyperView::ContinuePointList(UINT toolId)
{
    if (m_pointListCount == 0)
        return;
    for (;;) {
        const int before = m_pointListCount;
        InsertObjectAt(m_pendingEnd.x, m_pendingEnd.y, toolId, TRUE, FALSE);
        if (m_pointListCount == before)
            break;
    }
    m_pendingEnd = {0, 0};
    m_pointListCount = 0;
    FinishPointList();
}

void CHyperView::OnLButtonDblClk(UINT flags, CPoint point)
{
    CPoint page = point;
    DeviceToLogical(&page, nullptr);
    ReportClick(page, flags, TRUE, FALSE);
    if (!m_editMode) {
        Default();
        return;
    }
    if (m_listPickPos >= 0) {
        OnLButtonDown(flags, point);
        return;
    }
    if (m_pointListCount > 0)
        return;
    CHyperOb* current = GetCurrentObject();
    if (current && m_selection.GetSize() == 0 && current->Open())
        return;
    ShowSelectionProperties();
}

void CHyperView::OnRButtonDown(UINT flags, CPoint point)
{
    CPoint page = point;
    DeviceToLogical(&page, nullptr);
    ReportClick(page, flags, FALSE, TRUE);
    if (!m_editMode) {
        Default();
        return;
    }
    if (CHyperFrame* frame = GetHyperFrame())
        frame->SendMessage(WM_COMMAND, ToolSelect);
    if (m_pointListCount > 0)
        return;
    CommitTextEdit();
    if (!SelectedObjectAt(page))
        SelectOnly(TopUnlockedObjectAt(page));
    if (m_listPickPos < 0)
        ShowSelectionProperties();
}

BOOL CHyperView::SelectedObjectAt(CPoint page) const
{
    for (int i = 0; i < GetObjects().GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        if (object->IsSelected() && object->HitTest(page) >= 0)
            return TRUE;
    }
    return FALSE;
}

int CHyperView::TopUnlockedObjectAt(CPoint page) const
{
    for (int i = 0; i < GetObjects().GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        if (!object->IsLocked() && object->HitTest(page) >= 0)
            return i;
    }
    return -1;
}

void CHyperView::OnMouseMove(UINT, CPoint point)
{
    ShowMouseOnRulers(point);
    RelayToolTip(WM_MOUSEMOVE, point);
    const UINT tool = GetCurrentTool();
    if (!IsConnectorTool(tool) && !IsLineTool(tool))
        return;
    std::unique_ptr<CHyperOb> probe(CreateObjectForTool(tool));
    if (probe && probe->CanConnect())
        UpdateSnapMarker(point);
}

// The first free snap point whose 16-pixel square holds the mouse becomes the marker.
void CHyperView::UpdateSnapMarker(CPoint devicePoint)
{
    if (!m_editMode || !m_showSnapPoints)
        return;
    CObArray holders;
    GetObjectsWithSnapPoints(holders);
    for (INT_PTR i = 0; i < holders.GetSize(); ++i) {
        auto* object = static_cast<CHyperOb*>(holders.GetAt(i));
        CSnapPointSet* points = object->GetSnapPoints(FALSE);
        for (int p = 0; points && p < points->GetCount(); ++p) {
            CPoint snap;
            int id = p;
            COLORREF color = 0;
            if (!points->GetPointPosition(&snap, &id, &color, TRUE))
                continue;
            CPoint device = snap;
            LogicalToDevice(&device, nullptr);
            CRect square(device.x - kSnapSquare / 2, device.y - kSnapSquare / 2, device.x + kSnapSquare / 2,
                         device.y + kSnapSquare / 2);
            if (!square.PtInRect(devicePoint))
                continue;
            if (!m_snapMarkerShown || snap != CPoint(m_snapMarkerPoint)) {
                HideSnapMarker();
                m_snapMarkerPoint = snap;
                m_snapMarkerShown = TRUE;
                InvertSnapMarker();
            }
            return;
        }
    }
    HideSnapMarker();
}

void CHyperView::HideSnapMarker()
{
    if (m_snapMarkerShown)
        InvertSnapMarker();
    m_snapMarkerShown = FALSE;
    m_snapMarkerPoint = {-1, -1};
}

BOOL CHyperView::OnSetCursor(CWnd* wnd, UINT hitTest, UINT)
{
    if (!m_editMode || wnd != this)
        return Default() != 0;
    CPoint point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    DeviceToLogical(&point, nullptr);
    if (GetCurrentTool() != ToolSelect) {
        ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
        return TRUE;
    }
    if (SetEditPointsCursorAt(point))
        return TRUE;
    CHyperOb* current = GetCurrentObject();
    if (current && m_selection.GetSize() == 0 && current->OnSetCursor(point, hitTest))
        return TRUE;
    if (m_selection.GetSize() > 0 && hitTest != HTBORDER) {
        for (INT_PTR i = 0; i < m_selection.GetSize(); ++i)
            if (static_cast<CHyperOb*>(m_selection.GetAt(i))->HitTest(point) == kInside) {
                ::SetCursor(::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(kGroupCursor)));
                return TRUE;
            }
    }
    return Default() != 0;
}

void CHyperView::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (ForwardToTextEdit(WM_KEYDOWN, key, repeat, flags))
        return;
    if (!HandleKeyDown(key, repeat))
        Default();
}

void CHyperView::OnKeyUp(UINT key, UINT repeat, UINT)
{
    if (!HandleKeyUp(key, repeat))
        Default();
}

BOOL CHyperView::HandleKeyUp(UINT, UINT)
{
    return FALSE;
}

void CHyperView::OnChar(UINT ch, UINT repeat, UINT flags)
{
    if (ForwardToTextEdit(WM_CHAR, ch, repeat, flags))
        return;
    OnViewKey(ch, KeyDown(VK_CONTROL), KeyDown(VK_SHIFT));
    CPoint point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    DeviceToLogical(&point, nullptr);
    if (m_editMode && StartTextEdit(point, ch))
        return;
    Default();
}
