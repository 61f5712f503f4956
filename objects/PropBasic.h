// The editor of an event script: a value field whose script text the dialog's script editor
// changes, on an edited and a saved copy.
#pragma once

#include "objects/PropValue.h"

class CPropBasic : public CPropValue<CObValue> {
public:
    static constexpr UINT Kind = 11;
    static constexpr UINT CaptionId = 27375;
    // The page object's Initialize, Terminate and Click events.
    static constexpr int PageEventGroup = 24;
    // Numbered events take their name after the word "Event".
    static constexpr UINT FirstNumberedEvent = 27392;
    static constexpr UINT LastNumberedEvent = 27423;
    static constexpr UINT EventWordId = 27391;

    CPropBasic(UINT nameId, CObValue* field, int eventGroup = 0);

    CString GetName() const override;
    BOOL GetValueText(CString& text) const override;
    int GetPage() const override;
    BOOL GetStringValue(CString& value) const override;

    int m_eventGroup;
};
