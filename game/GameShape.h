// A falling piece: its kind and rotation from the shared shape table, its colour and
// position, and its cells relative to the position.
#pragma once

#include "game/BlockList.h"
#include "game/GameBoard.h"

#include <cstdint>
#include <functional>
#include <span>

// The shape table: per kind the rotation count, the cell count, then the cell offsets of
// every rotation as (x, y) pairs, and a closing 0.
namespace ShapeTable {
int KindCount();
int RotationCount(int kind);
int CellCount(int kind);
// The offsets of one rotation as x, y, x, y ...; empty for a kind or rotation out of range.
std::span<const int16_t> Cells(int kind, int rotation);
}  // namespace ShapeTable

class CGameShape : public CBlockList {
public:
    explicit CGameShape(const CGameBoard& board) : m_board(board) {}

    // Replaces the cells with the rotation's offsets when every one lands on a free cell of
    // the board at the position; otherwise nothing changes.
    bool Build(int kind, int rotation, int x, int y);
    // Colour and kind from the random source; rotation 0.
    bool BuildRandom(int x, int y, int shapeSetSize, const std::function<int()>& random);

    bool MoveLeft() { return MoveBy(-1, 0); }
    bool MoveRight() { return MoveBy(1, 0); }
    // false: the piece has landed.
    bool MoveDown() { return MoveBy(0, 1); }
    // The next rotation, or the old one when the new does not fit.
    bool Rotate();
    // Places the piece without testing the board (where it is shown).
    void SetPosition(int x, int y);
    // The 80 x 80 pixel box at (x * 20, y * 20).
    bool HitTest(int px, int py) const;

    int X() const { return m_x; }
    int Y() const { return m_y; }
    int Colour() const { return m_colour; }
    int Kind() const { return m_kind; }
    int Rotation() const { return m_rotation; }

private:
    bool Fits(int kind, int rotation, int x, int y) const;
    bool MoveBy(int dx, int dy);

    const CGameBoard& m_board;
    int m_colour = 0;
    int m_x = 0;
    int m_y = 0;
    int m_rotation = 0;
    int m_rotations = 0;
    int m_kind = -1;
};
