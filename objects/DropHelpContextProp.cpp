#include "objects/DropHelpContextProp.h"

#include "objects/PropOb.h"

CPropOb* DropHelpContextProp(UINT propertyId, CPropOb* editor)
{
    if (propertyId != HelpContextPropId)
        return editor;
    delete editor;
    return nullptr;
}
