// What the paint control's tools do with the mouse, the keyboard and the airbrush timer.
#include "imaging/paint/PntCtrl.h"
#include "imaging/paint/PntTracker.h"
#include "platform/ui/ControlTypes.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr double kDegree = 0.017453292519494328;

bool isShapeTool(int mode) { return mode == CPntCtrl::ModeLine || mode >= CPntCtrl::ModeRect; }
bool keyHeld(int vk) { return ::GetKeyState(vk) < 0; }

// Cursor index (resource offset) per tool; -1 for the tracker's own cursors.
int cursorIndex(int mode)
{
    switch (mode) {
    case CPntCtrl::ModeZoom: return 3;
    case CPntCtrl::ModeFill: return 5;
    case CPntCtrl::ModePencil: return 2;
    case CPntCtrl::ModeEraser: return 6;
    case CPntCtrl::ModeSampler: return 1;
    case CPntCtrl::ModeAirbrush: return 4;
    default: return isShapeTool(mode) ? 0 : -1;
    }
}

} // namespace

BOOL CPntCtrl::Stroke(int x1, int y1, int x2, int y2)
{
    if (!HasImage() || m_nMode < ModeFill || m_nMode > ModeFilledEllipse)
        return FALSE;
    switch (m_nMode) {
    case ModeFill: return m_Image.FloodFill(x1, y1, m_crFill);
    case ModePencil:
    case ModeLine: return m_Image.DrawLine(x1, y1, x2, y2, m_nLineWidth, m_crForeground);
    case ModeEraser: return m_Image.DrawLine(x1, y1, x2, y2, m_nEraserWidth, EraseColour());
    case ModeRect: return m_Image.DrawRect(x1, y1, x2, y2, m_nLineWidth, m_crForeground, FALSE, FALSE);
    case ModeRoundRect: return m_Image.DrawRect(x1, y1, x2, y2, m_nLineWidth, m_crForeground, FALSE, TRUE);
    case ModeFilledRect: return m_Image.DrawRect(x1, y1, x2, y2, m_nLineWidth, m_crForeground, TRUE, FALSE);
    case ModeFilledRoundRect: return m_Image.DrawRect(x1, y1, x2, y2, m_nLineWidth, m_crForeground, TRUE, TRUE);
    case ModeEllipse: return m_Image.DrawEllipse(x1, y1, x2, y2, m_nLineWidth, m_crForeground, FALSE);
    case ModeFilledEllipse: return m_Image.DrawEllipse(x1, y1, x2, y2, m_nLineWidth, m_crForeground, TRUE);
    default: return FALSE;
    }
}

void CPntCtrl::Spray(CPoint point)
{
    const int spread = m_nAirbrushSpread * m_nLineWidth;
    if (spread <= 0)
        return;
    for (int i = 0; i < m_nAirbrushDots; ++i) {
        const double angle = (std::rand() % 360) * kDegree;
        const int r = std::rand() % spread;
        m_Image.SetPixel(point.x + static_cast<int>(std::cos(angle) * r), point.y + static_cast<int>(std::sin(angle) * r),
                         1, m_crForeground);
    }
}

BOOL CPntCtrl::TakeDragBackup()
{
    auto backup = std::make_unique<CDIBSection>();
    if (!backup->Copy(m_Image))
        return FALSE;
    m_pDragBackup = std::move(backup);
    return TRUE;
}

BOOL CPntCtrl::RestoreFromBackup(BOOL free)
{
    if (!m_pDragBackup)
        return FALSE;
    const BOOL restored = m_Image.Copy(*m_pDragBackup);
    if (free)
        m_pDragBackup.reset();
    return restored;
}

void CPntCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    CWnd::OnLButtonDown(flags, point);
    m_bCancelled = FALSE;
    if (m_bDragging && m_nMode != ModeSelect)
        return;
    if (m_nMode == ModeNone || m_nMode == ModeZoom || m_nMode == ModeSampler)
        return;
    m_ptStart = m_ptLast = ClientToImage(point);
    if (m_nMode == ModeSelect || m_nMode == ModePasted || m_nMode == ModeText)
        TrackSelectionAt(point);
    else
        StartTool(m_ptStart, point);
    RedrawNow();
}

