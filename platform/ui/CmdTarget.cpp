#include "platform/ui/CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

DWORD CCmdTarget::InternalAddRef()
{
    return ++m_refCount;
}

DWORD CCmdTarget::InternalRelease()
{
    if (m_refCount == 0)
        return 0;
    if (--m_refCount > 0)
        return m_refCount;
    OnFinalRelease();
    return 0;
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}
