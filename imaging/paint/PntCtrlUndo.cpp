// Undo copies of the whole picture, erasing, and the clipboard.
#include "imaging/paint/PntCtrl.h"

#include "platform/ole/Clipboard.h"

#include <algorithm>

void CPntCtrl::PushUndo()
{
    if (m_pUndoPos != m_UndoList.end()) {
        m_UndoList.erase(m_pUndoPos, m_UndoList.end());
        m_pUndoPos = m_UndoList.end();
    }
    auto copy = std::make_unique<CDIBSection>();
    if (!HasImage() || !copy->Copy(m_Image))
        return;
    while (static_cast<int>(m_UndoList.size()) >= m_nUndoLimit && !m_UndoList.empty())
        m_UndoList.pop_front();
    m_UndoList.push_back(std::move(copy));
}

void CPntCtrl::RestoreCanvas(const CDIBSection& copy)
{
    m_Image.Copy(copy);
    NotifyImageChanged();
}

void CPntCtrl::Undo()
{
    if (m_nMode == ModeText)
        ClearTextBar();
    UndoStep(FALSE);
}

// Placing text and moving a piece take their last drop back without touching the text bar,
// whose edit is what the user is typing.
void CPntCtrl::UndoStep(BOOL keepSelection)
{
    const CRect selection = m_rcSelection;
    if (m_UndoList.empty())
        return;
    if (m_pUndoPos == m_UndoList.end()) {
        auto current = std::make_unique<CDIBSection>();
        if (!current->Copy(m_Image))
            return;
        m_UndoList.push_back(std::move(current));
        m_pUndoPos = std::prev(m_UndoList.end());
    }
    if (m_pUndoPos == m_UndoList.begin())
        return;
    --m_pUndoPos;
    RestoreCanvas(**m_pUndoPos);
    if (keepSelection)
        m_rcSelection = selection;
    else
        ResetSelection();
    if (m_hWnd)
        Invalidate(FALSE);
}

void CPntCtrl::Redo()
{
    if (!CanRedo())
        return;
    ++m_pUndoPos;
    RestoreCanvas(**m_pUndoPos);
    if (m_hWnd)
        Invalidate(FALSE);
}

BOOL CPntCtrl::CanUndo() const { return !m_UndoList.empty() && m_pUndoPos != m_UndoList.begin(); }

BOOL CPntCtrl::CanRedo() const
{
    return !m_UndoList.empty() && m_pUndoPos != m_UndoList.end() && std::next(m_pUndoPos) != m_UndoList.end();
}

void CPntCtrl::ClearUndo()
{
    m_UndoList.clear();
    m_pUndoPos = m_UndoList.end();
}

void CPntCtrl::SetModified(BOOL modified)
{
    if (modified)
        NotifyImageChanged();
    else
        ClearUndo();
}

BOOL CPntCtrl::EraseArea(const CRect* rect, BOOL withUndo)
{
    if (!HasImage())
        return FALSE;
    const CRect area = rect ? *rect : m_rcSelection;
    if (withUndo)
        PushUndo();
    if (!m_Image.FillRect(area, EraseColour())) {
        if (withUndo)
            Undo();
        return FALSE;
    }
    if (withUndo)
        SetModified(TRUE);
    if (m_hWnd)
        Invalidate(FALSE);
    return TRUE;
}

BOOL CPntCtrl::Copy()
{
    if (m_nMode == ModeText && m_TextBar) {
        m_TextBar->Copy();
        return TRUE;
    }
    return HasImage() && m_Image.CopyToClipboard(&m_rcSelection);
}

BOOL CPntCtrl::Cut()
{
    if (m_bDragging)
        return FALSE;
    if (m_nMode == ModeText && m_TextBar) {
        m_TextBar->Cut();
        return TRUE;
    }
    return Copy() && EraseArea(nullptr, TRUE);
}

BOOL CPntCtrl::CanCopy() const
{
    if (!HasImage())
        return FALSE;
    if (m_nMode == ModeText)
        return TRUE;
    return (m_nMode == ModeSelect || m_bSelectionShown) && !m_rcSelection.IsRectEmpty();
}

BOOL CPntCtrl::CanPaste() const
{
    if (m_nMode == ModeText)
        return m_TextBar ? m_TextBar->CanPaste() : ::IsClipboardFormatAvailable(CF_TEXT);
    return CDIBSection::CanPaste() != 0;
}

BOOL CPntCtrl::Paste()
{
    if (m_bDragging)
        return FALSE;
    if (m_nMode == ModeText && m_TextBar) {
        m_TextBar->Paste();
        return TRUE;
    }
    const CSize picture = CDIBSection::GetClipboardBitmapSize();
    if (m_rcSelection.IsRectEmpty() || picture.cx <= 0 || picture.cy <= 0 || !HasImage())
        return FALSE;
    const CRect& s = m_rcSelection;
    CRect target(s.left, s.top, s.left + picture.cx, s.top + picture.cy);
    const bool fits = picture.cx <= s.Width() && picture.cy <= s.Height();
    if (!fits && m_bSelectionShown && s != WholeImage()) {
        const int answer = MessageBox(m_strCropQuestion, nullptr, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            return FALSE;
        if (answer == IDNO)
            target &= WholeImage();
        else
            target = CRect(s.left, s.top, s.left + std::min<int>(s.Width(), picture.cx),
                           s.top + std::min<int>(s.Height(), picture.cy));
    }
    m_rcSelection = target;
    if (!m_Piece.Create(target.Width(), target.Height(), 1, m_Image.GetBitCount(), nullptr, m_Image.GetLogPalette()))
        return FALSE;
    const CRect whole(0, 0, target.Width(), target.Height());
    const BOOL pasted = DrawsTransparent() ? m_Piece.PasteTransparent(&whole, m_crTransparent, m_bPasteTakePalette)
                                           : m_Piece.Paste(&whole, m_bPasteTakePalette);
    PushUndo();
    DrawPieceAt(target);
    SetModified(TRUE);
    m_bCutOnMove = FALSE;
    m_bTextActive = TRUE;
    return pasted;
}
