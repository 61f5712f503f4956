// Private to the platform layer: the display's drag events for windows that registered a
// drop target. The drag and drop layer (platform/ole) installs the hook.
#pragma once

#include "platform/ui/UiTypes.h"

class QMimeData;

namespace ui {

enum class DragStage { enter, over, leave, drop };

// The DROPEFFECT a registered target under the screen point takes, or -1 when no registered
// target is there. keys are MK_* flags, allowed the effects the drag source permits.
using DragHook = int (*)(DragStage stage, const QMimeData* data, POINT screen, DWORD keys, DWORD allowed);

void SetDragHook(DragHook hook);

} // namespace ui
