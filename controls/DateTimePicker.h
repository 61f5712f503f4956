// A date and time picker over the common control that tells its owner of a change once,
// when its drop-down calendar closes, rather than on every click inside it.
#pragma once

#include "platform/core/OleDateTime.h"
#include "platform/ui/DateTimeCtrl.h"

class CDateTimePicker : public CWnd {
public:
    CDateTimePicker();

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetTime(const COleDateTime& time);
    const COleDateTime& GetTime() const { return m_value; }
    // The control's own value; the current time when it holds none.
    COleDateTime ReadControl() const;
    void SetSuppress(BOOL suppress) { m_suppress = suppress; }
    BOOL IsDroppedDown() const { return m_dropped; }

protected:
    BOOL OnDropDown(NMHDR* header, LRESULT* result);
    BOOL OnCloseUp(NMHDR* header, LRESULT* result);
    BOOL OnDateTimeChange(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    COleDateTime m_value;
    BOOL m_dropped = FALSE;
    BOOL m_suppress = FALSE;
};
