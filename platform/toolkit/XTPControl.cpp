#include "platform/toolkit/XTPControl.h"

#include "platform/gdi/Dc.h"
#include "platform/toolkit/XTPCommandBar.h"
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPPaintManager.h"
#include "platform/toolkit/XTPPopupBar.h"
#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/LanguageTexts.h"
#include "platform/ui/FrameWnd.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CXTPControl, CObject)
IMPLEMENT_DYNCREATE(CXTPControlButton, CXTPControl)
IMPLEMENT_DYNCREATE(CXTPControlPopup, CXTPControl)
IMPLEMENT_DYNCREATE(CXTPControlCustom, CXTPControl)

void CXTPControl::InternalRelease()
{
    if (--m_refs == 0)
        delete this;
}

void CXTPControl::SetCaption(LPCTSTR caption)
{
    if (m_caption == (caption ? caption : ""))
        return;
    m_caption = caption;
    if (m_parent)
        m_parent->DelayRecalc();
}

void CXTPControl::SetStyle(CommandButtonStyle style)
{
    if (m_style == style)
        return;
    m_style = style;
    if (m_parent)
        m_parent->DelayRecalc();
}

void CXTPControl::SetEnabled(BOOL enabled)
{
    if (!m_enabled == !enabled)
        return;
    m_enabled = enabled;
    RedrawParent();
}

void CXTPControl::SetChecked(int checked)
{
    if (m_checked == checked)
        return;
    m_checked = checked;
    RedrawParent();
}

BOOL CXTPControl::IsVisible() const
{
    return m_visible && (!m_hiddenCommand || !m_parent || m_parent->ShowsHiddenCommands());
}

void CXTPControl::SetVisible(BOOL visible)
{
    if (!m_visible == !visible)
        return;
    m_visible = visible;
    if (m_parent)
        m_parent->DelayRecalc();
}

void CXTPControl::SetRect(const CRect& rect) { m_rect = rect; }

void CXTPControl::SetSelected(BOOL selected)
{
    if (!m_selected == !selected)
        return;
    m_selected = selected;
    RedrawParent();
}

void CXTPControl::SetPressed(BOOL pressed)
{
    if (!m_pressed == !pressed)
        return;
    m_pressed = pressed;
    RedrawParent();
}

CSize CXTPControl::GetSize(CDC* dc) { return XTPPaintManager()->ButtonSize(dc, this); }

void CXTPControl::Draw(CDC* dc) { XTPPaintManager()->DrawButton(dc, this); }

CXTPCommandBars* CXTPControl::GetCommandBars() const { return m_parent ? m_parent->GetCommandBars() : nullptr; }

void CXTPControl::RedrawParent()
{
    if (m_parent && m_parent->GetSafeHwnd())
        m_parent->InvalidateRect(&m_rect, FALSE);
}

void CXTPControl::DelayRedrawParent()
{
    if (m_parent && m_parent->GetSafeHwnd())
        m_parent->Invalidate(FALSE);
}

void CXTPControl::OnExecute()
{
    CWnd* site = m_parent ? m_parent->GetSite() : nullptr;
    if (site && m_nId)
        site->PostMessage(WM_COMMAND, m_nId, 0);
}

void CXTPControl::NotifySite(WORD code, void* data)
{
    CWnd* site = m_parent ? m_parent->GetSite() : nullptr;
    if (!site || !m_nId)
        return;
    XTPControlNotify notify{};
    notify.hdr.idFrom = m_nId;
    notify.hdr.code = code;
    notify.pControl = this;
    notify.pData = data;
    site->SendMessage(WM_NOTIFY, m_nId, reinterpret_cast<LPARAM>(&notify));
}

void CXTPControl::OnClick(CPoint)
{
    if (!m_enabled)
        return;
    CXTPCommandBars* bars = GetCommandBars();
    if (bars)
        bars->CancelTracking();
    OnExecute();
}

void CXTPControl::Copy(const CXTPControl* source)
{
    m_type = source->m_type;
    m_nId = source->m_nId;
    m_nIconId = source->m_nIconId;
    m_caption = source->m_caption;
    m_tooltip = source->m_tooltip;
    m_parameter = source->m_parameter;
    m_flags = source->m_flags;
    m_style = source->m_style;
    m_beginGroup = source->m_beginGroup;
    m_visible = source->m_visible;
}

CXTPControlPopup::~CXTPControlPopup() { SetCommandBar(nullptr); }

CXTPControlPopup* CXTPControlPopup::CreateControlPopup(CommandControlType type)
{
    auto* popup = new CXTPControlPopup;
    popup->SetType(type);
    return popup;
}

