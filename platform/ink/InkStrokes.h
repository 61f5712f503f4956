// A collection of strokes of one ink object. It refers to the strokes; deleting a stroke
// from the ink does not take it out of collections that hold it.
#pragma once

#include "platform/ink/InkStrokeDisp.h"

#include <memory>
#include <vector>

class InkStrokes {
public:
    explicit InkStrokes(std::weak_ptr<InkDisp> ink = {}) : m_ink(std::move(ink)) {}

    std::shared_ptr<InkDisp> Ink() const { return m_ink.lock(); }
    size_t Count() const { return m_strokes.size(); }
    const std::shared_ptr<InkStrokeDisp>& Item(size_t index) const { return m_strokes.at(index); }
    const std::vector<std::shared_ptr<InkStrokeDisp>>& All() const { return m_strokes; }
    bool Contains(LONG id) const;

    // Only strokes of this collection's ink join it, each once.
    bool Add(const std::shared_ptr<InkStrokeDisp>& stroke);
    bool AddStrokes(const InkStrokes& strokes);
    bool Remove(const std::shared_ptr<InkStrokeDisp>& stroke);
    void RemoveStrokes(const InkStrokes& strokes);
    void Clear() { m_strokes.clear(); }

    // The union of the strokes' boxes; empty for no strokes.
    RECT GetBoundingBox(InkBoundingBoxMode mode = InkBoundingBoxMode::Default) const;
    void Move(double dx, double dy);
    void ScaleTransform(double horizontal, double vertical);
    // Maps the strokes' default bounding box onto the rectangle.
    void ScaleToRectangle(const RECT& rectangle);

private:
    friend class InkDisp;
    // Strokes known to be of the ink and distinct.
    InkStrokes(std::weak_ptr<InkDisp> ink, std::vector<std::shared_ptr<InkStrokeDisp>> strokes)
        : m_ink(std::move(ink)), m_strokes(std::move(strokes))
    {
    }

    std::weak_ptr<InkDisp> m_ink;
    std::vector<std::shared_ptr<InkStrokeDisp>> m_strokes;
};
