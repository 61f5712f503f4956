// New and resized pictures through the size dialog.
#include "imaging/paint/PntCtrl.h"
#include "imaging/paint/PntSizeDlg.h"

namespace {

constexpr int kDefaultSide = 32;
constexpr int kDefaultBitCount = 8;

} // namespace

BOOL CPntCtrl::NewImage(int width, int height, int bitCount)
{
    CPntSizeDlg dialog(this);
    dialog.SetValues(width < 0 ? kDefaultSide : width, height < 0 ? kDefaultSide : height,
                     bitCount < 0 ? kDefaultBitCount : bitCount);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    return CreateImage(dialog.m_nWidth, dialog.m_nHeight, 1, dialog.GetBitCount());
}

BOOL CPntCtrl::Resize()
{
    if (!HasImage())
        return NewImage(-1, -1, -1);
    CPntSizeDlg dialog(this);
    dialog.SetValues(m_Image.GetWidth(), m_Image.GetHeight(), m_Image.GetBitCount());
    dialog.m_bCropAllowed = m_bSelectionShown && m_rcSelection != WholeImage();
    if (dialog.DoModal() != IDOK)
        return FALSE;
    const bool crop = dialog.m_bCrop && dialog.m_bCropAllowed;
    const CPoint origin = crop ? m_rcSelection.TopLeft() : CPoint(0, 0);
    const CSize size = crop ? m_rcSelection.Size() : CSize(dialog.m_nWidth, dialog.m_nHeight);
    if (size.cx <= 0 || size.cy <= 0)
        return FALSE;
    PushUndo();
    const BOOL converted = m_Image.Convert(size.cx, size.cy, 1, dialog.GetBitCount(), &origin);
    SetModified(TRUE);
    UpdateScrollRanges();
    ResetSelection();
    Invalidate();
    return converted;
}
