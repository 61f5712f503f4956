// The playing field: its fixed cells and bounds, and removing full rows.
#pragma once

#include "game/BlockList.h"

class CGameBoard : public CBlockList {
public:
    CGameBoard(int left, int top, int right, int bottom)
        : m_nLeft(left), m_nTop(top), m_nRight(right), m_nBottom(bottom)
    {
    }

    int Left() const { return m_nLeft; }
    int Top() const { return m_nTop; }
    int Right() const { return m_nRight; }
    int Bottom() const { return m_nBottom; }

    // Outside the bounds or on a fixed cell.
    bool IsBlocked(int x, int y) const;
    // Takes out every full row, moving the rows above down; returns how many went.
    int RemoveFullRows();
    // A fixed cell in any column of row 1: the stack has reached the top.
    bool ReachesTop() const;

private:
    bool RemoveFirstFullRow();

    int m_nLeft, m_nTop, m_nRight, m_nBottom;
};
