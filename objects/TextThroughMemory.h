// Text below 100 % is drawn at full size on a copy of its area and shrunk onto the page with
// dark pixels winning, so small labels stay legible instead of breaking up.
#pragma once

#include "platform/core/Geometry.h"

#include <functional>

class CDC;

// Runs draw on a memory DC whose units are pixels at 100 %, placed over the rectangle (page
// units) and holding the target's picture of it; then shrinks the result onto the rectangle.
void DrawThroughMemory(CDC* dc, const CRect& rect, const std::function<void(CDC*)>& draw);
