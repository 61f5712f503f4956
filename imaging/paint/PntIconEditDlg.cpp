#include "imaging/paint/PntIconEditDlg.h"

#include "imaging/paint/PntBitmapEditDlg.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/SysColors.h"

IMPLEMENT_DYNAMIC(CPntIconEditDlg, CPntDlg)

namespace {

constexpr int kIconSide = 32;
constexpr int kFrame = 1;

} // namespace

BEGIN_MESSAGE_MAP(CPntIconEditDlg, CPntDlg)
    ON_WM_PAINT()
    ON_WM_DRAWITEM()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CPntIconEditDlg::CPntIconEditDlg(CWnd* parent)
    : CPntDlg(TemplateId, parent)
{
    m_Ctrl.EnableTransparency(TRUE);
}

BOOL CPntIconEditDlg::SetIcon(const CDib* image, const CDib* mask)
{
    if (!m_Ctrl.SetImage(image) || !m_Ctrl.HasImage())
        return FALSE;
    CDIBSection& canvas = m_Ctrl.GetCanvas();
    if (!canvas.GetColorTableSize() && !canvas.Convert(canvas.GetWidth(), canvas.GetHeight(), 1, 8, nullptr))
        return FALSE;
    return m_Ctrl.ApplyMask(mask) == 1;
}

void CPntIconEditDlg::SquareWindow(UINT id, int side)
{
    CWnd* item = GetDlgItem(static_cast<int>(id));
    if (!item)
        return;
    CRect r;
    item->GetWindowRect(&r);
    ScreenToClient(&r);
    item->MoveWindow(r.left, r.top, side, side);
}

BOOL CPntIconEditDlg::OnInitDialog()
{
    CPntDlg::OnInitDialog();
    if (!m_Ctrl.SubclassDlgItem(CPntBitmapEditDlg::IdPaint, this)) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    m_Ctrl.SetZoomPercent(IconZoom);
    SquareWindow(CPntBitmapEditDlg::IdPaint, kIconSide * IconZoom / 100 + 2 * 5 + 2 * kFrame + 2);
    m_Ctrl.SetMode(CPntCtrl::ModePencil);
    m_Ctrl.SetGrid(TRUE, 600);
    m_Ctrl.EnableCentring(TRUE);
    AttachPaintBars(this, m_Ctrl, m_ToolBar);
    SquareWindow(IdPreview, 2 * kFrame + kIconSide - 1);
    // The preview window draws the icon itself; the dialog below it would be covered.
    if (CWnd* preview = GetDlgItem(IdPreview))
        preview->ModifyStyle(SS_TYPEMASK, SS_OWNERDRAW);
    m_Ctrl.Refresh();
    for (UINT id : {UINT(IDOK), UINT(IDCANCEL), IdPreview})
        AddFlexControl(id, CFlexHorzConstraint::Move, CFlexVertConstraint::Fixed);
    AddFlexControl(CPntBitmapEditDlg::IdSizeGrip, CFlexHorzConstraint::Move, CFlexVertConstraint::Move);
    AddFlexControl(CPntBitmapEditDlg::IdPaint, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Stretch);
    return TRUE;
}

BOOL CPntIconEditDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (IsPaintStateNotify(reinterpret_cast<const NMHDR*>(lParam))) {
        m_ToolBar.UpdateButtons();
        Invalidate(FALSE);
        if (CWnd* preview = GetDlgItem(IdPreview))
            preview->Invalidate(FALSE);
        return TRUE;
    }
    return CPntDlg::OnNotify(wParam, lParam, result);
}

CRect CPntIconEditDlg::GetPreviewRect() const
{
    CRect r;
    if (CWnd* preview = GetDlgItem(IdPreview)) {
        preview->GetWindowRect(&r);
        ScreenToClient(&r);
    }
    return r;
}

// The black frame lies on the dialog, 2 pixels outside the preview window.
void CPntIconEditDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect frame = GetPreviewRect();
    if (frame.IsRectEmpty())
        return;
    frame.InflateRect(2, 2);
    CBrush black(RGB(0, 0, 0));
    dc.FrameRect(frame, &black);
}

void CPntIconEditDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item)
{
    if (id != static_cast<int>(IdPreview)) {
        CPntDlg::OnDrawItem(id, item);
        return;
    }
    PaintPreview(*CDC::FromHandle(item->hDC), CRect(item->rcItem));
}

// The icon at its own size, the transparent colour left out.
void CPntIconEditDlg::PaintPreview(CDC& dc, const CRect& r)
{
    dc.FillSolidRect(r, ::GetSysColor(COLOR_BTNFACE));
    if (!m_Ctrl.HasImage())
        return;
    CDIBSection& canvas = m_Ctrl.GetCanvas();
    const COLORREF transparent = m_Ctrl.GetTransparencyColour();
    if (m_Ctrl.IsTransparencyOn() && transparent != CPntCtrl::NoColour)
        canvas.StretchTransparent(&dc, r.left, r.top, r.Width(), r.Height(), transparent);
    else
        canvas.Stretch(&dc, r.left, r.top, r.Width(), r.Height());
}

void CPntIconEditDlg::OnSize(UINT type, int cx, int cy)
{
    CPntDlg::OnSize(type, cx, cy);
    if (m_ToolBar.GetSafeHwnd())
        m_ToolBar.Invalidate();
}
