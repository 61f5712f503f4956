// The application gestures a single pen stroke can be read as, recognised from the stroke's
// shape alone: how often it turns back on each axis, how far it winds, and whether it ends
// where it began.
#pragma once

#include "platform/core/Types.h"

#include <vector>

enum class InkApplicationGesture {
    NoGesture = 0xF000,
    Scratchout = 0xF001,
    Curlicue = 0xF010,
    DoubleCurlicue = 0xF011,
    DoubleCircle = 0xF021,
    ChevronUp = 0xF030,
    ChevronDown = 0xF031,
    UpDown = 0xF060,
    DownUp = 0xF061,
    LeftRight = 0xF062,
    RightLeft = 0xF063,
};

enum class InkRecognitionConfidence { Strong = 0, Intermediate = 1, Poor = 2 };

struct InkGesture {
    InkApplicationGesture Id = InkApplicationGesture::NoGesture;
    InkRecognitionConfidence Confidence = InkRecognitionConfidence::Poor;
};

// The gesture a stroke makes, y growing downwards; NoGesture for a stroke whose larger side is
// below `minimumSize` (in the points' units) or that has no gesture's shape.
InkGesture RecognizeInkGesture(const std::vector<POINT>& points, double minimumSize);
