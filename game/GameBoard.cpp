#include "game/GameBoard.h"

bool CGameBoard::IsBlocked(int x, int y) const
{
    return x < m_nLeft || x > m_nRight || y < m_nTop || y > m_nBottom || Contains(x, y);
}

bool CGameBoard::RemoveFirstFullRow()
{
    const int width = m_nRight - m_nLeft + 1;
    int row = 0, run = 0;
    bool found = false;
    for (const Node* n = First(); n && !found; n = n->pNext) {
        const bool continues = run > 0 && n->Block.nY == row && n->Block.nX == m_nLeft + run;
        run = continues ? run + 1 : (n->Block.nX == m_nLeft ? 1 : 0);
        row = n->Block.nY;
        found = run == width;
    }
    if (!found)
        return false;
    Node* prev = m_pHead;
    while (Node* n = prev->pNext) {
        if (n->Block.nY == row) {
            prev->pNext = n->pNext;
            delete n;
            continue;
        }
        if (n->Block.nY < row)
            ++n->Block.nY;
        prev = n;
    }
    return true;
}

int CGameBoard::RemoveFullRows()
{
    int removed = 0;
    while (RemoveFirstFullRow())
        ++removed;
    return removed;
}

bool CGameBoard::ReachesTop() const
{
    for (const Node* n = First(); n; n = n->pNext)
        if (n->Block.nY == 1 && n->Block.nX >= 0 && n->Block.nX <= m_nRight)
            return true;
    return false;
}