void CXTPControlPopup::SetCommandBar(CXTPCommandBar* bar)
{
    if (m_popupBar == bar)
        return;
    if (bar)
        bar->InternalAddRef();
    if (auto* open = DYNAMIC_DOWNCAST(CXTPPopupBar, m_popupBar))
        open->ClosePopup();
    if (m_popupBar)
        m_popupBar->InternalRelease();
    m_popupBar = bar;
    if (bar && m_parent)
        bar->SetCommandBars(m_parent->GetCommandBars());
}

CRect CXTPControlPopup::GetSplitRect() const
{
    if (m_type != ControlTypeSplitButtonPopup)
        return CRect(0, 0, 0, 0);
    return CRect(m_rect.right - 11, m_rect.top, m_rect.right, m_rect.bottom);
}

BOOL CXTPControlPopup::OpensOnWholeFace() const
{
    // In a menu a split button's row opens its list as any sub-menu does.
    return m_type != ControlTypeSplitButtonPopup || CXTPPaintManager::IsMenuRow(this);
}

CSize CXTPControlPopup::GetSize(CDC* dc)
{
    CSize size = CXTPControl::GetSize(dc);
    if (CXTPPaintManager::IsMenuRow(this))
        return size;
    if (m_parent && m_parent->IsKindOf(RUNTIME_CLASS(CXTPMenuBar)))
        return CSize(XTPPaintManager()->MeasureCaption(dc, m_caption).cx + 14, 20);
    if (m_type == ControlTypeSplitButtonPopup || m_type == ControlTypeButtonPopup)
        size.cx += 11;
    return size;
}

BOOL CXTPControlPopup::OpenPopup(BOOL selectFirst)
{
    auto* popup = DYNAMIC_DOWNCAST(CXTPPopupBar, m_popupBar);
    if (!popup || !m_parent || !m_parent->GetSafeHwnd())
        return FALSE;
    if (popup->IsOpen())
        return TRUE;
    CRect screen = m_rect;
    m_parent->ClientToScreen(&screen);
    BOOL beside = m_parent->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)) || !m_parent->IsHorizontal();
    CPoint at = beside ? CPoint(screen.right, screen.top) : CPoint(screen.left, screen.bottom);
    if (!popup->Popup(this, at, screen))
        return FALSE;
    SetPressed(TRUE);
    if (selectFirst)
        popup->SetSelected(popup->FindNextVisible(-1, 1));
    return TRUE;
}

void CXTPControlPopup::OnClick(CPoint point)
{
    if (!m_enabled)
        return;
    if (!OpensOnWholeFace() && !GetSplitRect().PtInRect(point)) {
        CXTPControl::OnClick(point);
        return;
    }
    auto* popup = DYNAMIC_DOWNCAST(CXTPPopupBar, m_popupBar);
    if (popup && popup->IsOpen()) {
        popup->ClosePopup();
        return;
    }
    if (m_parent && !m_parent->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)) && GetCommandBars())
        GetCommandBars()->CancelTracking();
    OpenPopup(FALSE);
}

void CXTPControlPopup::Draw(CDC* dc)
{
    CXTPControl::Draw(dc);
    BOOL menuBar = m_parent && m_parent->IsKindOf(RUNTIME_CLASS(CXTPMenuBar));
    if (menuBar)
        return;
    BOOL right = CXTPPaintManager::IsMenuRow(this);
    CRect arrow = right ? CRect(m_rect.right - 14, m_rect.top, m_rect.right - 4, m_rect.bottom)
                        : CRect(m_rect.right - 11, m_rect.top, m_rect.right, m_rect.bottom);
    XTPPaintManager()->DrawDropArrow(dc, arrow, m_enabled, right);
}

CSize CXTPControlCustom::GetSize(CDC*)
{
    CRect r(0, 0, 0, 0);
    if (m_pControl && m_pControl->GetSafeHwnd())
        m_pControl->GetWindowRect(&r);
    return CSize(r.Width() + m_borders.left + m_borders.right, r.Height() + m_borders.top + m_borders.bottom);
}

void CXTPControlCustom::Copy(const CXTPControl* source)
{
    CXTPControl::Copy(source);
    if (auto* custom = dynamic_cast<const CXTPControlCustom*>(source)) {
        m_pControl = custom->m_pControl;
        m_borders = custom->m_borders;
        m_verticalOption = custom->m_verticalOption;
    }
}

