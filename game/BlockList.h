// An ordered list of cells: the fixed cells of the board and the cells of a piece.
#pragma once

#include <cstdint>
#include <string>

struct SBlock {
    int16_t nX;
    int16_t nY;
};

// Draws one cell of a colour at a board position.
class ICellPainter {
public:
    virtual ~ICellPainter() = default;
    virtual void DrawCell(int x, int y, int colour) = 0;
};

class CBlockList {
public:
    struct Node {
        SBlock Block;
        int nColour;
        Node* pNext;
    };

    CBlockList();
    virtual ~CBlockList();
    CBlockList(const CBlockList&) = delete;
    CBlockList& operator=(const CBlockList&) = delete;

    // Keeps the list ordered by row, then column; a cell already present is refused.
    bool Insert(SBlock block, int colour);
    // Adds at the end, unordered.
    bool Append(SBlock block, int colour);
    bool Contains(int x, int y) const;
    void RemoveAll();
    bool IsEmpty() const { return First() == nullptr; }
    void Draw(ICellPainter& painter, int x, int y) const;
    // "[X:01,Y:16]" per cell, one line per row.
    std::string Dump() const;

    const Node* First() const { return m_pHead ? m_pHead->pNext : nullptr; }

protected:
    Node* m_pHead;
};
