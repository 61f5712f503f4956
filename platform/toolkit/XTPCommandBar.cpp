#include "platform/toolkit/XTPCommandBar.h"

#include "platform/gdi/Dc.h"
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPControlComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/toolkit/XTPIconStore.h"
#include "platform/toolkit/XTPPaintManager.h"
#include "platform/toolkit/XTPPopupBar.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

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

BOOL hidesWhenVertical(const CXTPControl* control)
{
    CommandControlType type = control->GetType();
    return type == ControlTypeComboBox || type == ControlTypeEdit || type == ControlTypeCustom;
}

constexpr int kSeparator = 6;
constexpr UINT_PTR kHotTimer = 1;

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
    m_pControls->RemoveAll();
    BOOL group = FALSE;
    for (UINT id : t->items) {
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
    if (loadIcons && m_pCommandBars)
        m_pCommandBars->GetIconStore()->SetIcons(resourceId);
    DelayRecalc();
    return TRUE;
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

int CXTPCommandBar::GripperSize() const { return 0; }

void CXTPCommandBar::LayoutLine(CDC* dc, int length, BOOL horizontal, CSize& total)
{
    int start = 2 + GripperSize();
    int x = horizontal ? start : 2, y = horizontal ? TopMargin() : start;
    int lineExtent = 0;
    total = CSize(0, 0);
    for (int i = 0; i < GetControlCount(); ++i) {
        CXTPControl* control = GetControl(i);
        BOOL shown = control->IsVisible() && (horizontal || !hidesWhenVertical(control));
        if (!shown) {
            control->SetRect(CRect(0, 0, 0, 0));
            continue;
        }
        CSize size = control->GetSize(dc);
        int& along = horizontal ? x : y;
        int at = along == (horizontal ? start : start) ? along : along + (control->GetBeginGroup() ? kSeparator : 0);
        int extent = horizontal ? size.cx : size.cy;
        if (length > 0 && at + extent > length - 2 && along > start) {
            (horizontal ? y : x) += lineExtent;
            lineExtent = 0;
            at = start;
        }
        CRect rect = horizontal ? CRect(at, y, at + size.cx, y + size.cy) : CRect(x, at, x + size.cx, at + size.cy);
        control->SetRect(rect);
        along = at + extent;
        lineExtent = std::max(lineExtent, static_cast<int>(horizontal ? size.cy : size.cx));
        total.cx = std::max(total.cx, rect.right + 2);
        total.cy = std::max(total.cy, rect.bottom + 2);
    }
    if (ShowsExpandButton())
        (horizontal ? total.cx : total.cy) += kExpandButton;
    total.cx = std::max(total.cx, static_cast<LONG>(horizontal ? start + 2 : 27));
    total.cy = std::max(total.cy, static_cast<LONG>(horizontal ? 26 : start + 2));
    if (!horizontal)
        for (int i = 0; i < GetControlCount(); ++i) {
            CRect r = GetControl(i)->GetRect();
            if (!r.IsRectEmpty())
                GetControl(i)->SetRect(CRect(r.left, r.top, total.cx - 2, r.bottom));
        }
}

CSize CXTPCommandBar::CalcDockingLayout(int length, DWORD mode)
{
    CClientDC screen(nullptr);
    CSize total;
    BOOL wrap = !(mode & (LM_HORZDOCK | LM_VERTDOCK));
    LayoutLine(&screen, wrap ? length : 0, (mode & LM_HORZ) != 0, total);
    if (mode & LM_STRETCH) {
        if (mode & LM_HORZ)
            total.cx = std::max(static_cast<int>(total.cx), length);
        else
            total.cy = std::max(static_cast<int>(total.cy), length);
    }
    return total;
}

void CXTPCommandBar::OnRecalcLayout()
{
    m_bLayoutPending = FALSE;
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    BOOL horizontal = IsHorizontal();
    DWORD mode = (horizontal ? LM_HORZ : 0) | LM_COMMIT | (m_barPosition == BarFloating ? 0 : LM_HORZDOCK);
    CalcDockingLayout(horizontal ? client.Width() : client.Height(), mode);
    m_rcExpand = CRect(0, 0, 0, 0);
    if (ShowsExpandButton()) {
        m_rcExpand = horizontal ? CRect(client.right - kExpandButton, client.top, client.right, client.bottom)
                                : CRect(client.left, client.bottom - kExpandButton, client.right, client.bottom);
        // What does not fit before the button goes into its drop-down.
        for (int i = 0; i < GetControlCount(); ++i) {
            CRect r = GetControl(i)->GetRect();
            if (horizontal ? r.right > m_rcExpand.left : r.bottom > m_rcExpand.top)
                GetControl(i)->SetRect(CRect(0, 0, 0, 0));
        }
    }
    PlaceHostedWindows();
    UpdateToolTips();
    Invalidate(FALSE);
}

void CXTPCommandBar::UpdateToolTips()
{
    BOOL wanted = m_barPosition != BarPopup && m_pCommandBars && m_pCommandBars->GetOptions().screenTips;
    if (!wanted) {
        if (m_toolTip.GetSafeHwnd())
            m_toolTip.DestroyWindow();
        return;
    }
    if (!m_toolTip.GetSafeHwnd() && !m_toolTip.Create(this))
        return;
    for (int i = m_toolTip.GetToolCount(); i > 0; --i)
        m_toolTip.DelTool(this, static_cast<UINT_PTR>(i));
    for (int i = 0; i < GetControlCount(); ++i) {
        CRect rect = GetControl(i)->GetRect();
        if (!rect.IsRectEmpty() && GetControl(i)->GetType() != ControlTypeCustom)
            m_toolTip.AddTool(this, LPSTR_TEXTCALLBACK, &rect, static_cast<UINT_PTR>(i + 1));
    }
}

BOOL CXTPCommandBar::CanDockTo(BarDockPosition side) const
{
    constexpr DWORD kAlign[] = {0x2000, 0x8000, 0x1000, 0x4000}; // top, bottom, left, right
    return side > BarRight || m_dwDockingStyle == 0 || (m_dwDockingStyle & kAlign[side]) != 0;
}

BOOL CXTPCommandBar::ShowsExpandButton() const
{
    return (m_dwFlags & BarFlagShowExpandButton) && m_barPosition <= BarRight;
}

BOOL CXTPCommandBar::OpenExpandPopup()
{
    if (m_rcExpand.IsRectEmpty() || !m_pCommandBars)
        return FALSE;
    if (!m_pExpandPopup)
        m_pExpandPopup = CXTPPopupBar::CreatePopupBar(m_pCommandBars);
    m_pExpandPopup->GetControls()->RemoveAll();
    for (int i = 0; i < GetControlCount(); ++i) {
        CXTPControl* control = GetControl(i);
        if (control->IsVisible() && control->GetRect().IsRectEmpty() && control->GetType() != ControlTypeCustom)
            m_pExpandPopup->GetControls()->Add(CloneControl(control), control->GetID());
    }
    CRect screen = m_rcExpand;
    ClientToScreen(&screen);
    return m_pExpandPopup->Popup(nullptr, IsHorizontal() ? CPoint(screen.left, screen.bottom) : CPoint(screen.right, screen.top),
                                 screen);
}

CString CXTPCommandBar::TipTextOf(const CXTPControl* control)
{
    CString text = control->GetTooltip();
    if (text.IsEmpty())
        text = control->GetCaption();
    text.Remove('&');
    return text;
}

BOOL CXTPCommandBar::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN)
        for (int i = 0; i < GetControlCount(); ++i)
            if (auto* edit = DYNAMIC_DOWNCAST(CXTPControlEdit, GetControl(i));
                edit && edit->GetEditCtrl() && edit->GetEditCtrl()->GetSafeHwnd() == msg->hwnd)
                return edit->OnEditKey(static_cast<UINT>(msg->wParam));
    if (m_toolTip.GetSafeHwnd() && msg->hwnd == m_hWnd && msg->message >= WM_MOUSEMOVE && msg->message <= WM_MBUTTONUP)
        m_toolTip.RelayEvent(msg);
    return CWnd::PreTranslateMessage(msg);
}

