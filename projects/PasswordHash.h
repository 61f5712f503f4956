// The digest stored for a project password: MD5 of the text's 8-bit bytes as 32 lower-case
// hexadecimal digits.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

class CPasswordHash {
public:
    virtual ~CPasswordHash() = default;
    // FALSE (and `out` unchanged) when the cryptographic service fails.
    BOOL HashToHex(const CString& text, CString& out) const;
};
