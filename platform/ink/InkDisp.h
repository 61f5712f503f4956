// An ink object: its strokes in the order they were made, each with an id unique within the
// ink, and the ink's own extended properties. Saved in the stored form of InkFormat.h.
#pragma once

#include "platform/ink/InkStrokes.h"

#include <memory>
#include <optional>
#include <vector>

class InkDataObject;

class InkDisp : public std::enable_shared_from_this<InkDisp> {
public:
    static std::shared_ptr<InkDisp> Create();

    // All strokes, or those with the given ids; nothing when an id is unknown.
    InkStrokes Strokes();
    std::optional<InkStrokes> CreateStrokes(const std::vector<LONG>& ids = {});
    std::shared_ptr<InkStrokeDisp> CreateStroke(std::vector<POINT> points, std::vector<WORD> pressures = {});
    std::shared_ptr<InkStrokeDisp> Stroke(LONG id) const;
    size_t StrokeCount() const { return m_strokes.size(); }

    // Copies of the strokes (of any ink), their bounding box mapped onto the rectangle, with
    // their attributes and properties. Returns the copies.
    InkStrokes AddStrokesAtRectangle(const InkStrokes& strokes, const RECT& rectangle);
    bool DeleteStroke(const std::shared_ptr<InkStrokeDisp>& stroke);
    // Without a collection every stroke goes.
    void DeleteStrokes(const InkStrokes* strokes = nullptr);
    // A new ink holding copies of the strokes (same ids) and properties.
    std::shared_ptr<InkDisp> Clone() const;
    // Moves the strokes into a new ink; all of them without a collection.
    std::shared_ptr<InkDisp> ExtractStrokes(const InkStrokes* strokes = nullptr);

    RECT GetBoundingBox(InkBoundingBoxMode mode = InkBoundingBoxMode::Default);
    // Strokes with at least `percent` of their points inside the rectangle.
    InkStrokes HitTestWithRectangle(const RECT& rectangle, float percent);
    // Strokes whose line passes within `radius` of the point.
    InkStrokes HitTestCircle(POINT center, double radius);
    // Cuts away the parts of strokes within `radius` of the point; a cut stroke becomes two.
    bool ErasePoints(POINT center, double radius);

    InkExtendedProperties& ExtendedProperties() { return m_properties; }

    // Data of copies of the strokes, all of them without a collection, for the clipboard or a
    // data source; NULL when there are none.
    std::unique_ptr<InkDataObject> ClipboardCopy(const InkStrokes* strokes = nullptr);

    std::vector<BYTE> Save() const;
    // Replaces the strokes and properties with a saved ink; an empty block gives an empty ink.
    // A damaged block is refused and the ink keeps what it had.
    bool Load(const std::vector<BYTE>& bytes);

private:
    InkDisp() = default;
    std::shared_ptr<InkStrokeDisp> Adopt(const InkStrokeDisp& source, LONG id);

    std::vector<std::shared_ptr<InkStrokeDisp>> m_strokes;
    InkExtendedProperties m_properties;
    LONG m_nextId = 1;
};
