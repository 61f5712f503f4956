// The selection: rubber band and handles, lifting the area into the floating piece, moving
// or copying it, and placing the text of the text tool.
#include "imaging/paint/PntCtrl.h"
#include "imaging/paint/PntTracker.h"

#include "platform/gdi/Dc.h"

void CPntCtrl::SetSelectionRect(const CRect& rect, BOOL live)
{
    if (m_bSelectionShown && m_hWnd)
        Invalidate(FALSE);
    m_rcSelection = rect;
    m_rcSelection.NormalizeRect();
    if (!live)
        return;
    if (m_nMode == ModePasted) {
        RestoreFromBackup(FALSE);
        if (m_bCutOnMove)
            EraseArea(&m_rcPieceSource, FALSE);
        DrawPieceAt(m_rcSelection);
    } else if (m_nMode == ModeText && !m_strText.IsEmpty()) {
        RestoreFromBackup(FALSE);
        DrawTextAt(m_rcSelection);
    }
}

BOOL CPntCtrl::TrackSelection(CPntTracker& tracker)
{
    const int hit = tracker.GetHit();
    if (hit != CRectTracker::hitMiddle)
        m_bTextActive = FALSE;
    m_bSelectionShown = FALSE;
    RedrawNow();
    if (hit == CRectTracker::hitMiddle)
        return MovePiece(tracker);
    const BOOL tracked = hit == CRectTracker::hitNothing ? tracker.TrackRubberBand(TRUE) : tracker.Track(FALSE);
    m_bSelectionShown = TRUE;
    if (!tracked)
        return FALSE;
    return LiftPiece(tracker.GetImageRect());
}

BOOL CPntCtrl::LiftPiece(const CRect& rect)
{
    m_rcPieceSource = rect;
    m_bSelectionShown = TRUE;
    if (!m_Piece.Create(rect.Width(), rect.Height(), 1, m_Image.GetBitCount(), nullptr, m_Image.GetLogPalette()))
        return TRUE;
    CDC* into = m_Piece.GetMemoryDC(nullptr, FALSE);
    const POINT origin = rect.TopLeft();
    const SIZE size = rect.Size();
    if (into)
        m_Image.Draw(into, 0, 0, &origin, &size);
    m_Piece.ReleaseMemoryDC();
    return TRUE;
}

// Without Ctrl the piece leaves an erased hole behind; with Ctrl it is a copy. A piece
// dropped before is taken back up first.
BOOL CPntCtrl::MovePiece(CPntTracker& tracker)
{
    if (m_bTextActive)
        UndoStep(TRUE);
    else
        m_bCutOnMove = ::GetKeyState(VK_CONTROL) >= 0;
    const int mode = m_nMode;
    m_nMode = ModePasted;
    m_bDragging = TRUE;
    if (TakeDragBackup()) {
        if (m_bCutOnMove)
            EraseArea(&m_rcPieceSource, FALSE);
        DrawPieceAt(m_rcSelection);
    }
    BOOL tracked = tracker.Track(FALSE);
    if (!tracked) {
        tracker.m_rect = m_rcSelection;
        tracked = TRUE;
    }
    m_bDragging = FALSE;
    const BOOL restored = RestoreFromBackup(TRUE);
    if (restored && m_nMode == ModePasted) {
        PushUndo();
        if (m_bCutOnMove)
            EraseArea(&m_rcPieceSource, FALSE);
        DrawPieceAt(tracker.GetImageRect());
        SetModified(TRUE);
    }
    m_bTextActive = TRUE;
    m_nMode = mode;
    m_bSelectionShown = TRUE;
    return restored && tracked;
}

void CPntCtrl::DrawPieceAt(const CRect& rect)
{
    if (!m_Piece.GetSafeHandle())
        return;
    const int w = m_Piece.GetWidth(), h = m_Piece.GetHeight();
    const int x = rect.left <= 0 ? rect.right - w : rect.left;
    const int y = rect.top <= 0 ? rect.bottom - h : rect.top;
    CDC* into = m_Image.GetMemoryDC(nullptr, FALSE);
    if (into) {
        if (DrawsTransparent())
            m_Piece.DrawTransparent(into, x, y, m_crTransparent);
        else
            m_Piece.Draw(into, x, y);
    }
    m_Image.ReleaseMemoryDC();
    RedrawNow();
}

BOOL CPntCtrl::DrawTextAt(const CRect& rect)
{
    return m_Image.DrawText(m_strText, rect, m_nTextFormat, m_crForeground, &m_Font);
}

BOOL CPntCtrl::PlaceText(CPntTracker& tracker)
{
    const int hit = tracker.GetHit();
    if (hit == CRectTracker::hitNothing)
        m_bTextActive = FALSE;
    if (m_bTextActive && !m_strText.IsEmpty()) {
        UndoStep(TRUE);
    } else {
        m_strText.Empty();
        ClearTextBar();
        if (m_TextBar)
            m_TextBar->Show();
    }
    const bool hasText = !m_strText.IsEmpty();
    if (hasText && TakeDragBackup())
        DrawTextAt(m_rcSelection);
    m_bSelectionShown = FALSE;
    RedrawNow();
    BOOL ok = hit == CRectTracker::hitNothing ? tracker.TrackRubberBand(TRUE) : tracker.Track(FALSE);
    if (hasText && !RestoreFromBackup(TRUE))
        ok = FALSE;
    if (ok && hasText) {
        PushUndo();
        DrawTextAt(tracker.GetImageRect());
        SetModified(TRUE);
        RedrawNow();
    }
    m_bSelectionShown = TRUE;
    m_bTextActive = TRUE;
    return ok;
}
