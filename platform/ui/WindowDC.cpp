// Device contexts over window back buffers.
#include "platform/ui/WindowDC.h"

#include "platform/ui/Wnd.h"

namespace ui {

HDC CreateWindowDC(Window*, const QRegion&, bool) { return nullptr; }

HDC CreateScreenDC() { return nullptr; }

void ReleaseWindowDC(HDC) {}

COLORREF BrushColour(HBRUSH) { return RGB(255, 255, 255); }

} // namespace ui

namespace ui {

void PrepareViewDC(CDC*, int, SIZE, SIZE, POINT) {}

} // namespace ui

CDC* AfxDCFromHandle(HDC) { return nullptr; }

HDC AfxHdcOf(CDC*) { return nullptr; }
