#include "platform/toolkit/XTPCommandBar.h"

#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPIconStore.h"
#include "platform/toolkit/XTPPopupBar.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"

IMPLEMENT_DYNAMIC(CXTPCommandBar, CWnd)

namespace {

// A control's enabled and checked state and caption, set by update handlers.
class CXTPControlCmdUI : public CCmdUI {
public:
    CXTPControl* control = nullptr;
    void Enable(BOOL on) override
    {
        m_bEnableChanged = TRUE;
        control->SetEnabled(on);
    }
    void SetCheck(int check) override { control->SetChecked(check); }
    void SetRadio(BOOL on) override { control->SetChecked(on ? 1 : 0); }
    void SetText(LPCTSTR text) override { control->SetCaption(text); }
};

BOOL isSeparator(const MenuTemplateItem& item) { return (item.flags & MF_SEPARATOR) || (item.id == 0 && item.children.empty()); }

} // namespace

CXTPCommandBar::CXTPCommandBar() : m_pControls(new CXTPControlList(this)) {}

CXTPCommandBar::~CXTPCommandBar()
{
    if (m_pExpandPopup)
        m_pExpandPopup->InternalRelease();
    if (m_hWnd)
        DestroyWindow();
    delete m_pControls;
}

void CXTPCommandBar::InternalRelease()
{
    if (--m_refs == 0)
        delete this;
}

CWnd* CXTPCommandBar::GetSite() const
{
    if (m_pCommandBars && m_pCommandBars->GetSite())
        return m_pCommandBars->GetSite();
    return m_hWnd ? GetOwner() : nullptr;
}

BOOL CXTPCommandBar::CreateBarWindow(CWnd* parent, DWORD style, const RECT& rect)
{
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    HWND parentHwnd = parent ? parent->GetSafeHwnd() : nullptr;
    if (!CWnd::CreateEx(0, cls, m_strTitle, style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                        parentHwnd, nullptr))
        return FALSE;
    if (CWnd* site = GetSite())
        SetOwner(site);
    return TRUE;
}

void CXTPCommandBar::SetTitle(LPCTSTR title)
{
    m_strTitle = title;
    if (m_hWnd)
        SetWindowText(title);
}

void CXTPCommandBar::SetVisible(BOOL visible)
{
    m_bVisible = visible;
    if (m_hWnd)
        ShowWindow(visible ? SW_SHOWNA : SW_HIDE);
}

void CXTPCommandBar::SetBarFlags(DWORD add, DWORD remove)
{
    m_dwFlags = (m_dwFlags & ~remove) | add;
    DelayRecalc();
}

BOOL CXTPCommandBar::LoadToolBar(UINT resourceId, BOOL loadIcons)
{
    const ToolBarTemplate* t = FindToolBarResource(resourceId);
    if (!t)
        return FALSE;
    m_nBarID = resourceId;
    LoadCommands(t->items);
    if (loadIcons && m_pCommandBars)
        m_pCommandBars->GetIconStore()->SetIcons(resourceId);
    return TRUE;
}

void CXTPCommandBar::LoadCommands(const std::vector<UINT>& items)
{
    m_pControls->RemoveAll();
    BOOL group = FALSE;
    for (UINT id : items) {
        if (id == 0) {
            group = TRUE;
            continue;
        }
        CXTPControl* control = CreateControlFor(id, ControlTypeButton, TRUE);
        control->SetBeginGroup(group && m_pControls->GetCount() > 1);
        group = FALSE;
        if (control->GetType() != ControlTypeButton && control->GetType() != ControlTypeCustom && !control->GetCommandBar())
            CreatePopupFor(control, FindMenuResource(id));
    }
    DelayRecalc();
}

