#include "platform/ink/InkDivider.h"

#include <cmath>
#include <cstdint>
#include <numeric>

namespace {

// In 64 bits: ink at the edges of ink space stays comparable.
bool Touch(RECT a, RECT b, int64_t gap)
{
    return a.left - gap <= b.right && b.left - gap <= a.right && a.top - gap <= b.bottom && b.top - gap <= a.bottom;
}

size_t Root(std::vector<size_t>& parent, size_t i)
{
    while (parent[i] != i)
        i = parent[i] = parent[parent[i]];
    return i;
}

}  // namespace

std::vector<InkDivisionUnit> InkDivisionResult::ResultByType(InkDivisionType type) const
{
    std::vector<InkDivisionUnit> found;
    for (const auto& unit : m_units)
        if (unit.DivisionType == type)
            found.push_back(unit);
    return found;
}

InkDivisionResult InkDivider::Divide() const
{
    const auto& strokes = Strokes.All();
    std::vector<RECT> boxes;
    for (const auto& s : strokes)
        boxes.push_back(s->GetBoundingBox());
    std::vector<size_t> parent(strokes.size());
    std::iota(parent.begin(), parent.end(), size_t(0));
    LONG gap = LONG(std::lround(LineHeight / 2));
    for (size_t i = 0; i < strokes.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (Touch(boxes[i], boxes[j], gap))
                parent[Root(parent, i)] = Root(parent, j);
    std::vector<InkDivisionUnit> units;
    std::vector<size_t> unitOfRoot(strokes.size(), SIZE_MAX);
    for (size_t i = 0; i < strokes.size(); ++i) {
        size_t root = Root(parent, i);
        if (unitOfRoot[root] == SIZE_MAX) {
            unitOfRoot[root] = units.size();
            units.push_back({InkStrokes(Strokes.Ink()), InkDivisionType::Drawing});
        }
        units[unitOfRoot[root]].Strokes.Add(strokes[i]);
    }
    return InkDivisionResult(std::move(units));
}
