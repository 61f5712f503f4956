// Swapping a bitmap made from an image into a DC in place of the one selected there.
#pragma once

#include "platform/core/Types.h"

#include <functional>

class CBitmap;
class CDC;

// A 1 x 1 placeholder (monochrome for 1-bit images) holds the DC's place while `make` builds the
// bitmap against it. FALSE, with the old bitmap reselected, when nothing was made; otherwise
// `previous` is the bitmap that was selected before: the caller takes the new bitmap back when it
// reselects that one, and deletes it.
BOOL SelectMadeBitmap(CDC* dc, bool monochrome, const std::function<HBITMAP()>& make, CBitmap*& previous);
