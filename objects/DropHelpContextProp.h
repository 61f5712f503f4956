// Generated objects offer no help context: their generators pass every editor they make
// through this filter.
#pragma once

#include "platform/core/Types.h"

class CPropOb;

constexpr UINT HelpContextPropId = 27380;

// The editor, or NULL (and the editor deleted) when it is the help-context editor.
CPropOb* DropHelpContextProp(UINT propertyId, CPropOb* editor);
