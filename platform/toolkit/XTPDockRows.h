// One edge of the frame where tool bars dock: rows of bars, each bar at an offset along its row.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/toolkit/XTPMessages.h"

#include <vector>

class CXTPToolBar;

class CXTPDockRows {
public:
    explicit CXTPDockRows(BarDockPosition position) : m_position(position) {}

    BarDockPosition GetPosition() const { return m_position; }
    BOOL IsHorizontal() const { return m_position == BarTop || m_position == BarBottom; }
    void Add(CXTPToolBar* bar);
    void Remove(CXTPToolBar* bar);
    BOOL Contains(const CXTPToolBar* bar) const;
    const std::vector<CXTPToolBar*>& GetBars() const { return m_bars; }
    // The row that a coordinate across the edge falls into (site client coordinates); the
    // row count when it lies beyond the last row.
    int RowAt(int across) const;
    // Places the visible bars of this edge inside `remaining`, which shrinks by their rows.
    void Layout(CRect& remaining);
    // The rectangle the edge took in the last layout.
    CRect GetRect() const { return m_rect; }

private:
    // Renumbers rows so that they run 0, 1, 2 ... without gaps.
    void CompactRows();

    BarDockPosition m_position;
    std::vector<CXTPToolBar*> m_bars;
    std::vector<std::pair<int, int>> m_rowSpans; // start and end across the edge, per row
    CRect m_rect{0, 0, 0, 0};
};
