// Private to platform/ui: the Qt cursor that shows a cursor handle.
#pragma once

#include "platform/ui/UiTypes.h"

#include <QCursor>

// A system cursor id as Qt's own shape; a program cursor resource as its picture and hot spot;
// anything else as the arrow.
QCursor HostCursorFor(HCURSOR cursor);
