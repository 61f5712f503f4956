// COleVariant: an owning VARIANT.
#include "platform/ole/OleVariant.h"

#include "platform/core/OleDateTime.h"
#include "platform/ole/OleException.h"
#include "platform/ole/Variant.h"

#include <cstring>

namespace {

void Check(HRESULT hr)
{
    if (FAILED(hr))
        AfxThrowOleException(hr);
}

BSTR CheckedString(LPCTSTR bytes, UINT length)
{
    BSTR text = SysAllocStringByteLen(bytes, length);
    if (!text)
        AfxThrowMemoryException();
    return text;
}

} // namespace

COleVariant::COleVariant() { VariantInit(this); }

COleVariant::COleVariant(const VARIANT& src)
{
    VariantInit(this);
    Check(VariantCopy(this, &src));
}

COleVariant::COleVariant(const COleVariant& src) : COleVariant(static_cast<const VARIANT&>(src)) { }

COleVariant::COleVariant(LPCTSTR text) : COleVariant(CString(text ? text : "")) { }

COleVariant::COleVariant(const CString& text)
{
    VariantInit(this);
    bstrVal = CheckedString(text, static_cast<UINT>(text.GetLength()));
    vt = VT_BSTR;
}

COleVariant::COleVariant(BYTE value)
{
    VariantInit(this);
    vt = VT_UI1;
    bVal = value;
}

COleVariant::COleVariant(short value, VARTYPE type)
{
    VariantInit(this);
    vt = type == VT_BOOL ? VT_BOOL : VT_I2;
    iVal = type == VT_BOOL ? (value ? VARIANT_TRUE : VARIANT_FALSE) : value;
}

COleVariant::COleVariant(LONG value, VARTYPE type)
{
    VariantInit(this);
    if (type == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return;
    }
    vt = type == VT_ERROR ? VT_ERROR : VT_I4;
    lVal = value;
}

COleVariant::COleVariant(float value)
{
    VariantInit(this);
    vt = VT_R4;
    fltVal = value;
}

COleVariant::COleVariant(double value)
{
    VariantInit(this);
    vt = VT_R8;
    dblVal = value;
}

COleVariant::COleVariant(const COleDateTime& value)
{
    VariantInit(this);
    vt = VT_DATE;
    date = value.m_dt;
}

COleVariant::COleVariant(LPDISPATCH value, BOOL addRef)
{
    VariantInit(this);
    vt = VT_DISPATCH;
    pdispVal = value;
    if (value && addRef)
        value->AddRef();
}

COleVariant::~COleVariant() { VariantClear(this); }

COleVariant& COleVariant::operator=(const VARIANT& src)
{
    Check(VariantCopy(this, &src));
    return *this;
}

COleVariant& COleVariant::operator=(const COleVariant& src) { return *this = static_cast<const VARIANT&>(src); }

COleVariant& COleVariant::operator=(LPCTSTR text) { return *this = COleVariant(text); }

COleVariant& COleVariant::operator=(LONG value) { return *this = COleVariant(value); }

COleVariant& COleVariant::operator=(double value) { return *this = COleVariant(value); }

bool COleVariant::operator==(const VARIANT& other) const
{
    if (vt != other.vt)
        return false;
    switch (vt) {
    case VT_EMPTY: case VT_NULL: return true;
    case VT_UI1: return bVal == other.bVal;
    case VT_I2: case VT_BOOL: return iVal == other.iVal;
    case VT_I4: case VT_ERROR: return lVal == other.lVal;
    case VT_R4: return fltVal == other.fltVal;
    case VT_R8: case VT_DATE: return dblVal == other.dblVal;
    case VT_CY: return cyVal.int64 == other.cyVal.int64;
    case VT_BSTR:
        return SysStringByteLen(bstrVal) == SysStringByteLen(other.bstrVal) &&
               std::memcmp(bstrVal ? bstrVal : "", other.bstrVal ? other.bstrVal : "", SysStringByteLen(bstrVal)) == 0;
    default: return byref == other.byref;
    }
}

void COleVariant::Clear() { Check(VariantClear(this)); }

void COleVariant::ChangeType(VARTYPE type, LPVARIANT pSrc)
{
    if (!pSrc)
        pSrc = this;
    if (pSrc != this || vt != type)
        Check(VariantChangeType(this, pSrc, 0, type));
}

void COleVariant::Attach(VARIANT& src)
{
    Clear();
    std::memcpy(static_cast<VARIANT*>(this), &src, sizeof(VARIANT));
    VariantInit(&src);
}

VARIANT COleVariant::Detach()
{
    VARIANT result = *this;
    VariantInit(this);
    return result;
}

CString CStringFromVariant(const VARIANT& value)
{
    if (value.vt != VT_BSTR || !value.bstrVal)
        return CString();
    return CString(value.bstrVal, static_cast<int>(SysStringByteLen(value.bstrVal)));
}

BSTR AllocSysString(const CString& text) { return CheckedString(text, static_cast<UINT>(text.GetLength())); }
