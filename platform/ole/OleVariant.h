// COleVariant: a VARIANT that owns what it holds. Failed coercions throw COleException.
#pragma once

#include "platform/core/String.h"
#include "platform/ole/OleTypes.h"

class COleDateTime;

class COleVariant : public VARIANT {
public:
    COleVariant();
    COleVariant(const VARIANT& src);
    COleVariant(const COleVariant& src);
    COleVariant(LPCTSTR text);
    COleVariant(const CString& text);
    COleVariant(BYTE value);
    COleVariant(short value, VARTYPE vt = VT_I2);
    // vt may be VT_I4, VT_BOOL or VT_ERROR.
    COleVariant(LONG value, VARTYPE vt = VT_I4);
    // `long` is 64 bits here; the value is kept as a 32-bit LONG.
    COleVariant(long value, VARTYPE vt = VT_I4) : COleVariant(static_cast<LONG>(value), vt) { }
    COleVariant(float value);
    COleVariant(double value);
    COleVariant(const COleDateTime& value);
    COleVariant(LPDISPATCH value, BOOL addRef = TRUE);
    ~COleVariant();

    COleVariant& operator=(const VARIANT& src);
    COleVariant& operator=(const COleVariant& src);
    COleVariant& operator=(LPCTSTR text);
    COleVariant& operator=(LONG value);
    COleVariant& operator=(double value);

    bool operator==(const VARIANT& other) const;
    bool operator!=(const VARIANT& other) const { return !(*this == other); }

    void Clear();
    // Converts in place, or from pSrc into this; throws COleException when it cannot.
    void ChangeType(VARTYPE vt, LPVARIANT pSrc = nullptr);
    void Attach(VARIANT& src);
    VARIANT Detach();

    operator LPVARIANT() { return this; }
    operator LPCVARIANT() const { return this; }
};

// The text of a BSTR-holding variant, or empty.
CString CStringFromVariant(const VARIANT& value);
// A new BSTR holding the text; the caller frees it.
BSTR AllocSysString(const CString& text);
