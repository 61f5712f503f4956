// Drags for tests: driven step by step, or queued for the next DoDragDrop, through the same
// routing as a drag the display reports.
#pragma once

#include "platform/ole/OleDataSource.h"

namespace OleTestHook {

// The next DoDragDrop does not wait for the user: it enters at the screen point with the
// MK_* keys and drops there.
void QueueDrop(POINT screen, DWORD keys);

// Each step returns the effect of the registered target under the screen point, or -1 when
// there is none there.
int DragEnter(COleDataSource* source, POINT screen, DWORD keys,
              DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
int DragOver(POINT screen, DWORD keys);
void DragLeave();
int Drop(POINT screen, DWORD keys);

// Forgets queued drops and ends a drag in progress.
void Reset();

// Embedded files open through this instead of the desktop's handler; NULL restores the
// desktop. Returns the one it replaces.
using DesktopOpener = bool (*)(const char* path);
DesktopOpener SetDesktopOpener(DesktopOpener opener);

} // namespace OleTestHook
