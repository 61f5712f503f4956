// Private: device contexts over the back buffers of windows.
#pragma once

#include "platform/ui/WindowTable.h"

namespace ui {

// A DC drawing into w's client area (or whole window), clipped to the visible part and,
// when given, to clip (client coordinates).
HDC CreateWindowDC(Window* w, const QRegion& clip, bool wholeWindow);
HDC CreateScreenDC();
void ReleaseWindowDC(HDC dc);
COLORREF BrushColour(HBRUSH brush);
void FillClientBackground(Window* w, const QRegion& clientArea);

} // namespace ui

class CDC;

namespace ui {

// Sets a view's mapping on a drawing context: mode, extents (scale-to-fit) and viewport
// origin (the negated scroll position).
void PrepareViewDC(CDC* dc, int mapMode, SIZE windowExt, SIZE viewportExt, POINT viewportOrg);

} // namespace ui