void CPntCtrl::TrackSelectionAt(CPoint client)
{
    CRect reach = WholeImage();
    reach.InflateRect(5, 5);
    if (!m_bSelectionShown || !reach.PtInRect(m_ptStart))
        return;
    CPntTracker tracker(this, client);
    BOOL tracked = FALSE;
    if (m_nMode == ModeText)
        tracked = PlaceText(tracker);
    else if (m_nMode == ModeSelect)
        tracked = TrackSelection(tracker);
    if (tracked)
        m_rcSelection = tracker.GetImageRect();
    else
        ResetSelection();
}

void CPntCtrl::StartTool(CPoint at, CPoint)
{
    m_bButtonDown = TRUE;
    switch (m_nMode) {
    case ModeFill:
    case ModePencil:
    case ModeEraser:
        PushUndo();
        Stroke(at.x, at.y, at.x, at.y);
        SetModified(TRUE);
        break;
    case ModeAirbrush:
        PushUndo();
        SetTimer(m_nAirbrushTimer, m_nAirbrushPeriod);
        break;
    default:
        if (TakeDragBackup())
            Stroke(at.x, at.y, at.x, at.y);
        break;
    }
}

void CPntCtrl::OnMouseMove(UINT flags, CPoint point)
{
    if (m_nMode == ModeText && TextBarShown()) {
        if (::GetFocus() != m_TextBar->GetEditWindow())
            m_TextBar->FocusEdit();
    } else if (GetFocus() != this) {
        SetFocus();
    }
    const bool drawingTool = m_nMode == ModePasted || m_nMode == ModePencil || m_nMode == ModeEraser ||
                             m_nMode == ModeAirbrush || isShapeTool(m_nMode);
    if (!(flags & MK_LBUTTON) || m_bCancelled || m_bDragging || !drawingTool || !m_bButtonDown) {
        if (GetCapture() == this)
            ::ReleaseCapture();
        return;
    }
    if (GetCapture() != this)
        SetCapture();
    const CPoint at = ClientToImage(point);
    if (isShapeTool(m_nMode)) {
        if (!RestoreFromBackup(FALSE))
            return;
        Stroke(m_ptStart.x, m_ptStart.y, at.x, at.y);
    } else if (m_nMode == ModePencil || m_nMode == ModeEraser) {
        Stroke(m_ptLast.x, m_ptLast.y, at.x, at.y);
        SetModified(TRUE);
    } else if (m_nMode == ModeAirbrush) {
        Spray(at);
        SetModified(TRUE);
    }
    m_ptLast = at;
    RedrawNow();
}

void CPntCtrl::OnLButtonUp(UINT, CPoint point)
{
    if (GetCapture() == this)
        ::ReleaseCapture();
    m_bButtonDown = FALSE;
    if (m_nMode == ModeZoom) {
        ZoomStep(!keyHeld(VK_MENU));
        return;
    }
    if (m_nMode == ModeAirbrush)
        KillTimer(m_nAirbrushTimer);
    if (m_bDragging)
        return;
    if (m_bCancelled) {
        m_bCancelled = FALSE;
        return;
    }
    EndDragOnButtonUp(ClientToImage(point));
}

void CPntCtrl::EndDragOnButtonUp(CPoint at)
{
    if (m_nMode == ModeSampler) {
        const COLORREF colour = m_Image.GetPixel(at.x, at.y);
        SetForegroundColour(colour);
        m_crFill = colour;
        NotifyColourSampled();
        SetMode(m_nPrevMode);
        return;
    }
    if (!isShapeTool(m_nMode) || !RestoreFromBackup(TRUE))
        return;
    PushUndo();
    Stroke(m_ptStart.x, m_ptStart.y, at.x, at.y);
    SetModified(TRUE);
    RedrawNow();
}

void CPntCtrl::OnRButtonUp(UINT flags, CPoint point)
{
    CWnd::OnRButtonUp(flags, point);
    if (m_nMode == ModeZoom)
        ZoomStep(FALSE);
}

