#include "game/GameShape.h"

#include <vector>

namespace {

// Records in the stored order: rotations, cells, offsets, 0.
constexpr int16_t kShapeData[] = {
    11,
    2, 4, 2, 1, 2, 2, 3, 2, 3, 3, /**/ 1, 2, 2, 2, 2, 1, 3, 1, 0,
    2, 4, 1, 2, 2, 2, 3, 2, 4, 2, /**/ 2, 1, 2, 2, 2, 3, 2, 4, 0,
    2, 4, 2, 1, 2, 2, 1, 2, 1, 3, /**/ 1, 1, 2, 1, 2, 2, 3, 2, 0,
    1, 4, 2, 1, 3, 1, 3, 2, 2, 2, 0,
    4, 4, 2, 2, 3, 2, 2, 3, 2, 4, /**/ 2, 2, 2, 3, 3, 3, 4, 3, /**/ 3, 1, 3, 2, 2, 3, 3, 3, /**/
    1, 2, 2, 2, 3, 2, 3, 3, 0,
    4, 4, 2, 1, 2, 2, 2, 3, 3, 3, /**/ 1, 3, 2, 3, 3, 3, 3, 2, /**/ 2, 2, 3, 2, 3, 3, 3, 4, /**/
    2, 2, 3, 2, 4, 2, 2, 3, 0,
    4, 4, 2, 1, 1, 2, 2, 2, 3, 2, /**/ 2, 1, 1, 2, 2, 2, 2, 3, /**/ 1, 2, 2, 2, 3, 2, 2, 3, /**/
    2, 1, 2, 2, 3, 2, 2, 3, 0,
    1, 4, 2, 1, 1, 2, 3, 2, 2, 3, 0,
    1, 8, 1, 1, 2, 1, 3, 1, 1, 2, 3, 2, 1, 3, 2, 3, 3, 3, 0,
    4, 5, 1, 1, 2, 1, 3, 1, 1, 2, 3, 2, /**/ 1, 1, 2, 1, 1, 2, 1, 3, 2, 3, /**/
    1, 2, 1, 3, 2, 3, 3, 3, 3, 2, /**/ 2, 1, 3, 1, 3, 2, 2, 3, 3, 3, 0,
    1, 5, 2, 1, 1, 2, 2, 2, 3, 2, 2, 3, 0,
};

// Where each kind's record starts, found once by walking the records.
const std::vector<const int16_t*>& Kinds()
{
    static const std::vector<const int16_t*> kinds = [] {
        std::vector<const int16_t*> found;
        const int16_t* p = kShapeData + 1;
        const int16_t* end = kShapeData + std::size(kShapeData);
        for (int k = 0; k < kShapeData[0] && end - p >= 3; ++k) {
            found.push_back(p);
            p += 2 + 2 * p[0] * p[1] + 1;
        }
        return found;
    }();
    return kinds;
}

}  // namespace

int ShapeTable::KindCount() { return int(Kinds().size()); }

int ShapeTable::RotationCount(int kind) { return kind >= 0 && kind < KindCount() ? Kinds()[size_t(kind)][0] : 0; }

int ShapeTable::CellCount(int kind) { return kind >= 0 && kind < KindCount() ? Kinds()[size_t(kind)][1] : 0; }

std::span<const int16_t> ShapeTable::Cells(int kind, int rotation)
{
    if (rotation < 0 || rotation >= RotationCount(kind))
        return {};
    const int16_t* record = Kinds()[size_t(kind)];
    const size_t perRotation = size_t(2 * record[1]);
    return {record + 2 + perRotation * size_t(rotation), perRotation};
}

bool CGameShape::Fits(int kind, int rotation, int x, int y) const
{
    const auto cells = ShapeTable::Cells(kind, rotation);
    if (cells.empty())
        return false;
    for (size_t i = 0; i < cells.size(); i += 2)
        if (m_board.IsBlocked(cells[i] + x, cells[i + 1] + y))
            return false;
    return true;
}

bool CGameShape::Build(int kind, int rotation, int x, int y)
{
    if (!Fits(kind, rotation, x, y))
        return false;
    RemoveAll();
    const auto cells = ShapeTable::Cells(kind, rotation);
    for (size_t i = 0; i < cells.size(); i += 2)
        Append(SBlock{cells[i], cells[i + 1]}, m_colour);
    m_kind = kind;
    m_rotation = rotation;
    m_rotations = ShapeTable::RotationCount(kind);
    m_x = x;
    m_y = y;
    return true;
}

bool CGameShape::BuildRandom(int x, int y, int shapeSetSize, const std::function<int()>& random)
{
    if (shapeSetSize < 1)
        return false;
    m_colour = random() % 5;
    const int kind = random() % shapeSetSize;
    return Build(kind, 0, x, y);
}

bool CGameShape::MoveBy(int dx, int dy)
{
    for (const Node* n = First(); n; n = n->pNext)
        if (m_board.IsBlocked(n->Block.nX + m_x + dx, n->Block.nY + m_y + dy))
            return false;
    m_x += dx;
    m_y += dy;
    return true;
}

bool CGameShape::Rotate()
{
    if (m_rotations < 1)
        return false;
    return Build(m_kind, (m_rotation + 1) % m_rotations, m_x, m_y);
}

void CGameShape::SetPosition(int x, int y)
{
    m_x = x;
    m_y = y;
}

bool CGameShape::HitTest(int px, int py) const
{
    return px >= m_x * 20 && px < m_x * 20 + 80 && py >= m_y * 20 && py < m_y * 20 + 80;
}
