#include "controls/HyperLink.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/SysColors.h"
#include "platform/sys/Shell.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WinApp.h"


namespace {

constexpr UINT_PTR kTipId = 1;

struct ErrorEntry {
    int code;
    const char* text;
};

constexpr ErrorEntry kErrors[] = {
    {0, "The operating system is out\nof memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied\naccess to the specified file."},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, "A sharing violation occurred. "},
    {27, "The filename association is\nincomplete or invalid."},
    {28, "The DDE transaction could not\nbe completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
    {31, "There is no application associated\nwith the given filename extension."},
    {32, "The specified dynamic-link library was not found."},
};

UINT AlignmentFlags(DWORD style)
{
    UINT flags = DT_NOPREFIX;
    if ((style & SS_TYPEMASK) == SS_CENTER)
        flags |= DT_CENTER;
    else if ((style & SS_TYPEMASK) == SS_RIGHT)
        flags |= DT_RIGHT;
    if (style & SS_CENTERIMAGE)
        flags |= DT_VCENTER | DT_SINGLELINE;
    return flags;
}

} // namespace

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CHyperLink::CHyperLink() : m_hoverColour(::GetSysColor(COLOR_HIGHLIGHT)) { }

void CHyperLink::SetUrl(const CString& url)
{
    m_url = url;
    if (!GetSafeHwnd())
        return;
    SizeToText();
    m_tip.UpdateTipText(m_url, this, kTipId);
}

void CHyperLink::SetVisited(BOOL visited)
{
    m_visited = visited;
    if (GetSafeHwnd())
        Invalidate();
}

COLORREF CHyperLink::GetTextColour() const
{
    if (m_mouseOver)
        return m_hoverColour;
    return m_visited ? VisitedColour : LinkColour;
}

// Programs and scripts are never started from a link, and no command line is built from it:
// the address goes to the desktop's opener as it stands. A bare "www." name is a web address.
int CHyperLink::GotoURL(const CString& url, int showCommand)
{
    CString target = url;
    if (target.Left(4).CompareNoCase("www.") == 0)
        target = "https://" + target;
    switch (ClassifyShellTarget(target)) {
    case ShellTarget::webAddress:
    case ShellTarget::mailAddress:
    case ShellTarget::document:
        return static_cast<int>(reinterpret_cast<intptr_t>(
            ::ShellExecute(nullptr, "open", target, nullptr, nullptr, showCommand)));
    case ShellTarget::missing: return SE_ERR_FNF;
    default: return SE_ERR_ACCESSDENIED;
    }
}

CString CHyperLink::ErrorText(int code)
{
    CString reason;
    reason.Format("Unknown Error (%d) occurred.", code);
    for (const ErrorEntry& entry : kErrors)
        if (entry.code == code)
            reason = entry.text;
    return "Unable to open hyperlink:\n\n" + reason;
}

void CHyperLink::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);
    CString text;
    GetWindowText(text);
    if (m_url.IsEmpty())
        m_url = text;
    if (text.IsEmpty())
        SetWindowText(m_url);
    LOGFONT font{};
    if (auto own = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)))
        CFont::FromHandle(own)->GetLogFont(&font);
    else
        ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfUnderline = static_cast<BYTE>(m_underline);
    m_font.CreateFontIndirect(&font);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), FALSE);
    SizeToText();
    m_cursor = ::LoadCursor(nullptr, IDC_HAND);
    CRect client;
    GetClientRect(&client);
    m_tip.Create(this);
    m_tip.AddTool(this, m_url, &client, kTipId);
    CStatic::PreSubclassWindow();
}

BOOL CHyperLink::PreTranslateMessage(MSG* msg)
{
    if (m_tip.GetSafeHwnd())
        m_tip.RelayEvent(msg);
    return CStatic::PreTranslateMessage(msg);
}

void CHyperLink::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CString text;
    GetWindowText(text);
    CFont* old = m_font.GetSafeHandle() ? dc.SelectObject(&m_font) : nullptr;
    dc.SetTextColor(GetTextColour());
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(text, &client, AlignmentFlags(GetStyle()));
    if (old)
        dc.SelectObject(old);
}

BOOL CHyperLink::OnSetCursor(CWnd*, UINT, UINT)
{
    if (!m_cursor)
        return FALSE;
    ::SetCursor(m_cursor);
    return TRUE;
}

void CHyperLink::OnMouseMove(UINT flags, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    if (!m_mouseOver) {
        m_mouseOver = TRUE;
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        SetCapture();
    } else if (!client.PtInRect(point)) {
        m_mouseOver = FALSE;
        ReleaseCapture();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    CStatic::OnMouseMove(flags, point);
}

void CHyperLink::OnClicked()
{
    const int result = GotoURL(m_url, SW_SHOW);
    if (result > 32) {
        SetVisited(TRUE);
        return;
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    AfxMessageBox(ErrorText(result), MB_ICONEXCLAMATION);
}

void CHyperLink::SizeToText()
{
    CWnd* parent = GetParent();
    if (!m_autoSize || !GetSafeHwnd() || !parent)
        return;
    CString text;
    GetWindowText(text);
    CClientDC dc(this);
    CFont* old = m_font.GetSafeHandle() ? dc.SelectObject(&m_font) : nullptr;
    const CSize extent = dc.GetTextExtent(text);
    if (old)
        dc.SelectObject(old);
    CRect r;
    GetWindowRect(&r);
    parent->ScreenToClient(&r);
    const DWORD style = GetStyle();
    if (style & SS_CENTERIMAGE)
        r.top = r.CenterPoint().y - extent.cy / 2;
    r.bottom = r.top + extent.cy;
    if ((style & SS_TYPEMASK) == SS_CENTER)
        r.left = r.CenterPoint().x - extent.cx / 2;
    else if ((style & SS_TYPEMASK) == SS_RIGHT)
        r.left = r.right - extent.cx;
    r.right = r.left + extent.cx;
    SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER);
}