void CPntCtrl::OnTimer(UINT_PTR id)
{
    if (id != m_nAirbrushTimer) {
        CWnd::OnTimer(id);
        return;
    }
    // A tick still queued when the button went up sprays nothing.
    if (!m_bButtonDown)
        return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    Spray(ClientToImage(cursor));
    Invalidate(FALSE);
    SetModified(TRUE);
}

void CPntCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (key == VK_DELETE && m_nMode != ModeText) {
        EraseArea(nullptr, TRUE);
        ResetSelection();
        Invalidate(FALSE);
        return;
    }
    if (keyHeld(VK_CONTROL) && !m_bButtonDown && (key == 'Z' || key == 'Y')) {
        if (m_nMode == ModeText)
            ClearTextBar();
        if (key == 'Z')
            Undo();
        else
            Redo();
        return;
    }
    if (m_nMode == ModeText && TextBarShown() && m_bTextActive) {
        m_TextBar->FocusEdit();
        ::SendMessage(m_TextBar->GetEditWindow(), WM_KEYDOWN, key, MAKELPARAM(repeat, flags));
        return;
    }
    CWnd::OnKeyDown(key, repeat, flags);
}

void CPntCtrl::OnChar(UINT ch, UINT repeat, UINT flags)
{
    if (ch == VK_ESCAPE) {
        if (!m_bCancelled)
            CancelDrag();
        return;
    }
    if (m_nMode == ModeText && m_bTextActive && TextBarShown()) {
        m_TextBar->FocusEdit();
        ::SendMessage(m_TextBar->GetEditWindow(), WM_CHAR, ch, MAKELPARAM(repeat, flags));
        return;
    }
    CWnd::OnChar(ch, repeat, flags);
}

void CPntCtrl::CancelDrag()
{
    const BOOL wasDown = m_bButtonDown;
    if (wasDown)
        m_bCancelled = TRUE;
    if (GetCapture() == this)
        ::ReleaseCapture();
    if (isShapeTool(m_nMode) || m_nMode == ModeSampler) {
        RestoreFromBackup(TRUE);
        RedrawNow(TRUE);
    } else if (m_nMode == ModeAirbrush) {
        KillTimer(m_nAirbrushTimer);
        if (wasDown)
            Undo();
    } else {
        Undo();
    }
    m_bButtonDown = FALSE;
}

BOOL CPntCtrl::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    const bool pieceBusy = m_bDragging && m_nMode != ModeSelect;
    if (hitTest != static_cast<UINT>(HTCLIENT) || pieceBusy || m_bCancelled || m_nMode == ModeNone)
        return CWnd::OnSetCursor(wnd, hitTest, message);
    const int index = cursorIndex(m_nMode);
    if (index >= 0) {
        ::SetCursor(m_Cursors[index] ? m_Cursors[index] : ::LoadCursor(nullptr, IDC_CROSS));
        return TRUE;
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect reach = ImageToClient(WholeImage());
    reach.InflateRect(5, 5);
    if (!m_bSelectionShown || !reach.PtInRect(cursor))
        return CWnd::OnSetCursor(wnd, hitTest, message);
    CPntTracker tracker(this, cursor);
    const int hit = tracker.HitTest(cursor);
    const UINT id = hit == CRectTracker::hitMiddle ? (m_bDragging ? 0 : CRectTracker::CursorSizeAll)
                                                   : CRectTracker::GetCursorId(hit);
    ::SetCursor(id ? ::LoadCursor(nullptr, MAKEINTRESOURCE(id))
                   : (m_Cursors[0] ? m_Cursors[0] : ::LoadCursor(nullptr, IDC_CROSS)));
    return TRUE;
}

void CPntCtrl::OnSetFocus(CWnd* old)
{
    CWnd::OnSetFocus(old);
    if (old != this)
        Invalidate(FALSE);
}

UINT CPntCtrl::OnGetDlgCode() { return CWnd::OnGetDlgCode() | DLGC_WANTALLKEYS; }
