#include "controls/CoolComboPopup.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/WinApp.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CCoolComboPopup, CWnd)

BEGIN_MESSAGE_MAP(CCoolComboPopup, CWnd)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

constexpr LPCTSTR TearOffTip = "Drag to make this menu float";
constexpr DWORD NoCommand = static_cast<DWORD>(-1);

// Records what an update handler does with Enable.
class EnableProbe : public CCmdUI {
public:
    BOOL enabled = TRUE;
    void Enable(BOOL on) override { enabled = on; }
};

} // namespace

// The command of a cell, or NoCommand outside command mode and past the commands given.
DWORD CCoolComboPopup::CommandOf(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < m_commands.size() ? m_commands[static_cast<size_t>(index)] : NoCommand;
}

BOOL IsCommandEnabled(CWnd* target, UINT command)
{
    if (command == 0 || !target || !target->IsWindowEnabled())
        return FALSE;
    EnableProbe probe;
    probe.m_nID = command;
    return target->OnCmdMsg(command, CN_UPDATE_COMMAND_UI, &probe, nullptr) && probe.enabled;
}

void CCoolComboPopup::Init()
{
    m_edgeX = ::GetSystemMetrics(SM_CXEDGE);
    m_edgeY = ::GetSystemMetrics(SM_CYEDGE);
    LOGFONT font{};
    CFont stock;
    stock.CreateStockObject(DEFAULT_GUI_FONT);
    stock.GetLogFont(&font);
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&font);
}

bool CCoolComboPopup::ValidValue(int value) const
{
    if (value == CC_EXTRA)
        return !m_extraText.IsEmpty();
    if (value >= CC_TEXTENTRY)
        return value - CC_TEXTENTRY < m_textEntries.GetSize();
    return value == CC_UNSET || (value >= 0 && value < m_count);
}

BOOL CCoolComboPopup::Create(CPoint at, CWnd* button, UINT id, const Content& content)
{
    Init();
    m_button = button;
    m_id = id;
    m_count = std::max(0, content.count);
    m_columns = std::max(1, content.columns);
    m_tearOff = content.tearOff;
    m_extraText = content.extraText ? content.extraText : "";
    m_textEntries.RemoveAll();
    if (content.textEntries)
        m_textEntries.Append(*content.textEntries);
    m_tips.RemoveAll();
    if (content.tips)
        m_tips.Append(*content.tips);
    m_images = content.images;
    m_title = content.title ? content.title : "";
    m_clamp = content.clamp;
    m_commands.clear();
    if (content.commands) {
        m_commands.assign(static_cast<size_t>(m_count), NoCommand);
        std::copy_n(content.commands, std::min(m_count, content.commandCount), m_commands.begin());
    }
    BuildLabels();
    m_selected = ValidValue(content.selected) ? content.selected : CC_NONE;
    m_cell = GetCellSize() + CSize(2, 2);
    Layout(at);
    if (!CreateWindowAt(m_windowRect, WS_POPUP | WS_VISIBLE, 0))
        return FALSE;
    AddToolTips();
    SetFocus();
    OnOpened();
    return TRUE;
}

BOOL CCoolComboPopup::CreateWindowAt(const CRect& rect, DWORD style, DWORD exStyle)
{
    LPCTSTR windowClass = AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC | CS_HREDRAW | CS_VREDRAW,
                                              ::LoadCursor(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1)));
    return CreateEx(exStyle, windowClass, m_title, style, rect, m_button, 0);
}

