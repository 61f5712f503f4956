// Control bars, the status bar and the tool bar.
#include "platform/ui/ControlBar.h"

#include "platform/core/StringTable.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DockBar.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)
IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

CControlBar::~CControlBar()
{
    if (m_pDockSite)
        m_pDockSite->RemoveControlBar(this);
    if (m_pDockBar)
        m_pDockBar->RemoveControlBar(this);
    delete m_pDockContext;
}

BOOL CControlBar::IsFloating() const { return m_pDockBar && m_pDockBar->m_bFloating; }

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass) {
        AfxEndDeferRegisterClass(0);
        cs.lpszClass = AfxControlBar;
    }
    return TRUE;
}

BOOL CControlBar::CreateBar(CWnd* parent, DWORD style, UINT id)
{
    m_dwStyle = style & CBRS_ALL;
    DWORD windowStyle = (style & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS;
    if (!CWnd::CreateEx(0, nullptr, nullptr, windowStyle, CRect(0, 0, 0, 0), parent, id))
        return FALSE;
    if (parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        m_pDockSite = static_cast<CFrameWnd*>(parent);
        m_pDockSite->AddControlBar(this);
        m_pDockSite->DelayRecalcLayout();
    }
    return TRUE;
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pDockContext && m_pDockContext->IsDragging()) {
        CPoint screen(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        ClientToScreen(&screen);
        if (m_pDockContext->OnDragMessage(message, screen))
            return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CControlBar::OnDestroy()
{
    if (m_pDockContext)
        m_pDockContext->CancelDrag();
    if (m_pDockBar)
        m_pDockBar->RemoveControlBar(this);
    if (m_pDockSite) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

CSize CControlBar::CalcFixedLayout(BOOL stretch, BOOL horizontal)
{
    CSize size(m_cxLeftBorder + m_cxRightBorder, m_cyTopBorder + m_cyBottomBorder);
    if (stretch) {
        if (horizontal)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD mode) { return CalcFixedLayout(TRUE, (mode & 0x0004) != 0); }

void CControlBar::SetBorders(int left, int top, int right, int bottom)
{
    m_cxLeftBorder = left;
    m_cyTopBorder = top;
    m_cxRightBorder = right;
    m_cyBottomBorder = bottom;
}

CRect CControlBar::GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    DWORD align = m_dwStyle & CBRS_ALIGN_ANY;
    if (!(GetStyle() & WS_VISIBLE) || !align)
        return 0;
    CRect rect = layout->rect;
    CSize available = rect.Size();
    bool horizontal = (align & CBRS_ORIENT_HORZ) != 0;
    CSize size = CalcFixedLayout(layout->bStretch, horizontal);
    size.cx = std::min(size.cx, available.cx);
    size.cy = std::min(size.cy, available.cy);
    if (horizontal) {
        layout->sizeTotal.cy += size.cy;
        layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
        if (align & CBRS_ALIGN_TOP) {
            layout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            layout->rect.bottom -= size.cy;
        }
    } else {
        layout->sizeTotal.cx += size.cx;
        layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
        if (align & CBRS_ALIGN_LEFT) {
            layout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            layout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (layout->hDWP)
        layout->hDWP = ::DeferWindowPos(layout->hDWP, m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                        SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CWnd* owner = GetOwner();
    CFrameWnd* target = owner && owner->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(owner) : GetParentFrame();
    if (target)
        OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
    return 0;
}

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// A status bar pane: Enable shows or hides its text, SetText sets it.
class CStatusCmdUI : public CCmdUI {
public:
    CStatusBar* bar = nullptr;
    void Enable(BOOL on) override
    {
        m_bEnableChanged = TRUE;
        UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_DISABLED;
        bar->SetPaneStyle(static_cast<int>(m_nIndex), on ? style : (style | SBPS_DISABLED));
    }
    void SetCheck(int check) override
    {
        UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_POPOUT;
        bar->SetPaneStyle(static_cast<int>(m_nIndex), check ? (style | SBPS_POPOUT) : style);
    }
    void SetText(LPCTSTR text) override { bar->SetPaneText(static_cast<int>(m_nIndex), text); }
};

// A tool bar button: Enable and SetCheck change its state bits.
class CToolCmdUI : public CCmdUI {
public:
    CToolBar* bar = nullptr;
    void Enable(BOOL on) override
    {
        m_bEnableChanged = TRUE;
        UINT style = bar->GetButtonStyle(static_cast<int>(m_nIndex)) & ~TBBS_DISABLED;
        bar->SetButtonStyle(static_cast<int>(m_nIndex), on ? style : (style | TBBS_DISABLED));
    }
    void SetCheck(int check) override
    {
        UINT style = bar->GetButtonStyle(static_cast<int>(m_nIndex)) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (check == 1)
            style |= TBBS_CHECKED;
        else if (check == 2)
            style |= TBBS_INDETERMINATE;
        bar->SetButtonStyle(static_cast<int>(m_nIndex), style | TBBS_CHECKBOX);
    }
    void SetText(LPCTSTR) override {}
};

} // namespace

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) { return CreateEx(parent, 0, style, id); }

BOOL CStatusBar::CreateEx(CWnd* parent, DWORD, DWORD style, UINT id) { return CreateBar(parent, style, id); }

BOOL CStatusBar::SetIndicators(const UINT* ids, int count)
{
    if (count < 0 || (count > 0 && !ids))
        return FALSE;
    m_panes.assign(static_cast<size_t>(count), Pane{});
    for (int i = 0; i < count; ++i) {
        Pane& p = m_panes[static_cast<size_t>(i)];
        p.id = ids[i];
        p.style = i == 0 ? (SBPS_NOBORDERS | SBPS_STRETCH) : SBPS_NORMAL;
        if (p.id != ID_SEPARATOR)
            LookupStringResource(p.id, p.text);
        p.width = i == 0 ? 0 : std::max(24, p.text.GetLength() * 7 + 8);
    }
    Invalidate();
    return TRUE;
}

UINT CStatusBar::GetItemID(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].id : 0;
}

int CStatusBar::CommandToIndex(UINT id) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_panes[static_cast<size_t>(i)].id == id)
            return i;
    return -1;
}

void CStatusBar::GetItemRect(int index, LPRECT rect) const
{
    CRect client;
    GetClientRect(&client);
    int right = client.right - 2;
    for (int i = GetCount() - 1; i >= 0; --i) {
        const Pane& p = m_panes[static_cast<size_t>(i)];
        int left = i == 0 ? client.left + 2 : right - p.width;
        if (i == index) {
            *rect = CRect(left, client.top + 2, right, client.bottom - 1);
            return;
        }
        right = left - 2;
    }
    *rect = CRect(0, 0, 0, 0);
}

BOOL CStatusBar::SetPaneText(int index, LPCTSTR text, BOOL update)
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    Pane& p = m_panes[static_cast<size_t>(index)];
    if (p.text == (text ? text : ""))
        return TRUE;
    p.text = text;
    if (update && m_hWnd) {
        CRect r;
        GetItemRect(index, &r);
        InvalidateRect(&r);
    }
    return TRUE;
}

CString CStatusBar::GetPaneText(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].text : CString();
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width)
{
    if (index < 0 || index >= GetCount())
        return;
    Pane& p = m_panes[static_cast<size_t>(index)];
    p.id = id;
    p.style = style;
    p.width = width;
    if (m_hWnd)
        Invalidate();
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const
{
    id = style = 0;
    width = 0;
    if (index < 0 || index >= GetCount())
        return;
    const Pane& p = m_panes[static_cast<size_t>(index)];
    id = p.id;
    style = p.style;
    width = p.width;
}

UINT CStatusBar::GetPaneStyle(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].style : 0;
}

