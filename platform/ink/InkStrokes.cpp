#include "platform/ink/InkStrokes.h"

#include <algorithm>

bool InkStrokes::Contains(LONG id) const
{
    return std::any_of(m_strokes.begin(), m_strokes.end(), [&](const auto& s) { return s->ID() == id; });
}

bool InkStrokes::Add(const std::shared_ptr<InkStrokeDisp>& stroke)
{
    if (!stroke || stroke->Ink() != m_ink.lock() || Contains(stroke->ID()))
        return false;
    m_strokes.push_back(stroke);
    return true;
}

bool InkStrokes::AddStrokes(const InkStrokes& strokes)
{
    bool all = true;
    for (const auto& s : strokes.All())
        all = (Add(s) || Contains(s->ID())) && all;
    return all;
}

bool InkStrokes::Remove(const std::shared_ptr<InkStrokeDisp>& stroke)
{
    auto it = std::find(m_strokes.begin(), m_strokes.end(), stroke);
    if (it == m_strokes.end())
        return false;
    m_strokes.erase(it);
    return true;
}

void InkStrokes::RemoveStrokes(const InkStrokes& strokes)
{
    for (const auto& s : strokes.All())
        Remove(s);
}

RECT InkStrokes::GetBoundingBox(InkBoundingBoxMode mode) const
{
    RECT box{0, 0, 0, 0};
    bool any = false;
    for (const auto& s : m_strokes) {
        if (s->Points().empty())
            continue;
        RECT r = s->GetBoundingBox(mode);
        box = any ? RECT{std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
                         std::max(box.bottom, r.bottom)}
                  : r;
        any = true;
    }
    return box;
}

void InkStrokes::Move(double dx, double dy)
{
    for (const auto& s : m_strokes)
        s->Move(dx, dy);
}

void InkStrokes::ScaleTransform(double horizontal, double vertical)
{
    for (const auto& s : m_strokes)
        s->ScaleTransform(horizontal, vertical);
}

void InkStrokes::ScaleToRectangle(const RECT& rectangle)
{
    RECT box = GetBoundingBox();
    for (const auto& s : m_strokes)
        s->MapRectangle(box, rectangle);
}
