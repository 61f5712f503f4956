#include "game/BlockList.h"

#include "platform/core/Diagnostics.h"

#include <cstdio>
#include <new>

CBlockList::CBlockList() : m_pHead(new (std::nothrow) Node{{0, 0}, 0, nullptr})
{
    if (!m_pHead)
        TRACE("CBlockList::CBlockList():Memory allocation failed\n");
}

CBlockList::~CBlockList()
{
    RemoveAll();
    delete m_pHead;
}

bool CBlockList::Insert(SBlock block, int colour)
{
    if (!m_pHead)
        return false;
    Node* prev = m_pHead;
    for (Node* curr = prev->pNext; curr; prev = curr, curr = curr->pNext) {
        if (curr->Block.nX == block.nX && curr->Block.nY == block.nY)
            return false;
        if (curr->Block.nY > block.nY || (curr->Block.nY == block.nY && curr->Block.nX > block.nX))
            break;
    }
    Node* node = new (std::nothrow) Node{block, colour, prev->pNext};
    if (!node) {
        TRACE("bool CBlockList::Insert(SBlock Block):Memory allocation failed\n");
        return false;
    }
    prev->pNext = node;
    return true;
}

bool CBlockList::Append(SBlock block, int colour)
{
    if (!m_pHead)
        return false;
    Node* last = m_pHead;
    while (last->pNext)
        last = last->pNext;
    last->pNext = new (std::nothrow) Node{block, colour, nullptr};
    return last->pNext != nullptr;
}

bool CBlockList::Contains(int x, int y) const
{
    for (const Node* n = First(); n; n = n->pNext)
        if (n->Block.nX == x && n->Block.nY == y)
            return true;
    return false;
}

void CBlockList::RemoveAll()
{
    if (!m_pHead)
        return;
    Node* n = m_pHead->pNext;
    while (n) {
        Node* next = n->pNext;
        delete n;
        n = next;
    }
    m_pHead->pNext = nullptr;
}

void CBlockList::Draw(ICellPainter& painter, int x, int y) const
{
    for (const Node* n = First(); n; n = n->pNext)
        painter.DrawCell(n->Block.nX + x, n->Block.nY + y, n->nColour);
}

std::string CBlockList::Dump() const
{
    std::string out;
    for (const Node* n = First(); n; n = n->pNext) {
        char cell[24];
        std::snprintf(cell, sizeof(cell), "[X:%02d,Y:%02d]", n->Block.nX, n->Block.nY);
        out += cell;
        if (!n->pNext || n->pNext->Block.nY != n->Block.nY)
            out += '\n';
    }
    return out;
}
