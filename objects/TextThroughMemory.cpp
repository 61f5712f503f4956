#include "objects/TextThroughMemory.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiTypes.h"

void DrawThroughMemory(CDC* dc, const CRect& rect, const std::function<void(CDC*)>& draw)
{
    const int width = rect.Width(), height = rect.Height();
    if (width <= 0 || height <= 0)
        return;
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(dc, width, height);
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.SetMapMode(MM_TEXT);
    memory.SetWindowOrg(rect.left, rect.top);
    memory.StretchBlt(rect.left, rect.top, width, height, dc, rect.left, rect.top, width, height, SRCCOPY);
    draw(&memory);
    const int oldMode = dc->SetStretchBltMode(BLACKONWHITE);
    dc->StretchBlt(rect.left, rect.top, width, height, &memory, rect.left, rect.top, width, height, SRCCOPY);
    dc->SetStretchBltMode(oldMode);
    memory.SelectObject(old);
}
