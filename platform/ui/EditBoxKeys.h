// Keys that a focused edit box acts on itself (select all, undo, delete): frames keep them from
// their accelerators, so they edit the text instead of the document.
#pragma once

#include "platform/ui/UiTypes.h"

bool IsEditBoxKey(const MSG* msg);
