// Private to platform/ole: the one drag in progress over this process's windows.
#pragma once

#include "platform/ole/ClipSource.h"

class COleDropTarget;

namespace ole {

// Each step finds the registered target under the screen point (the window there or its
// nearest registered ancestor) and returns the effect it takes, or -1 when there is none.
int DragEnter(std::shared_ptr<ClipSource> source, POINT screen, DWORD keys, DWORD allowed);
int DragOver(POINT screen, DWORD keys);
void DragLeave();
int Drop(POINT screen, DWORD keys);

// Routes the display's drag events here once a target is registered.
void InstallDragHook();
// A revoked target leaves the drag.
void ForgetDropTarget(COleDropTarget* target);

} // namespace ole
