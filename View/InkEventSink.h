// Private: turns the overlay's events into calls of the notes view. Events may come from the
// ink platform's threads; the view's state is then changed on the user-interface thread only.
#pragma once

#include "platform/ink/InkCollector.h"

class CNotesView;

class CInkEventSink : public InkCollectorEvents {
public:
    explicit CInkEventSink(CNotesView* owner) : m_owner(owner) {}

    void Stroke(const InkCursor& cursor, const std::shared_ptr<InkStrokeDisp>& stroke, bool& cancel) override;
    void CursorInRange(const InkCursor& cursor, bool newCursor) override;
    void StrokesDeleting(const InkStrokes& strokes) override;
    // The stroke's fate is decided at once: the view acts on the gesture where it is raised.
    void Gesture(const InkCursor& cursor, const InkStrokes& strokes, const std::vector<InkGesture>& gestures,
                 bool& cancel) override;

private:
    CNotesView* m_owner;
};
