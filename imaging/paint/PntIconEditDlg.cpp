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
        return TRUE;
    }
    return CPntDlg::OnNotify(wParam, lParam, result);
}

void CPntIconEditDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPreview(dc);
}

// The icon at its own size inside a black frame, the transparent colour left out.
void CPntIconEditDlg::PaintPreview(CDC& dc)
{
    CWnd* preview = GetDlgItem(IdPreview);
    if (!preview || !m_Ctrl.HasImage())
        return;
    CRect r;
    preview->GetWindowRect(&r);
    ScreenToClient(&r);
    dc.FillSolidRect(r, ::GetSysColor(COLOR_BTNFACE));
    CDIBSection& canvas = m_Ctrl.GetCanvas();
    const COLORREF transparent = m_Ctrl.GetTransparencyColour();
    if (m_Ctrl.IsTransparencyOn() && transparent != CPntCtrl::NoColour)
        canvas.StretchTransparent(&dc, r.left, r.top, r.Width(), r.Height(), transparent);
    else
        canvas.Stretch(&dc, r.left, r.top, r.Width(), r.Height());
    CRect frame = r;
    frame.InflateRect(2, 2);
    CBrush black(RGB(0, 0, 0));
    dc.FrameRect(frame, &black);
}

void CPntIconEditDlg::OnSize(UINT type, int cx, int cy)
{
    CPntDlg::OnSize(type, cx, cy);
    if (m_ToolBar.GetSafeHwnd())
        m_ToolBar.Invalidate();
}