void CStatusBar::SetPaneStyle(int index, UINT style)
{
    if (index < 0 || index >= GetCount() || m_panes[static_cast<size_t>(index)].style == style)
        return;
    m_panes[static_cast<size_t>(index)].style = style;
    if (m_hWnd)
        Invalidate();
}

CSize CStatusBar::CalcFixedLayout(BOOL stretch, BOOL horizontal)
{
    CSize size = CControlBar::CalcFixedLayout(stretch, horizontal);
    size.cy = 20;
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    CStatusCmdUI state;
    state.bar = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = GetItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID != ID_SEPARATOR)
            state.DoUpdate(target, disableIfNoHandler);
    }
    UpdateDialogControls(target, disableIfNoHandler);
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    int index = CommandToIndex(ID_SEPARATOR);
    return SetPaneText(index < 0 ? 0 : index, reinterpret_cast<LPCTSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    CString text = GetPaneText(0);
    auto* out = reinterpret_cast<char*>(lParam);
    if (!out || wParam == 0)
        return 0;
    size_t n = std::min(static_cast<size_t>(text.GetLength()), static_cast<size_t>(wParam) - 1);
    memcpy(out, static_cast<LPCTSTR>(text), n);
    out[n] = 0;
    return static_cast<LRESULT>(n);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) { return GetPaneText(0).GetLength(); }

void CStatusBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    CGdiObject* oldFont = dc.SelectStockObject(DEFAULT_GUI_FONT);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    for (int i = 0; i < GetCount(); ++i) {
        const Pane& p = m_panes[static_cast<size_t>(i)];
        CRect r;
        GetItemRect(i, &r);
        if (!(p.style & SBPS_NOBORDERS))
            dc.Draw3dRect(&r, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        if (p.style & SBPS_DISABLED)
            continue;
        r.DeflateRect(2, 0);
        dc.DrawText(p.text, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    dc.SelectObject(oldFont);
}

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id) { return CreateEx(parent, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), id); }

BOOL CToolBar::CreateEx(CWnd* parent, DWORD, DWORD style, CRect borders, UINT id)
{
    SetBorders(borders.left, borders.top, borders.right, borders.bottom);
    return CreateBar(parent, style, id);
}

BOOL CToolBar::LoadToolBar(UINT resourceId)
{
    const ToolBarTemplate* t = FindToolBarResource(resourceId);
    if (!t)
        return FALSE;
    SetSizes(CSize(t->width + 7, t->height + 7), CSize(t->width, t->height));
    m_bitmap.DeleteObject();
    if (HBITMAP pictures = LoadBitmapResource(resourceId))
        m_bitmap.Attach(pictures);
    return SetButtons(t->items.data(), static_cast<int>(t->items.size()));
}

BOOL CToolBar::SetButtons(const UINT* ids, int count)
{
    if (count < 0 || (count > 0 && !ids))
        return FALSE;
    m_buttons.assign(static_cast<size_t>(count), Button{});
    int image = 0;
    for (int i = 0; i < count; ++i) {
        Button& b = m_buttons[static_cast<size_t>(i)];
        b.id = ids[i];
        b.style = b.id == ID_SEPARATOR ? TBBS_SEPARATOR : TBBS_BUTTON;
        b.image = b.id == ID_SEPARATOR ? 8 : image++;
    }
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

int CToolBar::CommandToIndex(UINT id) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_buttons[static_cast<size_t>(i)].id == id)
            return i;
    return -1;
}

UINT CToolBar::GetItemID(int index) const
{
    return index >= 0 && index < GetCount() ? m_buttons[static_cast<size_t>(index)].id : 0;
}

void CToolBar::GetItemRect(int index, LPRECT rect) const
{
    int x = m_cxLeftBorder, y = m_cyTopBorder;
    for (int i = 0; i < GetCount(); ++i) {
        const Button& b = m_buttons[static_cast<size_t>(i)];
        const int width = (b.style & TBBS_HIDDEN) ? 0 : (b.style & TBBS_SEPARATOR) ? b.image : m_sizeButton.cx;
        if (i == index) {
            *rect = CRect(x, y, x + width, y + m_sizeButton.cy);
            return;
        }
        x += width;
        if (b.style & TBBS_WRAPPED) {
            x = m_cxLeftBorder;
            y += m_sizeButton.cy;
        }
    }
    *rect = CRect(0, 0, 0, 0);
}

UINT CToolBar::GetButtonStyle(int index) const
{
    return index >= 0 && index < GetCount() ? m_buttons[static_cast<size_t>(index)].style : 0;
}

void CToolBar::SetButtonStyle(int index, UINT style)
{
    if (index < 0 || index >= GetCount() || m_buttons[static_cast<size_t>(index)].style == style)
        return;
    m_buttons[static_cast<size_t>(index)].style = style;
    InvalidateButton(index);
}

void CToolBar::GetButtonInfo(int index, UINT& id, UINT& style, int& image) const
{
    id = style = 0;
    image = 0;
    if (index < 0 || index >= GetCount())
        return;
    const Button& b = m_buttons[static_cast<size_t>(index)];
    id = b.id;
    style = b.style;
    image = b.image;
}

void CToolBar::SetButtonInfo(int index, UINT id, UINT style, int image)
{
    if (index < 0 || index >= GetCount())
        return;
    m_buttons[static_cast<size_t>(index)] = Button{id, style, image, m_buttons[static_cast<size_t>(index)].text};
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
    InvalidateButton(index);
}

