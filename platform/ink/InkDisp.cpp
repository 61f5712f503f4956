#include "platform/ink/InkDisp.h"

#include <algorithm>
#include <cmath>
#include <numeric>

std::shared_ptr<InkDisp> InkDisp::Create() { return std::shared_ptr<InkDisp>(new InkDisp()); }

InkStrokes InkDisp::Strokes()
{
    InkStrokes all(weak_from_this());
    for (const auto& s : m_strokes)
        all.Add(s);
    return all;
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

bool InkDisp::ErasePoints(POINT center, double radius)
{
    bool changed = false;
    for (const auto& stroke : std::vector(m_strokes)) {
        const auto& points = stroke->Points();
        std::vector<std::vector<size_t>> runs(1);
        for (size_t i = 0; i < points.size(); ++i) {
            double d = std::hypot(double(points[i].x - center.x), double(points[i].y - center.y));
            if (d > radius)
                runs.back().push_back(i);
            else if (!runs.back().empty())
                runs.emplace_back();
        }
        if (std::accumulate(runs.begin(), runs.end(), size_t(0), [](size_t n, const auto& r) { return n + r.size(); }) ==
            points.size())
            continue;
        for (const auto& run : runs) {
            if (run.empty())
                continue;
            std::vector<POINT> part;
            std::vector<WORD> pressures;
            for (size_t i : run) {
                part.push_back(points[i]);
                if (!stroke->Pressures().empty())
                    pressures.push_back(stroke->Pressures()[i]);
            }
            auto piece = Adopt(*stroke, m_nextId);
            piece->SetPoints(std::move(part), std::move(pressures));
        }
        DeleteStroke(stroke);
        changed = true;
    }
    return changed;
}
