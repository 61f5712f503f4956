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
    if (CWnd* item = GetDlgItem(static_cast<int>(id))) {
        const CRect r = DlgItemRect(this, id);
        item->MoveWindow(r.left, r.top, side, side);
    }
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
    AddFlexControl(CPntBitmapEditDlg::IdToolBarPlace, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Fixed);
    AddFlexControl(CPntBitmapEditDlg::IdPaint, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Stretch);
    m_bLaidOut = TRUE;
    CRect client;
    GetClientRect(&client);
    OnSize(SIZE_RESTORED, client.Width(), client.Height());
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

// The black frame lies on the dialog, 2 pixels outside the preview window.
void CPntIconEditDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect frame = DlgItemRect(this, IdPreview);
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

// Every row of the tool bar shows: rows beyond the placeholder push the picture and the
// preview down.
void CPntIconEditDlg::OnSize(UINT type, int cx, int cy)
{
    CPntDlg::OnSize(type, cx, cy);
    if (!m_bLaidOut || type == SIZE_MINIMIZED || !m_ToolBar.GetSafeHwnd())
        return;
    const int lower = FitPaintBar(this, m_ToolBar, 0);
    for (UINT id : {CPntBitmapEditDlg::IdPaint, IdPreview})
        ShiftDlgItem(this, id, CPoint(0, lower));
    Invalidate();
}
