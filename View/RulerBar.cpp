#include "View/RulerBar.h"

#include "platform/ui/ControlTypes.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"

BEGIN_MESSAGE_MAP(CRulerBar, CDialogBar)
    ON_WM_SIZE()
    ON_WM_RBUTTONDOWN()
    ON_COMMAND(CRulerBar::CmdInches, OnInches)
    ON_COMMAND(CRulerBar::CmdCentimetres, OnCentimetres)
    ON_COMMAND(CRulerBar::CmdZoomSwitch, OnZoomSwitch)
END_MESSAGE_MAP()

void RegisterRulerBarTemplate()
{
    if (FindDialogResource(CRulerBar::TemplateId))
        return;
    DialogTemplate bar;
    bar.style = WS_CHILD;
    // 16 x 19 pixels: a vertical ruler's width and a horizontal ruler's height.
    bar.cx = 11;
    bar.cy = 12;
    bar.items = {{"static", "", CRulerBar::RulerControlId, WS_CHILD | WS_VISIBLE, 0, 0, 0, 11, 12}};
    RegisterDialogResource(CRulerBar::TemplateId, bar);
}

CRulerBar::CRulerBar() = default;

CRulerBar::~CRulerBar() = default;

BOOL CRulerBar::Create(CWnd* parent, UINT templateId, UINT style, UINT id, BOOL horizontal)
{
    RegisterRulerBarTemplate();
    if (!CDialogBar::Create(parent, templateId, style, id))
        return FALSE;
    m_ruler.reset(CreateRuler());
    m_horizontal = horizontal;
    if (!m_ruler->SubclassDlgItem(RulerControlId, this))
        return FALSE;
    m_ruler->Initialise(this, horizontal);
    m_sizeDefault = CSize(VerticalThickness, HorizontalThickness);
    return TRUE;
}

void CRulerBar::OnSize(UINT, int cx, int cy)
{
    if (m_ruler && m_ruler->m_hWnd) {
        if (m_horizontal)
            m_ruler->SetWindowPos(nullptr, 0, cy - HorizontalThickness, cx, HorizontalThickness,
                                  SWP_NOACTIVATE | SWP_NOZORDER);
        else
            m_ruler->SetWindowPos(nullptr, cx - VerticalThickness, 0, VerticalThickness, cy,
                                  SWP_NOACTIVATE | SWP_NOZORDER);
    }
    Default();
}

void CRulerBar::OnRButtonDown(UINT, CPoint point)
{
    CMenu menu;
    if (!m_ruler || !menu.LoadMenu(MenuId))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    const BOOL inches = m_ruler->GetUnits() == CRulerWnd::Inches;
    popup->CheckMenuItem(CmdInches, MF_BYCOMMAND | (inches ? MF_CHECKED : MF_UNCHECKED));
    popup->CheckMenuItem(CmdCentimetres, MF_BYCOMMAND | (inches ? MF_UNCHECKED : MF_CHECKED));
    popup->CheckMenuItem(CmdZoomSwitch, MF_BYCOMMAND | (m_ruler->GetZoomSwitch() ? MF_CHECKED : MF_UNCHECKED));
    ClientToScreen(&point);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CRulerBar::OnInches()
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_RULER_UNITS, 1, 0);
}

void CRulerBar::OnCentimetres()
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_RULER_UNITS, 0, 0);
}

void CRulerBar::OnZoomSwitch()
{
    if (m_ruler)
        m_ruler->SetZoomSwitch(!m_ruler->GetZoomSwitch(), m_ruler->m_zoomFactor);
}
