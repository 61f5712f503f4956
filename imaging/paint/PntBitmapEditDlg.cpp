#include "imaging/paint/PntBitmapEditDlg.h"

#include "imaging/paint/PntTextFmtBar.h"
#include "platform/ui/ControlTypes.h"

IMPLEMENT_DYNAMIC(CPntBitmapEditDlg, CPntDlg)

namespace {

constexpr int kMinZoom = 10, kMaxZoom = 600, kSmallSide = 50;

} // namespace

BOOL AttachPaintBars(CDialog* dialog, CPntCtrl& ctrl, CPntToolBar& bar)
{
    ctrl.SetTextInput(std::make_unique<CPntTextFmtBar>(&ctrl));
    if (!bar.Create(dialog, &ctrl, CPntToolBar::BitmapId, WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS))
        return FALSE;
    if (CWnd* place = dialog->GetDlgItem(CPntBitmapEditDlg::IdToolBarPlace)) {
        CRect r;
        place->GetWindowRect(&r);
        dialog->ScreenToClient(&r);
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
    for (UINT id : {UINT(IDOK), UINT(IDCANCEL), IdSlider, IdLabel10, IdLabel100, IdLabel600, IdToolBarPlace})
        AddFlexControl(id, CFlexHorzConstraint::Move, CFlexVertConstraint::Fixed);
    AddFlexControl(IdSizeGrip, CFlexHorzConstraint::Move, CFlexVertConstraint::Move);
    AddFlexControl(IdPaint, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Stretch);
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
    if (m_ToolBar.GetSafeHwnd())
        m_ToolBar.Invalidate();
}
