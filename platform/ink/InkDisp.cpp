#include "platform/ink/InkDisp.h"

#include <algorithm>
#include <cmath>

std::shared_ptr<InkDisp> InkDisp::Create() { return std::shared_ptr<InkDisp>(new InkDisp()); }

InkStrokes InkDisp::Strokes()
{
    return InkStrokes(weak_from_this(), m_strokes);
}

std::optional<InkStrokes> InkDisp::CreateStrokes(const std::vector<LONG>& ids)
{
    InkStrokes chosen(weak_from_this());
    for (LONG id : ids) {
        auto stroke = Stroke(id);
        if (!stroke)
            return std::nullopt;
        chosen.Add(stroke);
    }
    return chosen;
}

std::shared_ptr<InkStrokeDisp> InkDisp::CreateStroke(std::vector<POINT> points, std::vector<WORD> pressures)
{
    auto stroke = std::make_shared<InkStrokeDisp>(weak_from_this(), m_nextId);
    if (!stroke->SetPoints(std::move(points), std::move(pressures)))
        return nullptr;
    ++m_nextId;
    m_strokes.push_back(stroke);
    return stroke;
}

std::shared_ptr<InkStrokeDisp> InkDisp::Stroke(LONG id) const
{
    auto it = std::find_if(m_strokes.begin(), m_strokes.end(), [&](const auto& s) { return s->ID() == id; });
    return it == m_strokes.end() ? nullptr : *it;
}

std::shared_ptr<InkStrokeDisp> InkDisp::Adopt(const InkStrokeDisp& source, LONG id)
{
    auto copy = std::make_shared<InkStrokeDisp>(source);
    copy->m_ink = weak_from_this();
    copy->m_id = id;
    copy->m_deleted = false;
    m_nextId = std::max(m_nextId, id + 1);
    m_strokes.push_back(copy);
    return copy;
}

InkStrokes InkDisp::AddStrokesAtRectangle(const InkStrokes& strokes, const RECT& rectangle)
{
    RECT box = strokes.GetBoundingBox();
    InkStrokes added(weak_from_this());
    for (const auto& s : strokes.All()) {
        auto copy = Adopt(*s, m_nextId);
        copy->MapRectangle(box, rectangle);
        added.Add(copy);
    }
    return added;
}

bool InkDisp::DeleteStroke(const std::shared_ptr<InkStrokeDisp>& stroke)
{
    auto it = std::find(m_strokes.begin(), m_strokes.end(), stroke);
    if (it == m_strokes.end())
        return false;
    (*it)->m_deleted = true;
    m_strokes.erase(it);
    return true;
}

void InkDisp::DeleteStrokes(const InkStrokes* strokes)
{
    if (strokes) {
        for (const auto& s : strokes->All())
            DeleteStroke(s);
        return;
    }
    for (const auto& s : m_strokes)
        s->m_deleted = true;
    m_strokes.clear();
}

std::shared_ptr<InkDisp> InkDisp::Clone() const
{
    auto clone = Create();
    for (const auto& s : m_strokes)
        clone->Adopt(*s, s->ID());
    clone->m_properties = m_properties;
    clone->m_nextId = m_nextId;
    return clone;
}

std::shared_ptr<InkDisp> InkDisp::ExtractStrokes(const InkStrokes* strokes)
{
    auto extracted = Create();
    std::vector<std::shared_ptr<InkStrokeDisp>> moving = strokes ? strokes->All() : m_strokes;
    for (const auto& s : moving)
        if (std::find(m_strokes.begin(), m_strokes.end(), s) != m_strokes.end()) {
            extracted->Adopt(*s, s->ID());
            DeleteStroke(s);
        }
    return extracted;
}

RECT InkDisp::GetBoundingBox(InkBoundingBoxMode mode) { return Strokes().GetBoundingBox(mode); }

InkStrokes InkDisp::HitTestWithRectangle(const RECT& r, float percent)
{
    InkStrokes hit(weak_from_this());
    for (const auto& s : m_strokes) {
        const auto& points = s->Points();
        if (points.empty())
            continue;
        auto inside = std::count_if(points.begin(), points.end(), [&](const POINT& p) {
            return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
        });
        if (100.0 * double(inside) / double(points.size()) >= percent)
            hit.Add(s);
    }
    return hit;
}

InkStrokes InkDisp::HitTestCircle(POINT center, double radius)
{
    InkStrokes hit(weak_from_this());
    for (const auto& s : m_strokes)
        if (s->Distance(center) <= radius)
            hit.Add(s);
    return hit;
}

namespace {

// The stroke's points with more put in between, so no two lie further apart than `step`.
void Densify(const InkStrokeDisp& s, double step, std::vector<POINT>& points, std::vector<WORD>& pressures)
{
    const auto& from = s.Points();
    const auto& weights = s.Pressures();
    for (size_t i = 0; i < from.size(); ++i) {
        if (i > 0) {
            double dx = double(from[i].x) - from[i - 1].x, dy = double(from[i].y) - from[i - 1].y;
            int parts = int(std::min(1e6, std::ceil(std::hypot(dx, dy) / step)));
            for (int k = 1; k < parts; ++k) {
                double t = double(k) / parts;
                points.push_back({LONG(std::lround(from[i - 1].x + dx * t)), LONG(std::lround(from[i - 1].y + dy * t))});
                if (!weights.empty())
                    pressures.push_back(WORD(std::lround(weights[i - 1] + (weights[i] - weights[i - 1]) * t)));
            }
        }
        points.push_back(from[i]);
        if (!weights.empty())
            pressures.push_back(weights[i]);
    }
}

}  // namespace

bool InkDisp::ErasePoints(POINT center, double radius)
{
    bool changed = false;
    for (const auto& stroke : std::vector(m_strokes)) {
        if (stroke->Distance(center) > radius)
            continue;
        std::vector<POINT> points;
        std::vector<WORD> pressures;
        Densify(*stroke, std::max(1.0, radius / 2), points, pressures);
        auto inside = [&](size_t i) { return std::hypot(double(points[i].x - center.x), double(points[i].y - center.y)) <= radius; };
        for (size_t i = 0; i < points.size();) {
            size_t end = i;
            while (end < points.size() && !inside(end))
                ++end;
            if (end > i) {
                auto piece = Adopt(*stroke, m_nextId);
                piece->SetPoints({points.begin() + long(i), points.begin() + long(end)},
                                 pressures.empty() ? std::vector<WORD>()
                                                   : std::vector<WORD>(pressures.begin() + long(i), pressures.begin() + long(end)));
            }
            i = end + 1;
        }
        DeleteStroke(stroke);
        changed = true;
    }
    return changed;
}
