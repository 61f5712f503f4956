// Reads printed handwriting: the strokes are drawn black on white at the letter size a text
// recogniser reads best, and the recogniser's words come back with their boxes in ink space.
#pragma once

#include "platform/ink/InkRecognitionResult.h"

#include <optional>
#include <vector>

// A grey picture of strokes, one byte per pixel, rows without padding. A pixel (x, y) shows
// the ink-space point (Left + x / Scale, Top + y / Scale).
struct InkTextImage {
    int Width = 0;
    int Height = 0;
    std::vector<BYTE> Pixels;
    double Left = 0;
    double Top = 0;
    double Scale = 1;
};

constexpr int kInkTextLetterHeight = 48;  // pixels

// Letters come out kInkTextLetterHeight high with a margin of one letter all round; an empty
// picture for no strokes.
InkTextImage RenderInkForReading(const InkStrokes& strokes);

// The words read from the strokes in reading order; none for ink that holds no text, and
// nothing at all when the recogniser cannot run.
std::optional<std::vector<InkRecognizedWord>> ReadInkWords(const InkStrokes& strokes);
