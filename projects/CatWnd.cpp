#include "projects/CatWnd.h"

#include "projects/CatManager.h"
#include "projects/CatSettings.h"
#include "projects/Catalogue.h"
#include "projects/CatalogueOb.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/Menu.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WinApp.h"

#include <cstdlib>

IMPLEMENT_DYNCREATE(CCatWnd, CWnd)

BEGIN_MESSAGE_MAP(CCatWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_VSCROLL()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_WINDOWPOSCHANGED()
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
    ON_COMMAND(CmdCopy, OnCopy)
    ON_UPDATE_COMMAND_UI(CmdCopy, OnUpdateCopy)
    ON_COMMAND(CmdPaste, OnPaste)
    ON_UPDATE_COMMAND_UI(CmdPaste, OnUpdatePaste)
    ON_COMMAND(CmdRemove, OnRemove)
    ON_UPDATE_COMMAND_UI(CmdRemove, OnUpdateChange)
    ON_COMMAND_RANGE(CmdFirstView, CmdLastView, OnViewMode)
    ON_UPDATE_COMMAND_UI_RANGE(CmdFirstView, CmdLastView, OnUpdateViewMode)
    ON_COMMAND(CmdChangeIcon, OnChangeIcon)
    ON_UPDATE_COMMAND_UI(CmdChangeIcon, OnUpdateChange)
    ON_COMMAND(CmdEditIcon, OnEditIcon)
    ON_UPDATE_COMMAND_UI(CmdEditIcon, OnUpdateEditIcon)
END_MESSAGE_MAP()

CCatWnd::~CCatWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CCatWnd::Create(CWnd* parent, int width, int height, UINT id, DWORD style)
{
    LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    return CWnd::Create(windowClass, "", style, CRect(0, 0, width, height), parent, id);
}

int CCatWnd::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    m_manager = dynamic_cast<CCatManager*>(GetParent());
    if (!m_manager || !m_settings)
        return -1;
    ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    m_itemFont.CreatePointFont(m_settings->m_itemFontSize, m_settings->m_itemFontFace);
    const DWORD editStyle = WS_CHILD | WS_BORDER | ES_CENTER;
    m_multiLineEdit.Create(editStyle | ES_MULTILINE | ES_AUTOVSCROLL, CRect(), this, MultiLineEditId);
    m_singleLineEdit.Create(editStyle | ES_AUTOHSCROLL, CRect(), this, SingleLineEditId);
    for (CCatNameEdit* edit : {&m_multiLineEdit, &m_singleLineEdit}) {
        edit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_itemFont.GetSafeHandle()), FALSE);
        edit->SetOwnerWindow(this);
    }
    m_dropTarget.Register(this);
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_itemFont);
    m_textHeight = dc.GetTextExtent(".").cy;
    dc.SelectObject(old);
    CCatSettings& s = *m_settings;
    s.m_cellHeight[NamesOnly] = m_textHeight + 4;
    const int h = s.m_textLines * m_textHeight + 2 * s.m_iconMargin + 4 + 3 * s.m_iconTextGap + s.m_iconSize;
    for (int mode : {IconsAndNames, SingleColumn})
        s.m_cellHeight[static_cast<size_t>(mode)] = std::max(s.m_cellHeight[static_cast<size_t>(mode)], h);
    m_viewMode = s.m_initialViewMode;
    return 0;
}

void CCatWnd::SetCatalogue(CCatalogue* catalogue)
{
    EndRename();
    m_catalogue = catalogue;
    m_scroll = 0;
    RecalcLayout();
    SelectItem(-1);
    Invalidate();
}

void CCatWnd::SetViewMode(int mode)
{
    EndRename();
    m_viewMode = std::clamp(mode, 0, 3);
    RecalcLayout();
    Invalidate();
}

// An entry that is selected is scrolled into view.
void CCatWnd::SelectItem(int index)
{
    if (!m_catalogue || index >= m_catalogue->GetCount())
        index = -1;
    m_selection = index;
    if (index >= 0 && m_hWnd) {
        CRect client;
        GetClientRect(&client);
        const CRect cell = GetItemRect(index, WholeCell);
        if (cell.bottom > client.bottom)
            ScrollTo(m_scroll + cell.bottom - client.bottom);
        else if (cell.top < 0)
            ScrollTo(m_scroll + cell.top);
    }
    if (m_hWnd)
        Invalidate();
}

BOOL CCatWnd::CanChange() const { return m_catalogue && !m_catalogue->IsReadOnly() && !m_catalogue->IsProtected(); }

void CCatWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_catalogue)
        RecalcLayout();
    Invalidate();
}

void CCatWnd::OnKillFocus(CWnd* newWnd)
{
    CWnd::OnKillFocus(newWnd);
    Invalidate();
}

void CCatWnd::OnWindowPosChanged(WINDOWPOS* pos)
{
    EndRename();
    CWnd::OnWindowPosChanged(pos);
}

LRESULT CCatWnd::OnSysColorChange(WPARAM, LPARAM)
{
    Default();
    if (m_settings)
        m_settings->ReadSystemColours();
    Invalidate();
    return 0;
}

// The name editor gets Copy and Paste while it has the focus.
BOOL CCatWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (m_multiLineEdit.m_hWnd && ::GetFocus() == m_multiLineEdit.m_hWnd &&
        m_multiLineEdit.OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    return CWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

int CCatWnd::ItemAt(CPoint point) const
{
    int index = m_viewMode != NamesOnly ? HitTestItem(point.x, point.y, IconTile) : -1;
    if (index < 0 && m_viewMode != IconsOnly)
        index = HitTestItem(point.x, point.y, NamePart);
    return index;
}

// A second click on the name of the selected entry renames it once the button is released
// without a drag.
void CCatWnd::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    const int before = m_selection;
    const int index = ItemAt(point);
    SelectItem(index);
    m_renameOnRelease = index >= 0 && index == before && CanChange() &&
                        m_viewMode != IconsOnly && GetItemRect(index, NamePart).PtInRect(point);
    m_pressedItem = index;
    m_pressedAt = point;
    if (index >= 0)
        SetCapture();
}

void CCatWnd::OnMouseMove(UINT flags, CPoint point)
{
    if (m_pressedItem < 0 || !(flags & MK_LBUTTON))
        return;
    if (std::abs(point.x - m_pressedAt.x) <= 4 && std::abs(point.y - m_pressedAt.y) <= 4)
        return;
    const int index = m_pressedItem;
    m_pressedItem = -1;
    m_renameOnRelease = FALSE;
    ::ReleaseCapture();
    StartDrag(index);
}

void CCatWnd::OnLButtonUp(UINT, CPoint)
{
    if (m_pressedItem >= 0)
        ::ReleaseCapture();
    m_pressedItem = -1;
    if (m_renameOnRelease && m_selection >= 0)
        BeginRename(m_selection);
    m_renameOnRelease = FALSE;
}

void CCatWnd::OnRButtonDown(UINT, CPoint point)
{
    SetFocus();
    SelectItem(ItemAt(point));
    CMenu menu;
    if (!m_settings || !menu.LoadMenu(m_settings->m_entryMenuId))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    CPoint screen;
    ::GetCursorPos(&screen);
    if (popup)
        popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, m_manager);
}
