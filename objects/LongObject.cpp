#include "objects/LongObject.h"

#include "platform/ole/DispatchMap.h"

IMPLEMENT_DYNCREATE(CLongObject, CCmdTarget)

BEGIN_DISPATCH_MAP(CLongObject, CCmdTarget)
    DISP_PROPERTY_ID(CLongObject, "Standard", 1281, Standard, VT_I4)
    DISP_PROPERTY_EX_ID(CLongObject, "Value", 1282, GetValue, SetValue, VT_I4)
    DISP_DEFVALUE(CLongObject, "Value")
END_DISPATCH_MAP()

CLongObject::CLongObject()
{
    EnableAutomation();
}

void CLongObject::SetValue(long value)
{
    if (m_target)
        *m_target = static_cast<LONG>(value);
}