BOOL CXTPCommandBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
    if (info->hdr.code != TTN_GETDISPINFO || info->hdr.hwndFrom != m_toolTip.GetSafeHwnd())
        return CWnd::OnNotify(wParam, lParam, result);
    const CXTPControl* control = GetControl(static_cast<int>(info->hdr.idFrom) - 1);
    CString text = control ? TipTextOf(control) : CString();
    std::snprintf(info->szText, sizeof info->szText, "%s", static_cast<LPCTSTR>(text));
    info->lpszText = info->szText;
    if (result)
        *result = 0;
    return TRUE;
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

void CXTPCommandBar::PlaceHostedWindows()
{
    for (int i = 0; i < GetControlCount(); ++i)
        GetControl(i)->PlaceWindow();
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
    }
}

void CXTPCommandBar::SetSelected(int index)
{
    if (index == m_nSelected)
        return;
    if (CXTPControl* old = GetControl(m_nSelected))
        old->SetSelected(FALSE);
    m_nSelected = index;
    if (CXTPControl* now = GetControl(index))
        now->SetSelected(TRUE);
}

int CXTPCommandBar::FindNextVisible(int from, int step) const
{
    int count = GetControlCount();
    for (int n = 1; n <= count; ++n) {
        int index = ((from + step * n) % count + count) % count;
        CXTPControl* control = GetControl(index);
        if (control->IsVisible() && !control->GetRect().IsRectEmpty())
            return index;
    }
    return -1;
}

