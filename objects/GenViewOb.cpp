#include "objects/GenViewOb.h"

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CGenViewOb, CHyperViewOb, 0)

CGenViewOb::CGenViewOb()
{
    SetScrollWidth(DefaultScrollSize);
    SetScrollHeight(DefaultScrollSize);
}

CPropOb* CGenViewOb::CreateProperty(UINT propertyId, BOOL argument)
{
    if (propertyId == ScrollBarsId || propertyId == PrintScaleId)
        return nullptr;
    return CHyperViewOb::CreateProperty(propertyId, argument);
}
