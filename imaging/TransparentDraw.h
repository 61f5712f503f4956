// Drawing a device bitmap with its key colour left out, stretched or tiled.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/gdi/GdiTypes.h"

class CBitmap;
class CDC;

constexpr COLORREF kNoKeyColour = 0xFFFFFFFF;

// With tile the destination's clip box is covered with copies anchored at destination.
void DrawBitmapTransparent(CBitmap* bitmap, POINT* destination, CSize* sourceSize, CSize* destinationSize,
                           COLORREF keyColour, CDC* dc, BOOL tile);