int CXTPCommandBar::FindMnemonic(char letter, int from) const
{
    int count = GetControlCount();
    char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (int n = 1; n <= count; ++n) {
        int index = (from + n) % count;
        CXTPControl* control = GetControl(index);
        CString caption = control->GetCaption();
        int amp = caption.Find('&');
        if (control->IsVisible() && amp >= 0 && amp + 1 < caption.GetLength() &&
            std::toupper(static_cast<unsigned char>(caption[amp + 1])) == wanted)
            return index;
    }
    return -1;
}

int CXTPCommandBar::HitTestControl(CPoint point) const
{
    for (int i = 0; i < GetControlCount(); ++i) {
        CXTPControl* control = GetControl(i);
        if (control->IsVisible() && control->GetRect().PtInRect(point))
            return i;
    }
    return -1;
}

CXTPControl* CXTPCommandBar::GetControlAt(CPoint point) const { return GetControl(HitTestControl(point)); }

void CXTPCommandBar::ActivateControl(int index, BOOL byKeyboard)
{
    CXTPControl* control = GetControl(index);
    if (!control || !control->GetEnabled())
        return;
    auto* popup = DYNAMIC_DOWNCAST(CXTPControlPopup, control);
    if (popup && popup->GetCommandBar() && control->GetType() != ControlTypeSplitButtonPopup) {
        if (popup->OpenPopup(byKeyboard) && byKeyboard && m_pCommandBars)
            m_pCommandBars->SetKeyboardBar(popup->GetCommandBar());
        return;
    }
    control->OnClick(control->GetRect().TopLeft());
}

BOOL CXTPCommandBar::OnKeyboardKey(UINT vk)
{
    BOOL horizontal = IsHorizontal();
    switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
        if (!horizontal)
            return FALSE;
        SetSelected(FindNextVisible(m_nSelected, vk == VK_RIGHT ? 1 : -1));
        return TRUE;
    case VK_UP:
    case VK_DOWN:
        if (horizontal)
            return FALSE;
        SetSelected(FindNextVisible(m_nSelected, vk == VK_DOWN ? 1 : -1));
        return TRUE;
    case VK_RETURN:
    case VK_SPACE: ActivateControl(m_nSelected, TRUE); return TRUE;
    default: return FALSE;
    }
}

