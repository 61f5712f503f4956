// A small scripting object that shows scripts one long held elsewhere, plus one of its own.
#pragma once

#include "platform/ui/CmdTarget.h"

class CLongObject : public CCmdTarget {
    DECLARE_DYNCREATE(CLongObject)
public:
    // Standard (1281), Value (1282, also the default member).
    static const AFX_DISPMAP* GetThisDispatchMap();
    const AFX_DISPMAP* GetDispatchMap() const override;

    CLongObject();
    ~CLongObject() override = default;

    // The holder of the long clears the target before the long goes away.
    void SetTarget(LONG* target) { m_target = target; }
    long GetValue() const { return m_target ? *m_target : 0; }
    void SetValue(long value);

    LONG Standard = 0;

private:
    LONG* m_target = nullptr;
};
