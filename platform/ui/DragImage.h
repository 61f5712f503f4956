// The picture that follows the mouse while an item is dragged: one image of an image list in
// a small window of its own above every other, moved to the mouse in screen coordinates.
#pragma once

#include "platform/core/Types.h"
#include "platform/ui/UiTypes.h"

// Starts a drag with image `index` of the list; the hot spot (dx, dy) is the point of the
// image that sits at the mouse. The list must live until ImageList_EndDrag.
BOOL ImageList_BeginDrag(HIMAGELIST list, int index, int dx, int dy);
// Shows the image at (x, y) of the window (null: the screen).
BOOL ImageList_DragEnter(HWND lock, int x, int y);
BOOL ImageList_DragMove(int x, int y);
BOOL ImageList_DragShowNolock(BOOL show);
BOOL ImageList_DragLeave(HWND lock);
void ImageList_EndDrag();
// The window that shows the drag image; null while no drag is on.
HWND ImageList_GetDragWindow();
