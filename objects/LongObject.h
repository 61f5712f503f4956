// A small scripting object that shows scripts one long held elsewhere, plus one of its own.
#pragma once

#include "platform/ui/CmdTarget.h"

class CLongObject : public CCmdTarget {
    DECLARE_DYNCREATE(CLongObject)
public:
    CLongObject();
    ~CLongObject() override = default;

    // The holder of the long clears the target before the long goes away.
    void SetTarget(LONG* target) { m_target = target; }
    LONG GetValue() const { return m_target ? *m_target : 0; }
    void SetValue(LONG value);

    LONG Standard = 0;

private:
    LONG* m_target = nullptr;
};
