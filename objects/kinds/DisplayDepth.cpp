#include "objects/kinds/DisplayDepth.h"

#include "platform/gdi/Dc.h"

namespace {
DisplayDepthQuery g_query = nullptr;

int AskScreen()
{
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    return memory.GetDeviceCaps(BITSPIXEL);
}
}

int GetDisplayBitsPerPixel()
{
    return g_query ? g_query() : AskScreen();
}

BOOL IsTrueColorDisplay()
{
    return GetDisplayBitsPerPixel() > 8;
}

void SetDisplayDepthQuery(DisplayDepthQuery query)
{
    g_query = query;
}
