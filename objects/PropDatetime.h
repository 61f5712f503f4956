// Editors of date and time texts ("%d.%m.%Y %H:%M:%S"), the alarm time among them.
#pragma once

#include "objects/PropText.h"

class CPropAlarmActive;

class CPropDatetime : public CPropStr {
public:
    static constexpr UINT Kind = 32;

    CPropDatetime(UINT nameId, CString* field);

    // An empty text, a duration or a date and time pass.
    void Validate(CPropExchange* exchange, CString& text) override;
};

// The alarm time; switches the linked alarm on when a time is set and off when it is cleared.
class CPropCustDatetime : public CPropDatetime {
public:
    static constexpr UINT Kind = 31;

    CPropCustDatetime(UINT nameId, CString* field);

    void OnValueChanged() override;
    BOOL SkipRefreshAfterEdit() const override { return TRUE; }
    void DropLinkTo(const CPropOb* gone) override;

    CPropAlarmActive* m_linkedSwitch = nullptr;
};

class CPropFixedDatetime : public CPropDatetime {
public:
    using CPropDatetime::CPropDatetime;

    BOOL SkipRefreshAfterEdit() const override { return TRUE; }
};