void CXTPControlCustom::PlaceWindow()
{
    if (!m_pControl || !m_pControl->GetSafeHwnd() || !m_parent || !m_parent->GetSafeHwnd())
        return;
    if (m_rect.IsRectEmpty()) {
        m_pControl->ShowWindow(SW_HIDE);
        return;
    }
    CRect inner(m_rect.left + m_borders.left, m_rect.top + m_borders.top, m_rect.right - m_borders.right,
                m_rect.bottom - m_borders.bottom);
    CRect current;
    m_pControl->GetWindowRect(&current);
    int height = m_verticalOption == 0 ? inner.Height() : std::min(current.Height(), inner.Height());
    int top = m_verticalOption == 1   ? inner.top
              : m_verticalOption == 3 ? inner.bottom - height
                                      : inner.top + (inner.Height() - height) / 2;
    if (m_pControl->GetParent() != m_parent)
        m_pControl->SetParent(m_parent);
    m_pControl->SetWindowPos(nullptr, inner.left, top, inner.Width(), height, SWP_NOZORDER | SWP_NOACTIVATE);
    m_pControl->ShowWindow(IsVisible() ? SW_SHOWNA : SW_HIDE);
}

CXTPControlList::~CXTPControlList() { RemoveAll(); }

CXTPControl* CXTPControlList::GetAt(int index) const
{
    return index >= 0 && index < GetCount() ? m_controls[static_cast<size_t>(index)] : nullptr;
}

CXTPControl* CXTPControlList::Add(CXTPControl* control, UINT id, LPCTSTR parameter, int before)
{
    if (!control)
        return nullptr;
    control->SetID(id);
    if (parameter && *parameter)
        control->SetCaption(parameter);
    control->SetParent(m_parent);
    control->SetControls(this);
    if (CXTPCommandBar* popup = control->GetCommandBar())
        popup->SetCommandBars(m_parent ? m_parent->GetCommandBars() : nullptr);
    if (before < 0 || before >= GetCount())
        m_controls.push_back(control);
    else
        m_controls.insert(m_controls.begin() + before, control);
    if (m_parent)
        m_parent->DelayRecalc();
    return control;
}

CXTPControl* CXTPControlList::Add(CommandControlType type, UINT id, LPCTSTR parameter, int before)
{
    return Add(CreateControlOfType(type), id, parameter, before);
}

CXTPControl* CXTPControlList::FindControl(UINT id) const
{
    auto it = std::find_if(m_controls.begin(), m_controls.end(), [id](CXTPControl* c) { return c->GetID() == id; });
    return it == m_controls.end() ? nullptr : *it;
}

CXTPControl* CXTPControlList::FindControl(CommandControlType type, UINT id) const
{
    for (CXTPControl* c : m_controls)
        if (c->GetID() == id && c->GetType() == type)
            return c;
    return nullptr;
}

int CXTPControlList::IndexOf(const CXTPControl* control) const
{
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    return it == m_controls.end() ? -1 : static_cast<int>(it - m_controls.begin());
}

void CXTPControlList::Remove(int index)
{
    if (index < 0 || index >= GetCount())
        return;
    CXTPControl* control = m_controls[static_cast<size_t>(index)];
    m_controls.erase(m_controls.begin() + index);
    control->SetParent(nullptr);
    control->InternalRelease();
    if (m_parent)
        m_parent->DelayRecalc();
}

void CXTPControlList::RemoveAll()
{
    while (!m_controls.empty())
        Remove(GetCount() - 1);
}

void CXTPControlPopup::Copy(const CXTPControl* source)
{
    CXTPControl::Copy(source);
    SetCommandBar(source->GetCommandBar());
}

CXTPControl* CloneControl(const CXTPControl* source)
{
    CObject* made = source->GetRuntimeClass()->CreateObject();
    auto* clone = DYNAMIC_DOWNCAST(CXTPControl, made);
    if (!clone) {
        delete made;
        clone = CreateControlOfType(source->GetType());
    }
    clone->Copy(source);
    return clone;
}

CString CommandCaption(UINT id)
{
    CString text;
    if (!id || !LoadLanguageString(id, text))
        return CString();
    CString tip;
    return AfxExtractSubString(tip, text, 1) && !tip.IsEmpty() ? tip : text;
}

CXTPControl* CreateControlOfType(CommandControlType type)
{
    switch (type) {
    case ControlTypePopup:
    case ControlTypeButtonPopup:
    case ControlTypeSplitButtonPopup: return CXTPControlPopup::CreateControlPopup(type);
    case ControlTypeCustom: return new CXTPControlCustom;
    default: return new CXTPControlButton;
    }
}
