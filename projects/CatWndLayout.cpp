// Where the entries' cells, tiles and names lie, and scrolling through them.
#include "projects/CatWnd.h"

#include "projects/CatSettings.h"
#include "projects/Catalogue.h"

#include <algorithm>

int CCatWnd::CellHeight() const { return m_settings->m_cellHeight[static_cast<size_t>(m_viewMode)]; }

void CCatWnd::RecalcLayout()
{
    if (!m_settings || !m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const int width = client.Width();
    const int cellWidth = m_settings->m_cellWidth[static_cast<size_t>(m_viewMode)];
    if ((m_viewMode == IconsAndNames || m_viewMode == IconsOnly) && cellWidth > 0) {
        m_columns = std::max(1, width / cellWidth);
        m_leftOffset = width > cellWidth ? (width % cellWidth) / 2 : 0;
    } else {
        m_columns = 1;
        m_leftOffset = 0;
    }
    const int count = m_catalogue ? m_catalogue->GetCount() : 0;
    const int rows = count / m_columns + (count % m_columns ? 1 : 0);
    m_scrollMax = std::max(0, CellHeight() * rows - 1);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, m_scrollMax,
                    static_cast<UINT>(std::max(0, client.Height())), 0, 0};
    m_scroll = std::clamp(m_scroll, 0, std::max(0, m_scrollMax - client.Height() + 1));
    info.nPos = m_scroll;
    SetScrollInfo(SB_VERT, &info, TRUE);
}

CRect CCatWnd::GetItemRect(int index, ItemPart part) const
{
    const CCatSettings& s = *m_settings;
    const bool rows = m_viewMode == NamesOnly || m_viewMode == SingleColumn;
    CRect client;
    GetClientRect(&client);
    const int cellWidth = s.m_cellWidth[static_cast<size_t>(m_viewMode)], cellHeight = CellHeight();
    CRect cell;
    cell.left = rows ? client.left : (index % m_columns) * cellWidth + m_leftOffset;
    cell.right = rows ? client.right : cell.left + cellWidth;
    cell.top = (index / m_columns) * cellHeight - m_scroll;
    cell.bottom = cell.top + cellHeight;
    if (part == WholeCell)
        return cell;
    const int tile = s.m_iconSize + 2 * s.m_iconMargin;
    const int nameHeight = (m_viewMode == NamesOnly ? m_textHeight : s.m_textLines * m_textHeight) + 4;
    int inset = 0;
    if (m_viewMode == IconsOnly)
        inset = std::max(0, s.m_cellHeight[IconsOnly] - tile) / 2;
    else if (m_viewMode == NamesOnly)
        inset = std::max(0, s.m_cellHeight[NamesOnly] - nameHeight) / 2;
    else
        inset = std::max(0, cellHeight - s.m_iconTextGap - tile - nameHeight) / 2;
    if (part == IconTile) {
        const int left = (cell.left + cell.right) / 2 - tile / 2;
        return CRect(left, cell.top + inset, left + tile, cell.top + inset + tile);
    }
    const int top = m_viewMode == NamesOnly ? cell.top + inset : cell.top + inset + s.m_iconTextGap + tile;
    return CRect(cell.left, top, cell.right, top + nameHeight);
}

int CCatWnd::HitTestItem(int x, int y, ItemPart part) const
{
    if (!m_catalogue)
        return -1;
    for (int i = 0; i < m_catalogue->GetCount(); ++i)
        if (GetItemRect(i, part).PtInRect(CPoint(x, y)))
            return i;
    return -1;
}

int CCatWnd::GetInsertPosition(int x, int y) const
{
    const int count = m_catalogue ? m_catalogue->GetCount() : 0;
    const int cellHeight = std::max(1, CellHeight());
    int position = 0;
    if (m_viewMode == IconsAndNames || m_viewMode == IconsOnly) {
        const int cellWidth = std::max(1, m_settings->m_cellWidth[static_cast<size_t>(m_viewMode)]);
        position = (x - m_leftOffset + cellWidth / 2) / cellWidth + ((y + m_scroll) / cellHeight) * m_columns;
    } else {
        position = (y + m_scroll + cellHeight / 2) / cellHeight;
    }
    return std::clamp(position, 0, count);
}

void CCatWnd::ScrollTo(int position)
{
    CRect client;
    GetClientRect(&client);
    position = std::clamp(position, 0, std::max(0, m_scrollMax - client.Height() + 1));
    if (position == m_scroll)
        return;
    EndRename();
    m_scroll = position;
    SetScrollPos(SB_VERT, m_scroll, TRUE);
    Invalidate();
}

void CCatWnd::OnVScroll(UINT code, UINT position, CScrollBar*)
{
    CRect client;
    GetClientRect(&client);
    switch (code) {
    case SB_LINEUP: ScrollTo(m_scroll - CellHeight()); break;
    case SB_LINEDOWN: ScrollTo(m_scroll + CellHeight()); break;
    case SB_PAGEUP: ScrollTo(m_scroll - client.Height()); break;
    case SB_PAGEDOWN: ScrollTo(m_scroll + client.Height()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: ScrollTo(static_cast<int>(position)); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(m_scrollMax); break;
    default: break;
    }
}
