#include "objects/kinds/LineRouterMaps.h"

#include <algorithm>

void CRouteCellMaskMap::Reset(int columns, int rows)
{
    m_columns = columns;
    m_rows = rows;
    m_count = 0;
    m_far.clear();
    int64_t points = static_cast<int64_t>(columns) * rows;
    if (columns > 0 && rows > 0 && points <= DenseLimit)
        m_dense.assign(static_cast<size_t>(points), Unknown);
    else
        m_dense.clear();
}

int CRouteCellMaskMap::Lookup(int i, int j)
{
    uint8_t* slot;
    if (!m_dense.empty() && i >= 0 && i < m_columns && j >= 0 && j < m_rows) {
        slot = &m_dense[static_cast<size_t>(i) * static_cast<size_t>(m_rows) + static_cast<size_t>(j)];
    } else {
        auto [it, inserted] = m_far.try_emplace(RouteCellKey(i, j), Unknown);
        slot = &it->second;
    }
    if (*slot == Unknown) {
        *slot = static_cast<uint8_t>(m_compute(i, j));
        ++m_count;
    }
    return *slot;
}

void CRouteNodeMap::Reset(int columns, int rows, POINT startCell, POINT endCell)
{
    constexpr int Grow = 10;
    m_far.clear();
    m_window.left = std::max(0, std::min(startCell.x, endCell.x) - Grow);
    m_window.top = std::max(0, std::min(startCell.y, endCell.y) - Grow);
    m_window.right = std::max(m_window.left, std::min(columns, std::max(startCell.x, endCell.x) + Grow) + 1);
    m_window.bottom = std::max(m_window.top, std::min(rows, std::max(startCell.y, endCell.y) + Grow) + 1);
    size_t size = static_cast<size_t>(m_window.right - m_window.left) * static_cast<size_t>(m_window.bottom - m_window.top);
    if (m_dense.size() < size)
        m_dense.resize(size, Stamped { FreshRouteNode, m_stamp });
    // A new stamp clears the window without touching it.
    if (++m_stamp == 0) {
        std::fill(m_dense.begin(), m_dense.end(), Stamped { FreshRouteNode, 0 });
        m_stamp = 1;
    }
}

RouteNode* CRouteNodeMap::Slot(int i, int j)
{
    if (i >= m_window.left && i < m_window.right && j >= m_window.top && j < m_window.bottom) {
        size_t index = static_cast<size_t>(i - m_window.left) * static_cast<size_t>(m_window.bottom - m_window.top)
            + static_cast<size_t>(j - m_window.top);
        Stamped& slot = m_dense[index];
        if (slot.stamp != m_stamp)
            slot = Stamped { FreshRouteNode, m_stamp };
        return &slot.node;
    }
    return &m_far.try_emplace(RouteCellKey(i, j), FreshRouteNode).first->second;
}

const RouteNode& CRouteNodeMap::Lookup(int i, int j)
{
    return *Slot(i, j);
}

void CRouteNodeMap::SetAt(int i, int j, const RouteNode& node)
{
    *Slot(i, j) = node;
}

void CRouteOpenList::Clear()
{
    for (auto& stack : m_byF)
        stack.clear();
    m_lowest = 0;
    m_size = 0;
}

void CRouteOpenList::Insert(POINT cell, int f)
{
    size_t index = static_cast<size_t>(std::max(f, 0));
    if (index >= m_byF.size())
        m_byF.resize(index + 1);
    m_byF[index].push_back(cell);
    m_lowest = std::min(m_lowest, index);
    ++m_size;
}

void CRouteOpenList::PruneBehindEnd(int f, const std::function<bool(POINT)>& mayBeatEnd)
{
    size_t index = static_cast<size_t>(std::max(f, 0));
    for (size_t k = index; k < m_byF.size(); ++k) {
        std::vector<POINT>& stack = m_byF[k];
        size_t before = stack.size();
        if (k == index)
            std::erase_if(stack, [&](POINT cell) { return !mayBeatEnd(cell); });
        else
            stack.clear();
        m_size -= before - stack.size();
    }
}

POINT CRouteOpenList::RemoveHead()
{
    while (m_byF[m_lowest].empty())
        ++m_lowest;
    POINT head = m_byF[m_lowest].back();
    m_byF[m_lowest].pop_back();
    --m_size;
    return head;
}