BOOL CToolBar::SetButtonText(int index, LPCTSTR text)
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    m_buttons[static_cast<size_t>(index)].text = text;
    InvalidateButton(index);
    return TRUE;
}

CString CToolBar::GetButtonText(int index) const
{
    return index >= 0 && index < GetCount() ? m_buttons[static_cast<size_t>(index)].text : CString();
}

// Through the messages once the window exists, so that bars deriving from this one hear of it.
void CToolBar::SetSizes(SIZE button, SIZE image)
{
    if (!m_hWnd) {
        m_sizeButton = button;
        m_sizeImage = image;
        return;
    }
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(button.cx, button.cy));
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(image.cx, image.cy));
}

LRESULT CToolBar::OnSetButtonSize(WPARAM, LPARAM size)
{
    m_sizeButton = CSize(LOWORD(size), HIWORD(size));
    return TRUE;
}

LRESULT CToolBar::OnSetBitmapSize(WPARAM, LPARAM size)
{
    m_sizeImage = CSize(LOWORD(size), HIWORD(size));
    return TRUE;
}

CSize CToolBar::CalcFixedLayout(BOOL stretch, BOOL horizontal)
{
    CSize extent(0, m_sizeButton.cy + m_cyTopBorder);
    for (int i = 0; i < GetCount(); ++i) {
        CRect r;
        GetItemRect(i, &r);
        extent.cx = std::max(extent.cx, static_cast<int>(r.right));
        extent.cy = std::max(extent.cy, static_cast<int>(r.bottom));
    }
    CSize size(extent.cx + m_cxRightBorder, std::max(m_nHeight, static_cast<int>(extent.cy + m_cyBottomBorder)));
    if (stretch && horizontal)
        size.cx = 32767;
    return size;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    CToolCmdUI state;
    state.bar = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        const Button& b = m_buttons[state.m_nIndex];
        if (b.style & TBBS_SEPARATOR)
            continue;
        state.m_nID = b.id;
        state.DoUpdate(target, disableIfNoHandler);
    }
    UpdateDialogControls(target, disableIfNoHandler);
}

int CToolBar::HitTestButton(CPoint point) const
{
    for (int i = 0; i < GetCount(); ++i) {
        CRect r;
        GetItemRect(i, &r);
        if (r.PtInRect(point) && !(m_buttons[static_cast<size_t>(i)].style & (TBBS_SEPARATOR | TBBS_DISABLED)))
            return i;
    }
    return -1;
}

void CToolBar::InvalidateButton(int index)
{
    if (!m_hWnd)
        return;
    CRect r;
    GetItemRect(index, &r);
    InvalidateRect(&r);
}

void CToolBar::OnLButtonDown(UINT, CPoint point)
{
    m_nPressed = HitTestButton(point);
    if (m_nPressed < 0)
        return;
    SetCapture();
    SetButtonStyle(m_nPressed, GetButtonStyle(m_nPressed) | TBBS_PRESSED);
}

void CToolBar::OnLButtonUp(UINT, CPoint point)
{
    int pressed = m_nPressed;
    m_nPressed = -1;
    if (pressed < 0)
        return;
    ReleaseCapture();
    SetButtonStyle(pressed, GetButtonStyle(pressed) & ~TBBS_PRESSED);
    if (HitTestButton(point) != pressed)
        return;
    CWnd* owner = GetOwner();
    if (owner)
        owner->PostMessage(WM_COMMAND, m_buttons[static_cast<size_t>(pressed)].id, 0);
}

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_PAINT()
    ON_MESSAGE(TB_CUSTOMIZE, OnCustomize)
    ON_MESSAGE(TB_SETBUTTONSIZE, OnSetButtonSize)
    ON_MESSAGE(TB_SETBITMAPSIZE, OnSetBitmapSize)
END_MESSAGE_MAP()

BOOL CDialogBar::Create(CWnd* parent, UINT templateId, UINT style, UINT id)
{
    const DialogTemplate* t = FindDialogResource(templateId);
    if (!t || !CreateBar(parent, style, id))
        return FALSE;
    m_sizeDefault = CSize(DialogUnitsToPixelsX(t->cx), DialogUnitsToPixelsY(t->cy));
    AfxCreateDialogItems(m_hWnd, *t);
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL stretch, BOOL horizontal)
{
    if (!stretch)
        return m_sizeDefault;
    return horizontal ? CSize(32767, m_sizeDefault.cy) : CSize(m_sizeDefault.cx, 32767);
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) { UpdateDialogControls(target, disableIfNoHandler); }
