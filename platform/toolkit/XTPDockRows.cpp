#include "platform/toolkit/XTPDockRows.h"

#include "platform/toolkit/XTPToolBar.h"

#include <algorithm>
#include <map>

void CXTPDockRows::Add(CXTPToolBar* bar)
{
    if (!Contains(bar))
        m_bars.push_back(bar);
    bar->SetDockBar(this);
    bar->SetPosition(m_position);
}

void CXTPDockRows::Remove(CXTPToolBar* bar)
{
    m_bars.erase(std::remove(m_bars.begin(), m_bars.end(), bar), m_bars.end());
    if (bar->GetDockBar() == this)
        bar->SetDockBar(nullptr);
}

BOOL CXTPDockRows::Contains(const CXTPToolBar* bar) const { return std::find(m_bars.begin(), m_bars.end(), bar) != m_bars.end(); }

int CXTPDockRows::RowAt(int across) const
{
    for (size_t row = 0; row < m_rowSpans.size(); ++row)
        if (across >= m_rowSpans[row].first && across < m_rowSpans[row].second)
            return static_cast<int>(row);
    return static_cast<int>(m_rowSpans.size());
}

void CXTPDockRows::CompactRows()
{
    std::map<int, int> renumber;
    for (CXTPToolBar* bar : m_bars)
        if (bar->IsVisible())
            renumber[bar->m_nRow] = 0;
    int next = 0;
    for (auto& [row, index] : renumber)
        index = next++;
    for (CXTPToolBar* bar : m_bars)
        if (bar->IsVisible())
            bar->m_nRow = renumber[bar->m_nRow];
}

void CXTPDockRows::Layout(CRect& remaining)
{
    CompactRows();
    BOOL horizontal = IsHorizontal();
    DWORD mode = horizontal ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    int available = horizontal ? remaining.Width() : remaining.Height();
    int origin = horizontal ? remaining.left : remaining.top;
    m_rowSpans.clear();
    m_rect = CRect(remaining.left, remaining.top, remaining.left, remaining.top);
    int used = 0;
    for (int row = 0;; ++row) {
        std::vector<CXTPToolBar*> bars;
        for (CXTPToolBar* bar : m_bars)
            if (bar->IsVisible() && bar->m_nRow == row)
                bars.push_back(bar);
        if (bars.empty())
            break;
        std::stable_sort(bars.begin(), bars.end(), [](auto* a, auto* b) { return a->m_nOffset < b->m_nOffset; });
        std::vector<CSize> sizes;
        int thickness = 0;
        for (CXTPToolBar* bar : bars) {
            sizes.push_back(bar->CalcDockingLayout(0, mode));
            thickness = std::max(thickness, static_cast<int>(horizontal ? sizes.back().cy : sizes.back().cx));
        }
        int across = 0;
        switch (m_position) {
        case BarTop: across = remaining.top + used; break;
        case BarBottom: across = remaining.bottom - used - thickness; break;
        case BarLeft: across = remaining.left + used; break;
        default: across = remaining.right - used - thickness; break;
        }
        int end = 0;
        for (size_t i = 0; i < bars.size(); ++i) {
            int length = horizontal ? sizes[i].cx : sizes[i].cy;
            int along = std::max(bars[i]->m_nOffset, end);
            if (along + length > available)
                along = std::max(end, available - length);
            length = std::min(length, std::max(0, available - along));
            end = along + length;
            CRect r = horizontal ? CRect(origin + along, across, origin + along + length, across + thickness)
                                 : CRect(across, origin + along, across + thickness, origin + along + length);
            bars[i]->SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            // Measuring laid the controls out at full length, also those the bar keeps behind its
            // expand button; a bar whose size stayed would show and open that layout.
            bars[i]->OnRecalcLayout();
        }
        m_rowSpans.emplace_back(across, across + thickness);
        used += thickness;
    }
    switch (m_position) {
    case BarTop: m_rect = CRect(remaining.left, remaining.top, remaining.right, remaining.top + used); remaining.top += used; break;
    case BarBottom: m_rect = CRect(remaining.left, remaining.bottom - used, remaining.right, remaining.bottom); remaining.bottom -= used; break;
    case BarLeft: m_rect = CRect(remaining.left, remaining.top, remaining.left + used, remaining.bottom); remaining.left += used; break;
    default: m_rect = CRect(remaining.right - used, remaining.top, remaining.right, remaining.bottom); remaining.right -= used; break;
    }
}
