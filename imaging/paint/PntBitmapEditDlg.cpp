#include "imaging/paint/PntBitmapEditDlg.h"

#include "imaging/paint/PntTextFmtBar.h"
#include "platform/ui/ControlTypes.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CPntBitmapEditDlg, CPntDlg)

namespace {

constexpr int kMinZoom = 10, kMaxZoom = 600, kSmallSide = 50;
// The editor narrows until its picture is this wide; the tool bar wraps into rows meanwhile.
constexpr int kNarrowestPaint = 200;
// What stays at the editor's right edge.
constexpr UINT kRightColumn[] = {IDOK, IDCANCEL, CPntBitmapEditDlg::IdSlider, CPntBitmapEditDlg::IdLabel10,
                                 CPntBitmapEditDlg::IdLabel100, CPntBitmapEditDlg::IdLabel600,
                                 CPntBitmapEditDlg::IdSizeGrip};

void MoveItem(CWnd* dialog, UINT id, const CRect& r)
{
    if (CWnd* item = dialog->GetDlgItem(id))
        item->MoveWindow(&r);
}

} // namespace

CRect DlgItemRect(const CWnd* dialog, UINT id)
{
    CRect r(0, 0, 0, 0);
    if (CWnd* item = dialog->GetDlgItem(static_cast<int>(id))) {
        item->GetWindowRect(&r);
        dialog->ScreenToClient(&r);
    }
    return r;
}

void ShiftDlgItem(CWnd* dialog, UINT id, CPoint by)
{
    MoveItem(dialog, id, DlgItemRect(dialog, id) + by);
}

int FitPaintBar(CWnd* dialog, CPntToolBar& bar, int narrower)
{
    CRect place = DlgItemRect(dialog, CPntBitmapEditDlg::IdToolBarPlace);
    place.right += narrower;
    const CSize rows = bar.CalcDynamicLayout(place.Width(), CPntToolBar::LayoutHorizontal);
    bar.MoveWindow(place.left, place.top, place.Width(), rows.cy);
    bar.Invalidate();
    return std::max(0, int(rows.cy - place.Height()));
}

BOOL AttachPaintBars(CDialog* dialog, CPntCtrl& ctrl, CPntToolBar& bar)
{
    ctrl.SetTextInput(std::make_unique<CPntTextFmtBar>(&ctrl));
    if (!bar.Create(dialog, &ctrl, CPntToolBar::BitmapId, WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS))
        return FALSE;
    if (CWnd* place = dialog->GetDlgItem(CPntBitmapEditDlg::IdToolBarPlace)) {
        CRect r;
        place->GetWindowRect(&r);
        dialog->ScreenToClient(&r);
        // The first row shows whole below the gripper, however low the place is.
        CRect first;
        bar.GetItemRect(0, &first);
        r.bottom = std::max(r.bottom, r.top + bar.GetClientOffset().cy + first.bottom);
        bar.SetDlgCtrlID(CPntBitmapEditDlg::IdToolBarPlace + 100);
        bar.MoveWindow(&r);
    }
    bar.UpdateButtons();
    return TRUE;
}

BOOL IsPaintStateNotify(const NMHDR* header)
{
    return header && header->idFrom == CPntBitmapEditDlg::IdPaint &&
           (header->code == CPntCtrl::ImageChangedCode() || header->code == CPntCtrl::ColourSampledCode() ||
            header->code == CPntCtrl::ModeChangedCode());
}

BEGIN_MESSAGE_MAP(CPntBitmapEditDlg, CPntDlg)
    ON_WM_VSCROLL()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CPntBitmapEditDlg::CPntBitmapEditDlg(CWnd* parent)
    : CPntDlg(TemplateId, parent)
{
}