void CXTPCommandBar::LoadMenuItems(const std::vector<MenuTemplateItem>& items)
{
    BOOL group = FALSE;
    for (const MenuTemplateItem& item : items) {
        if (isSeparator(item)) {
            group = TRUE;
            continue;
        }
        BOOL popup = !item.children.empty();
        CXTPControl* control = CreateControlFor(item.id, popup ? ControlTypePopup : ControlTypeButton, FALSE);
        control->SetCaption(item.text.c_str());
        control->SetBeginGroup(group && m_pControls->GetCount() > 1);
        if (item.flags & MF_GRAYED)
            control->SetEnabled(FALSE);
        group = FALSE;
        if (popup && !control->GetCommandBar())
            CreatePopupFor(control, &item.children);
        if (m_pCommandBars && m_pCommandBars->IsHiddenCommand(item.id))
            control->SetHiddenCommand(TRUE);
    }
    DelayRecalc();
}

CXTPControl* CXTPCommandBar::CreateControlFor(UINT id, CommandControlType type, BOOL fromToolBar)
{
    CreateControlRequest request;
    request.nID = id;
    request.bToolBar = fromToolBar;
    request.pCommandBar = this;
    request.controlType = type;
    CXTPControl* control = nullptr;
    if (m_pCommandBars && m_pCommandBars->RequestControl(request))
        control = request.pControl;
    if (!control)
        control = CreateControlOfType(request.controlType);
    m_pControls->Add(control, id);
    if (control->GetCaption().IsEmpty())
        control->SetCaption(CommandCaption(id));
    return control;
}

CXTPCommandBar* CXTPCommandBar::CreatePopupFor(CXTPControl* control, const std::vector<MenuTemplateItem>* items)
{
    auto* popup = DYNAMIC_DOWNCAST(CXTPControlPopup, control);
    if (!popup)
        return nullptr;
    CreateBarRequest request;
    request.bPopup = TRUE;
    request.strCaption = control->GetCaption();
    request.nID = control->GetID();
    CXTPCommandBar* bar = nullptr;
    if (m_pCommandBars && m_pCommandBars->RequestBar(request))
        bar = request.pCommandBar;
    if (!bar)
        bar = CXTPPopupBar::CreatePopupBar(m_pCommandBars);
    bar->SetCommandBars(m_pCommandBars);
    if (bar->GetControlCount() == 0) {
        if (items)
            bar->LoadMenuItems(*items);
        else if (FindToolBarResource(control->GetID()))
            bar->LoadToolBar(control->GetID());
    }
    popup->SetCommandBar(bar);
    bar->InternalRelease();
    return bar;
}

void CXTPCommandBar::SetTearOffPopup(LPCTSTR caption, UINT id, int width)
{
    m_bTearOff = TRUE;
    m_strTearOffCaption = caption;
    m_nTearOffID = id;
    m_nTearOffWidth = width;
}

BOOL CXTPCommandBar::IsTearOffPopup(CString& caption, UINT& id, int& width) const
{
    caption = m_strTearOffCaption;
    id = m_nTearOffID;
    width = m_nTearOffWidth;
    return m_bTearOff;
}

void CXTPCommandBar::DelayRecalc()
{
    m_bLayoutPending = TRUE;
    if (!m_hWnd)
        return;
    Invalidate(FALSE);
    if (CWnd* site = GetSite(); site && site->IsKindOf(RUNTIME_CLASS(CFrameWnd)) && GetParent() == site)
        static_cast<CFrameWnd*>(site)->DelayRecalcLayout();
}

void CXTPCommandBar::OnUpdateCmdUI()
{
    if (m_hWnd && IsWindowVisible())
        UpdateControls();
}

void CXTPCommandBar::UpdateControls()
{
    CWnd* site = GetSite();
    if (!site)
        return;
    CXTPControlCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetControlCount());
    for (int i = 0; i < GetControlCount(); ++i) {
        CXTPControl* control = GetControl(i);
        if (!control->GetID() || control->GetType() == ControlTypePopup || (control->GetFlags() & ControlFlagManualUpdate))
            continue;
        state.control = control;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = control->GetID();
        state.DoUpdate(site, TRUE);
        control->OnUpdated();
    }
}
