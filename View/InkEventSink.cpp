#include "View/InkEventSink.h"

#include "View/NotesView.h"

void CInkEventSink::Stroke(const InkCursor&, const std::shared_ptr<InkStrokeDisp>& stroke, bool& cancel)
{
    cancel = false;
    m_owner->RunOnUiThread([owner = m_owner, stroke] { owner->OnStrokeCollected(stroke); });
}

void CInkEventSink::CursorInRange(const InkCursor& cursor, bool)
{
    m_owner->RunOnUiThread([owner = m_owner, inverted = cursor.Inverted] { owner->OnCursorInRange(inverted); });
}

void CInkEventSink::StrokesDeleting(const InkStrokes&)
{
    m_owner->RunOnUiThread([owner = m_owner] { owner->OnStrokesDeleting(); });
}

void CInkEventSink::Gesture(const InkCursor&, const InkStrokes& strokes, const std::vector<InkGesture>& gestures,
                            bool& cancel)
{
    m_owner->OnInkGesture(strokes, gestures, cancel);
}