void CXTPCommandBar::DrawBar(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    CXTPPaintManager* paint = XTPPaintManager();
    paint->FillCommandBar(dc, this, client);
    BOOL horizontal = IsHorizontal();
    if (int grip = GripperSize())
        paint->DrawGripper(dc, horizontal ? CRect(2, 2, 2 + grip, client.bottom - 2) : CRect(2, 2, client.right - 2, 2 + grip),
                           horizontal);
    int count = GetControlCount();
    for (int i = 0; i < count; ++i) {
        CXTPControl* control = GetControl(i);
        CRect rect = control->GetRect();
        if (rect.IsRectEmpty())
            continue;
        if (control->GetBeginGroup() && FindNextVisible(i, -1) < i)
            paint->DrawSeparator(dc,
                                 horizontal ? CRect(rect.left - kSeparator, rect.top, rect.left, rect.bottom)
                                            : CRect(rect.left, rect.top - kSeparator, rect.right, rect.top),
                                 horizontal);
        control->Draw(dc);
    }
    if (!m_rcExpand.IsRectEmpty())
        paint->DrawDropArrow(dc, m_rcExpand, TRUE, FALSE);
}

void CXTPCommandBar::OnPaint()
{
    CPaintDC dc(this);
    if (m_bLayoutPending)
        OnRecalcLayout();
    DrawBar(&dc);
}

void CXTPCommandBar::OnSize(UINT, int, int) { OnRecalcLayout(); }

void CXTPCommandBar::OnMouseMove(UINT, CPoint point)
{
    if (m_nPressed >= 0)
        return;
    int index = HitTestControl(point);
    BOOL popupOpen = m_pCommandBars && m_pCommandBars->GetOpenPopupCount() > 0;
    if (index < 0 && popupOpen)
        return;
    SetSelected(index);
    if (index >= 0)
        SetTimer(kHotTimer, 100);
    CXTPControl* control = GetControl(index);
    if (!popupOpen || !control || GetControl(index)->GetPressed())
        return;
    // Moving along a bar whose drop-down is open opens the neighbour's drop-down instead.
    auto* popup = DYNAMIC_DOWNCAST(CXTPControlPopup, control);
    if (popup && popup->GetCommandBar() && !IsKindOf(RUNTIME_CLASS(CXTPPopupBar))) {
        m_pCommandBars->ClosePopups();
        popup->OpenPopup(FALSE);
    }
}

void CXTPCommandBar::OnLButtonDown(UINT, CPoint point)
{
    if (m_rcExpand.PtInRect(point)) {
        if (m_pCommandBars)
            m_pCommandBars->CancelTracking();
        OpenExpandPopup();
        return;
    }
    int grip = GripperSize();
    if (grip && (IsHorizontal() ? point.x < 2 + grip : point.y < 2 + grip)) {
        OnGripperDrag(point);
        return;
    }
    int index = HitTestControl(point);
    CXTPControl* control = GetControl(index);
    if (!control || !control->GetEnabled())
        return;
    auto* popup = DYNAMIC_DOWNCAST(CXTPControlPopup, control);
    BOOL opensOnPress = popup && (control->GetType() != ControlTypeSplitButtonPopup || popup->GetSplitRect().PtInRect(point));
    if (opensOnPress) {
        control->OnClick(point);
        return;
    }
    m_nPressed = index;
    control->SetPressed(TRUE);
    SetCapture();
}

void CXTPCommandBar::OnLButtonUp(UINT, CPoint point)
{
    int pressed = m_nPressed;
    m_nPressed = -1;
    if (pressed < 0)
        return;
    ReleaseCapture();
    CXTPControl* control = GetControl(pressed);
    if (!control)
        return;
    control->SetPressed(FALSE);
    if (HitTestControl(point) == pressed)
        control->OnClick(point);
}

void CXTPCommandBar::OnTimer(UINT_PTR id)
{
    if (id != kHotTimer)
        return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(cursor))
        return;
    KillTimer(kHotTimer);
    BOOL tracking = m_pCommandBars && (m_pCommandBars->GetKeyboardBar() == this || m_pCommandBars->GetOpenPopupCount() > 0);
    if (!tracking)
        SetSelected(-1);
}

int CXTPCommandBar::OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message)
{
    // Drop-downs never take the activation from the frame.
    return m_barPosition == BarPopup ? MA_NOACTIVATE : CWnd::OnMouseActivate(desktop, hitTest, message);
}

BEGIN_MESSAGE_MAP(CXTPCommandBar, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()