void CCoolComboPopup::Layout(CPoint at)
{
    CClientDC dc(nullptr);
    CFont* old = dc.SelectObject(&m_font);
    m_textRowHeight = dc.GetTextExtent("M", 1).cy + 4 * m_edgeY + 1;
    dc.SelectObject(old);
    m_rows = (m_count + m_columns - 1) / m_columns;
    const int width = m_columns * m_cell.cx;
    int top = m_edgeY + 1;
    m_tearOffRect.SetRectEmpty();
    if (m_tearOff) {
        m_tearOffRect = CRect(3 * m_edgeX, m_edgeY, 3 * m_edgeX + width, m_edgeY + ::GetSystemMetrics(SM_CYCAPTION) / 2 - 1);
        top += m_tearOffRect.Height() + m_edgeY;
    }
    m_extraRect.SetRectEmpty();
    if (!m_extraText.IsEmpty()) {
        m_extraRect = CRect(3 * m_edgeX, top, 3 * m_edgeX + width, top + m_textRowHeight + 1);
        top += m_extraRect.Height() + 2 * m_edgeY;
    }
    m_gridRect = CRect(3 * m_edgeX, top, 3 * m_edgeX + width, top + m_edgeY + m_rows * m_cell.cy);
    int bottom = m_gridRect.bottom;
    m_separatorRect.SetRectEmpty();
    m_textRect.SetRectEmpty();
    if (m_textEntries.GetSize() > 0) {
        m_separatorRect = CRect(m_gridRect.left, bottom + m_edgeY, m_gridRect.right, bottom + m_edgeY + 2);
        m_textRect = CRect(m_gridRect.left, m_separatorRect.bottom + m_edgeY, m_gridRect.right,
                           m_separatorRect.bottom + m_edgeY + static_cast<int>(m_textEntries.GetSize()) * m_textRowHeight);
        bottom = m_textRect.bottom;
    }
    m_windowRect = CRect(at, CSize(m_gridRect.right + 3 * m_edgeX, bottom + 2 * m_edgeY + 1));
    const CRect work(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (m_windowRect.right > work.right)
        m_windowRect.OffsetRect(work.right - m_windowRect.right, 0);
    if (m_windowRect.left < work.left)
        m_windowRect.OffsetRect(work.left - m_windowRect.left, 0);
    if (m_windowRect.bottom > work.bottom) {
        CRect buttonRect;
        if (m_button)
            m_button->GetWindowRect(&buttonRect);
        const int newBottom = m_clamp && m_button ? buttonRect.top - 1 : work.bottom;
        m_windowRect.OffsetRect(0, newBottom - m_windowRect.bottom);
    }
}

CRect CCoolComboPopup::GetCellRect(int value) const
{
    if (value == CC_EXTRA)
        return m_extraRect;
    if (value >= CC_TEXTENTRY) {
        const int k = value - CC_TEXTENTRY;
        return CRect(m_textRect.left, m_textRect.top + k * m_textRowHeight, m_textRect.right,
                     m_textRect.top + (k + 1) * m_textRowHeight);
    }
    if (value < 0 || value >= m_count)
        return CRect();
    CPoint corner(m_gridRect.left + (value % m_columns) * m_cell.cx, m_gridRect.top + (value / m_columns) * m_cell.cy);
    return CRect(corner, m_cell);
}

int CCoolComboPopup::HitTest(CPoint point) const
{
    if (!m_extraText.IsEmpty() && m_extraRect.PtInRect(point))
        return CC_EXTRA;
    if (m_gridRect.PtInRect(point)) {
        const int column = (point.x - m_gridRect.left) / m_cell.cx;
        const int row = (point.y - m_gridRect.top) / m_cell.cy;
        const int index = row * m_columns + column;
        return column < m_columns && row < m_rows && index < m_count ? index : CC_NONE;
    }
    for (int k = 0; k < m_textEntries.GetSize(); ++k)
        if (GetCellRect(CC_TEXTENTRY + k).PtInRect(point))
            return CC_TEXTENTRY + k;
    return CC_NONE;
}

void CCoolComboPopup::AddToolTips()
{
    if (!m_toolTip.GetSafeHwnd() && !m_toolTip.Create(this))
        return;
    UINT_PTR tool = 1;
    if (m_tearOff)
        m_toolTip.AddTool(this, TearOffTip, &m_tearOffRect, tool++);
    if (!m_extraText.IsEmpty())
        m_toolTip.AddTool(this, m_extraText, &m_extraRect, tool++);
    for (int i = 0; i < m_count && i < m_tips.GetSize(); ++i) {
        CRect cell = GetCellRect(i);
        m_toolTip.AddTool(this, m_tips[i], &cell, tool++);
    }
    for (int k = 0; k < m_textEntries.GetSize(); ++k) {
        CRect entry = GetCellRect(CC_TEXTENTRY + k);
        m_toolTip.AddTool(this, m_textEntries[k], &entry, tool++);
    }
}

BOOL CCoolComboPopup::PreTranslateMessage(MSG* msg)
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(msg);
    return CWnd::PreTranslateMessage(msg);
}

void CCoolComboPopup::Notify(UINT code, DWORD value)
{
    SendCoolComboNotify(m_button, this, m_id, code, value);
}

void CCoolComboPopup::OnOpened() { Notify(CCN_OPENED, 0); }
void CCoolComboPopup::OnClosed() { Notify(CCN_CLOSED, 0); }
void CCoolComboPopup::OnChooseExtra() { Notify(CCN_EXTRA, 0); }
void CCoolComboPopup::OnChooseTextEntry(int entry) { Notify(CCN_TEXTENTRY, static_cast<DWORD>(entry)); }
void CCoolComboPopup::OnCancel() { Notify(CCN_CANCEL, 0); }
void CCoolComboPopup::OnHotChanged(int hot) { Notify(CCN_HOTCHANGED, static_cast<DWORD>(hot)); }

// A command cell is enabled when the main window's update handler leaves it enabled; a
// separator (command 0) never is.
BOOL CCoolComboPopup::IsCellEnabled(int index) const
{
    if (index < 0 || index >= m_count)
        return FALSE;
    const DWORD command = CommandOf(index);
    return command == NoCommand || IsCommandEnabled(AfxGetMainWnd(), command);
}

void CCoolComboPopup::OnChooseItem(int index)
{
    if (CommandOf(index) == NoCommand) {
        Notify(CCN_SELECT, static_cast<DWORD>(index));
        return;
    }
    if (!IsCellEnabled(index))
        return;
    if (CWnd* main = AfxGetMainWnd())
        main->SendMessage(WM_COMMAND, m_commands[static_cast<size_t>(index)],
                          reinterpret_cast<LPARAM>(m_button ? m_button->GetSafeHwnd() : nullptr));
}

void CCoolComboPopup::SetSelected(int value)
{
    const int old = m_selected;
    m_selected = ValidValue(value) ? value : CC_NONE;
    if (m_hWnd && old != m_selected) {
        CRect a = GetCellRect(old), b = GetCellRect(m_selected);
        InvalidateRect(&a);
        InvalidateRect(&b);
    }
}

void CCoolComboPopup::PostNcDestroy()
{
    if (!m_keep)
        delete this;
}

void CCoolComboPopup::OnDestroy()
{
    if (!m_keep) {
        ShowStatusPrompt(CC_NONE);
        OnClosed();
    }
    CWnd::OnDestroy();
}