BOOL CPntBitmapEditDlg::OnInitDialog()
{
    m_Slider.SubclassDlgItem(IdSlider, this);
    CPntDlg::OnInitDialog();
    if (!m_Ctrl.SubclassDlgItem(IdPaint, this) || (!m_Ctrl.HasImage() && !m_Ctrl.NewImage(-1, -1, -1))) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    SetForegroundWindow();
    PlaceSlider();
    const CSize size = m_Ctrl.GetCanvas().GetSize();
    if (size.cx < kSmallSide || size.cy < kSmallSide)
        m_Ctrl.SetZoomPercent(kMaxZoom);
    m_Ctrl.SetMode(CPntCtrl::ModePencil);
    m_Ctrl.SetGrid(TRUE, kMaxZoom);
    m_Ctrl.EnableTransparency(TRUE);
    m_Ctrl.EnableCentring(TRUE);
    m_Ctrl.Refresh();
    AttachPaintBars(this, m_Ctrl, m_ToolBar);
    m_Slider.SetPos(m_Ctrl.GetZoomPercent());
    for (UINT id : kRightColumn)
        AddFlexControl(id, CFlexHorzConstraint::Move,
                       id == IdSizeGrip ? CFlexVertConstraint::Move : CFlexVertConstraint::Fixed);
    AddFlexControl(IdToolBarPlace, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Fixed);
    AddFlexControl(IdPaint, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Stretch);
    // The window may already stand at the size the user left it, narrower than its template.
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    m_nFullWidth = GetMinTrackSize().cx - (window.Width() - client.Width());
    m_nNarrowest = GetMinTrackSize().cx - std::max(0, DlgItemRect(this, IdPaint).Width() - kNarrowestPaint);
    m_bLaidOut = TRUE;
    OnSize(SIZE_RESTORED, client.Width(), client.Height());
    return TRUE;
}

void CPntBitmapEditDlg::PlaceSlider()
{
    m_Slider.SetRange(kMinZoom, kMaxZoom, TRUE);
    m_Slider.SetPos(100);
    m_Slider.SetTicFreq(100);
}

void CPntBitmapEditDlg::OnVScroll(UINT code, UINT pos, CScrollBar* bar)
{
    if (!bar || bar->GetSafeHwnd() != m_Slider.GetSafeHwnd()) {
        CPntDlg::OnVScroll(code, pos, bar);
        return;
    }
    if (code == TB_ENDTRACK)
        return;
    if (code == TB_PAGEUP || code == TB_PAGEDOWN) {
        const int step = m_Ctrl.GetNextZoomStep(m_Ctrl.GetZoomPercent(), code == TB_PAGEDOWN);
        if (step > 0)
            m_Slider.SetPos(step);
    }
    m_Ctrl.SetZoomPercent(m_Slider.GetPos());
}

BOOL CPntBitmapEditDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (IsPaintStateNotify(header)) {
        m_ToolBar.UpdateButtons();
        return TRUE;
    }
    if (header && header->idFrom == IdPaint && header->code == CPntCtrl::ZoomChangedCode()) {
        if (m_Slider.GetSafeHwnd())
            m_Slider.SetPos(m_Ctrl.GetZoomPercent());
        return TRUE;
    }
    return CPntDlg::OnNotify(wParam, lParam, result);
}

void CPntBitmapEditDlg::OnSize(UINT type, int cx, int cy)
{
    CPntDlg::OnSize(type, cx, cy);
    if (m_bLaidOut && type != SIZE_MINIMIZED && m_ToolBar.GetSafeHwnd())
        FitToWidth(cx);
}

void CPntBitmapEditDlg::OnGetMinMaxInfo(MINMAXINFO* info)
{
    CPntDlg::OnGetMinMaxInfo(info);
    if (m_bLaidOut)
        info->ptMinTrackSize.x = m_nNarrowest;
}

// The resize rules only widen; below the first width the right column moves in, the picture
// narrows and the tool bar wraps into rows that push the picture down.
void CPntBitmapEditDlg::FitToWidth(int cx)
{
    const int narrower = std::min(0, cx - m_nFullWidth);
    const int lower = FitPaintBar(this, m_ToolBar, narrower);
    for (UINT id : kRightColumn) {
        const bool underBar = id != IDOK && id != IDCANCEL && id != IdSizeGrip;
        ShiftDlgItem(this, id, CPoint(narrower, underBar ? lower : 0));
    }
    CRect paint = DlgItemRect(this, IdPaint);
    paint.right += narrower;
    paint.top += lower;
    MoveItem(this, IdPaint, paint);
}
