// A collector that also erases and selects: in Delete mode the pen takes away whole strokes or
// the parts it passes over; in Select mode a dragged rectangle selects the strokes that lie
// wholly inside it, and the selection is drawn with a highlight.
#pragma once

#include "platform/ink/InkCollector.h"

class InkOverlay : public InkCollector {
public:
    InkOverlayEditingMode GetEditingMode() const { return m_mode; }
    void SetEditingMode(InkOverlayEditingMode mode);
    InkOverlayEraserMode GetEraserMode() const { return m_eraserMode; }
    void SetEraserMode(InkOverlayEraserMode mode) { m_eraserMode = mode; }
    // Eraser diameter in ink space.
    float EraserWidth = 212.0f;

    const InkStrokes& Selection() const { return m_selection; }
    // Sinks see the new selection first and may change it.
    void SetSelection(const InkStrokes& selection);

protected:
    bool BeginInput(POINT ink, std::optional<WORD> pressure) override;
    void ContinueInput(POINT ink, std::optional<WORD> pressure) override;
    void EndInput(POINT ink) override;
    void Paint(HDC dc) override;

private:
    void EraseAt(POINT ink);

    InkOverlayEditingMode m_mode = InkOverlayEditingMode::Ink;
    InkOverlayEraserMode m_eraserMode = InkOverlayEraserMode::StrokeErase;
    InkStrokes m_selection;
    POINT m_anchor{0, 0};
};
