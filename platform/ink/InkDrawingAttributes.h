// How a stroke is drawn. Widths and heights are in ink space; transparency 0 is opaque and
// 255 invisible. Copying an object clones it.
#pragma once

#include "platform/ink/InkTypes.h"

struct InkDrawingAttributes {
    COLORREF Color = 0;
    float Width = 53.0f;
    float Height = 1.0f;
    int Transparency = 0;
    int RasterOperation = kInkCopyPen;
    InkPenTip PenTip = InkPenTip::Ball;
    bool AntiAliased = true;
    bool FitToCurve = false;
    bool IgnorePressure = false;

    bool operator==(const InkDrawingAttributes&) const = default;
};
