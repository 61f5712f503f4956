// A date and time text as objects keep their creation date. Written as
// "dd.mm.yyyy hh:mm:ss", as nearly all are, it is held as its fourteen digits; any other
// text, and the text once an editor points into it, is held as it stands.
#pragma once

#include "platform/core/String.h"

#include <cstdint>
#include <memory>

class CDateText {
public:
    CDateText() = default;
    CDateText(const CDateText& other);
    CDateText& operator=(const CDateText& other);
    CDateText& operator=(const CString& text);

    CString Text() const;
    // The text as a string an editor may change; it stays the object's text from now on.
    CString* Edit();

private:
    // One more than the digits read as a number; 0 when there are none.
    uint64_t m_digits = 0;
    std::unique_ptr<CString> m_text;
};
