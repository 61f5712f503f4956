#include "objects/LongObject.h"

IMPLEMENT_DYNCREATE(CLongObject, CCmdTarget)

CLongObject::CLongObject()
{
    EnableAutomation();
}

void CLongObject::SetValue(LONG value)
{
    if (m_target)
        *m_target = value;
}
