// Base of every object that takes commands or is reached by scripts. Holds the reference
// count that automation clients keep on the object.
#pragma once

#include "platform/core/Object.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Marks the object as reachable by scripts.
    void EnableAutomation() { m_automationEnabled = TRUE; }
    BOOL IsAutomationEnabled() const { return m_automationEnabled; }

    // A new object holds one reference, its creator's; the last release ends it.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    DWORD ExternalAddRef() { return InternalAddRef(); }
    DWORD ExternalRelease() { return InternalRelease(); }
    DWORD GetRefCount() const { return m_refCount; }

    virtual void OnFinalRelease();

private:
    DWORD m_refCount = 1;
    BOOL m_automationEnabled = FALSE;
};
