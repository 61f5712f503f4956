// Gestures drawn on the ink layer: a scratch-out erases the words it covers, the others ask for
// Cut, Copy or Paste. A gesture that finds nothing to act on stays on the page as ink.
#include "View/NotesView.h"

#include "platform/ink/InkClipboard.h"
#include "platform/ink/InkOverlay.h"
#include "platform/ink/InkRecognizers.h"
#include "platform/ui/UiApi.h"

namespace {

constexpr UINT kCut = 57635, kCopy = 57634, kPaste = 57637;
// The share of a stroke that must lie in the scratch-out's box for the stroke to go.
constexpr float kScratchedShare = 60.0f;

// What a gesture needs to act on; without it the gesture stays on the page as ink.
enum class Needs { Selection, Clipboard };

struct GestureCommand {
    InkApplicationGesture gesture;
    UINT command;
    Needs needs;
};

// Up-down and down-up ask for nothing, so they are never taken from the writing.
constexpr GestureCommand kGestureCommands[] = {
    {InkApplicationGesture::Curlicue, kCut, Needs::Selection},
    {InkApplicationGesture::LeftRight, kCut, Needs::Selection},
    {InkApplicationGesture::DoubleCurlicue, kCopy, Needs::Selection},
    {InkApplicationGesture::RightLeft, kCopy, Needs::Selection},
    {InkApplicationGesture::DoubleCircle, kPaste, Needs::Clipboard},
    {InkApplicationGesture::ChevronUp, kPaste, Needs::Clipboard},
    {InkApplicationGesture::ChevronDown, kPaste, Needs::Clipboard},
};

} // namespace

BOOL CNotesView::OnInkGesture(const InkStrokes& strokes, const std::vector<InkGesture>& gestures, bool& cancel)
{
    if (m_editingMode != ModeInk && m_editingMode != ModeInkAfterEraser)
        return TRUE;
    if (gestures.empty())
        return FALSE;
    cancel = false;
    for (const InkGesture& gesture : gestures)
        if (gesture.Confidence != InkRecognitionConfidence::Poor)
            cancel = !ActOnGesture(gesture.Id, strokes) || cancel;
    return TRUE;
}

BOOL CNotesView::ActOnGesture(InkApplicationGesture gesture, const InkStrokes& strokes)
{
    if (gesture == InkApplicationGesture::Scratchout)
        return EraseScratchedInk(strokes);
    for (const GestureCommand& entry : kGestureCommands) {
        if (entry.gesture != gesture)
            continue;
        const BOOL canAct = entry.needs == Needs::Selection ? m_overlay->Selection().Count() > 0 : InkCanPaste();
        if (!canAct)
            return FALSE;
        PostMessage(WM_COMMAND, entry.command);
        return TRUE;
    }
    return FALSE;
}

// Handwriting goes a word at a time: the strokes widen to the recognised words they are part of.
InkStrokes CNotesView::WidenToWords(const InkStrokes& strokes, const InkStrokes& gesture)
{
    InkStrokes writing = OverlayStrokes();
    writing.RemoveStrokes(gesture);
    auto context = InkRecognizers().GetDefaultRecognizer(0)->CreateRecognizerContext();
    context->SetStrokes(writing);
    int status = 0;
    const auto result = context->Recognize(status);
    return result ? result->TopAlternate()->GetStrokesFromStrokeRanges(strokes) : strokes;
}

BOOL CNotesView::EraseScratchedInk(const InkStrokes& gesture)
{
    InkStrokes covered = m_overlay->Ink()->HitTestWithRectangle(gesture.GetBoundingBox(), kScratchedShare);
    covered.RemoveStrokes(gesture);
    if (covered.Count() == 0)
        return FALSE;
    covered = WidenToWords(covered, gesture);
    OnStrokesDeleting();
    m_overlay->Ink()->DeleteStrokes(&covered);
    if (m_overlay->Selection().Count())
        ClearInkSelection();
    InvalidateRect(nullptr, TRUE);
    return TRUE;
}
