// VARIANT clearing, copying and coercion.
#include "platform/ole/Variant.h"

#include "platform/core/CodePage.h"
#include "platform/core/OleDateTime.h"
#include "platform/ole/SafeArray.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// An object whose default value is itself an object stops converting here.
constexpr int kMaxValueDepth = 8;

struct Bounds {
    VARTYPE vt;
    double low;
    double high;
};

constexpr Bounds kIntegerBounds[] = {
    {VT_UI1, 0, 255},
    {VT_I2, -32768, 32767},
    {VT_I4, -2147483648.0, 2147483647.0},
};

HRESULT ChangeType(VARIANT& dest, const VARIANT& src, USHORT flags, VARTYPE vt, int depth);

bool IsNumericType(VARTYPE vt)
{
    switch (vt) {
    case VT_UI1: case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_BOOL: return true;
    default: return false;
    }
}

std::string Trimmed(BSTR text)
{
    std::string s(text ? text : "", SysStringByteLen(text));
    size_t first = s.find_first_not_of(" \t");
    size_t last = s.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : s.substr(first, last - first + 1);
}

HRESULT ParseNumber(BSTR text, VARTYPE target, double& out)
{
    std::string s = Trimmed(text);
    if (target == VT_BOOL && (lstrcmpiA(s.c_str(), "True") == 0 || lstrcmpiA(s.c_str(), "False") == 0)) {
        out = lstrcmpiA(s.c_str(), "True") == 0 ? -1 : 0;
        return S_OK;
    }
    if (target == VT_DATE) {
        COleDateTime when;
        if (!when.ParseDateTime(s.c_str(), 0))
            return DISP_E_TYPEMISMATCH;
        out = when.m_dt;
        return S_OK;
    }
    const char* first = s.c_str() + (s.size() > 1 && s[0] == '+' ? 1 : 0);
    const char* last = s.c_str() + s.size();
    auto [end, error] = std::from_chars(first, last, out);
    if (s.empty() || error != std::errc() || end != last)
        return error == std::errc::result_out_of_range ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
    return S_OK;
}

HRESULT NumberOf(const VARIANT& v, VARTYPE target, double& out)
{
    switch (v.vt) {
    case VT_EMPTY: out = 0; return S_OK;
    case VT_UI1: out = v.bVal; return S_OK;
    case VT_I2: out = v.iVal; return S_OK;
    case VT_I4: out = v.lVal; return S_OK;
    case VT_BOOL: out = v.boolVal ? -1 : 0; return S_OK;
    case VT_R4: out = v.fltVal; return S_OK;
    case VT_R8: out = v.dblVal; return S_OK;
    case VT_DATE: out = v.date; return S_OK;
    case VT_CY: out = static_cast<double>(v.cyVal.int64) / 10000.0; return S_OK;
    case VT_BSTR: return ParseNumber(v.bstrVal, target, out);
    default: return DISP_E_TYPEMISMATCH;
    }
}

HRESULT StoreInteger(VARIANT& dest, double value, VARTYPE vt)
{
    if (!std::isfinite(value))
        return DISP_E_OVERFLOW;
    double rounded = std::nearbyint(value); // halves go to the even neighbour
    for (const Bounds& b : kIntegerBounds) {
        if (b.vt != vt)
            continue;
        if (rounded < b.low || rounded > b.high)
            return DISP_E_OVERFLOW;
        dest.vt = vt;
        if (vt == VT_UI1)
            dest.bVal = static_cast<BYTE>(rounded);
        else if (vt == VT_I2)
            dest.iVal = static_cast<SHORT>(rounded);
        else
            dest.lVal = static_cast<LONG>(rounded);
        return S_OK;
    }
    return DISP_E_BADVARTYPE;
}

HRESULT StoreNumber(VARIANT& dest, double value, VARTYPE vt)
{
    switch (vt) {
    case VT_BOOL: dest.vt = VT_BOOL; dest.boolVal = value != 0 ? VARIANT_TRUE : VARIANT_FALSE; return S_OK;
    case VT_R4:
        if (std::isfinite(value) && std::fabs(value) > FLT_MAX)
            return DISP_E_OVERFLOW;
        dest.vt = VT_R4;
        dest.fltVal = static_cast<FLOAT>(value);
        return S_OK;
    case VT_R8: dest.vt = VT_R8; dest.dblVal = value; return S_OK;
    case VT_DATE:
        if (!std::isfinite(value))
            return DISP_E_OVERFLOW;
        dest.vt = VT_DATE;
        dest.date = value;
        return S_OK;
    case VT_CY: {
        double scaled = std::nearbyint(value * 10000.0);
        if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18)
            return DISP_E_OVERFLOW;
        dest.vt = VT_CY;
        dest.cyVal.int64 = static_cast<LONGLONG>(scaled);
        return S_OK;
    }
    default: return StoreInteger(dest, value, vt);
    }
}

std::string CurrencyText(LONGLONG value)
{
    std::string text = std::to_string(value / 10000);
    if (value < 0 && value / 10000 == 0)
        text = "-" + text;
    LONGLONG fraction = value % 10000 < 0 ? -(value % 10000) : value % 10000;
    if (fraction) {
        char digits[8];
        std::snprintf(digits, sizeof digits, ".%04lld", fraction);
        text += digits;
        text.erase(text.find_last_not_of('0') + 1);
    }
    return text;
}

HRESULT TextOf(const VARIANT& v, USHORT flags, std::string& out)
{
    char buffer[64];
    switch (v.vt) {
    case VT_EMPTY: out.clear(); return S_OK;
    case VT_UI1: out = std::to_string(v.bVal); return S_OK;
    case VT_I2: out = std::to_string(v.iVal); return S_OK;
    case VT_I4: out = std::to_string(v.lVal); return S_OK;
    case VT_BOOL:
        out = (flags & VARIANT_ALPHABOOL) ? (v.boolVal ? "True" : "False") : (v.boolVal ? "-1" : "0");
        return S_OK;
    case VT_R4: std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(v.fltVal)); out = buffer; return S_OK;
    case VT_R8: std::snprintf(buffer, sizeof buffer, "%.15G", v.dblVal); out = buffer; return S_OK;
    case VT_CY: out = CurrencyText(v.cyVal.int64); return S_OK;
    case VT_DATE: {
        COleDateTime when(v.date);
        if (when.GetStatus() != COleDateTime::valid)
            return DISP_E_OVERFLOW;
        out = when.Format(DWORD{0}).GetString();
        return S_OK;
    }
    case VT_BSTR: out.assign(v.bstrVal ? v.bstrVal : "", SysStringByteLen(v.bstrVal)); return S_OK;
    default: return DISP_E_TYPEMISMATCH;
    }
}

HRESULT DefaultValue(const VARIANT& src, USHORT flags, VARIANT& value)
{
    if ((flags & VARIANT_NOVALUEPROP) || !src.pdispVal)
        return DISP_E_TYPEMISMATCH;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    HRESULT hr = src.pdispVal->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
    return FAILED(hr) ? DISP_E_TYPEMISMATCH : S_OK;
}

HRESULT ToInterface(VARIANT& dest, const VARIANT& src, VARTYPE vt)
{
    if (src.vt != VT_DISPATCH && src.vt != VT_UNKNOWN)
        return DISP_E_TYPEMISMATCH;
    IUnknown* unknown = src.vt == VT_DISPATCH ? static_cast<IUnknown*>(src.pdispVal) : src.punkVal;
    void* result = nullptr;
    if (unknown && FAILED(unknown->QueryInterface(vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown, &result)))
        return DISP_E_TYPEMISMATCH;
    dest.vt = vt;
    dest.byref = result;
    return S_OK;
}

HRESULT ToText(VARIANT& dest, const VARIANT& src, USHORT flags)
{
    std::string text;
    HRESULT hr = TextOf(src, flags, text);
    if (FAILED(hr))
        return hr;
    BSTR copy = SysAllocStringByteLen(text.data(), static_cast<UINT>(text.size()));
    if (!copy)
        return E_OUTOFMEMORY;
    dest.vt = VT_BSTR;
    dest.bstrVal = copy;
    return S_OK;
}

HRESULT ConvertValue(VARIANT& dest, const VARIANT& src, USHORT flags, VARTYPE vt, int depth)
{
    if (src.vt == VT_DISPATCH && vt != VT_UNKNOWN) {
        if (depth >= kMaxValueDepth)
            return DISP_E_TYPEMISMATCH;
        VARIANT value;
        VariantInit(&value);
        HRESULT hr = DefaultValue(src, flags, value);
        if (SUCCEEDED(hr))
            hr = ChangeType(dest, value, flags, vt, depth + 1);
        VariantClear(&value);
        return hr;
    }
    if (vt == VT_DISPATCH || vt == VT_UNKNOWN)
        return ToInterface(dest, src, vt);
    if (vt == VT_BSTR)
        return ToText(dest, src, flags);
    if (!IsNumericType(vt))
        return DISP_E_TYPEMISMATCH;
    double number = 0;
    HRESULT hr = NumberOf(src, vt, number);
    return FAILED(hr) ? hr : StoreNumber(dest, number, vt);
}

HRESULT ChangeType(VARIANT& dest, const VARIANT& src, USHORT flags, VARTYPE vt, int depth)
{
    VariantInit(&dest);
    if (src.vt == vt || vt == VT_VARIANT)
        return VariantCopy(&dest, &src);
    if (vt == VT_EMPTY)
        return S_OK;
    if (src.vt == VT_NULL || vt == VT_NULL || (src.vt & VT_ARRAY) || (vt & (VT_ARRAY | VT_BYREF)))
        return DISP_E_TYPEMISMATCH;
    return ConvertValue(dest, src, flags, vt, depth);
}

// Bytes behind a reference to a value of this type; 0 when it cannot be referred to.
size_t ReferencedSize(VARTYPE vt)
{
    if (vt & VT_ARRAY)
        return sizeof(SAFEARRAY*);
    switch (vt) {
    case VT_UI1: return 1;
    case VT_I2: case VT_BOOL: return 2;
    case VT_I4: case VT_R4: case VT_ERROR: return 4;
    case VT_R8: case VT_DATE: case VT_CY: return 8;
    case VT_BSTR: case VT_DISPATCH: case VT_UNKNOWN: return sizeof(void*);
    default: return 0;
    }
}

// Gives a bitwise copy its own string, array or interface reference; a reference stays one.
HRESULT TakeShare(VARIANT& copy)
{
    if (copy.vt & VT_BYREF)
        return S_OK;
    if (copy.vt & VT_ARRAY)
        return SafeArrayCopy(copy.parray, &copy.parray);
    if (copy.vt == VT_BSTR && copy.bstrVal) {
        copy.bstrVal = SysAllocStringByteLen(copy.bstrVal, SysStringByteLen(copy.bstrVal));
        return copy.bstrVal ? S_OK : E_OUTOFMEMORY;
    }
    if ((copy.vt == VT_DISPATCH || copy.vt == VT_UNKNOWN) && copy.punkVal)
        copy.punkVal->AddRef();
    return S_OK;
}

// Clears dest and moves value into it; a dest that cannot be cleared keeps its value and
// value is freed.
HRESULT Replace(VARIANT* dest, VARIANT& value)
{
    HRESULT hr = VariantClear(dest);
    if (FAILED(hr)) {
        VariantClear(&value);
        return hr;
    }
    *dest = value;
    return S_OK;
}

} // namespace

void VariantInit(VARIANTARG* pvarg)
{
    std::memset(pvarg, 0, sizeof(VARIANT));
    pvarg->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANTARG* pvarg)
{
    if (!pvarg)
        return E_INVALIDARG;
    if (!(pvarg->vt & VT_BYREF)) {
        if (pvarg->vt & VT_ARRAY) {
            HRESULT hr = SafeArrayDestroy(pvarg->parray);
            if (FAILED(hr))
                return hr;
        } else if (pvarg->vt == VT_BSTR) {
            SysFreeString(pvarg->bstrVal);
        } else if ((pvarg->vt == VT_DISPATCH || pvarg->vt == VT_UNKNOWN) && pvarg->punkVal) {
            pvarg->punkVal->Release();
        }
    }
    VariantInit(pvarg);
    return S_OK;
}

HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc)
{
    if (!pvargDest || !pvargSrc)
        return E_INVALIDARG;
    if (pvargDest == pvargSrc)
        return S_OK;
    VARIANT copy = *pvargSrc;
    HRESULT hr = TakeShare(copy);
    return FAILED(hr) ? hr : Replace(pvargDest, copy);
}

HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc)
{
    if (!pvarDest || !pvargSrc)
        return E_INVALIDARG;
    if (!(pvargSrc->vt & VT_BYREF))
        return VariantCopy(pvarDest, pvargSrc);
    if (!pvargSrc->byref)
        return E_INVALIDARG;
    VARTYPE vt = pvargSrc->vt & ~VT_BYREF;
    if (vt == VT_VARIANT)
        return VariantCopyInd(pvarDest, pvargSrc->pvarVal);
    size_t size = ReferencedSize(vt);
    if (!size)
        return DISP_E_BADVARTYPE;
    VARIANT value;
    VariantInit(&value);
    value.vt = vt;
    std::memcpy(&value.lVal, pvargSrc->byref, size);
    return VariantCopy(pvarDest, &value);
}

HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt)
{
    if (!pvargDest || !pvarSrc)
        return E_INVALIDARG;
    VARIANT source;
    VariantInit(&source);
    HRESULT hr = VariantCopyInd(&source, pvarSrc);
    VARIANT result;
    if (SUCCEEDED(hr))
        hr = ChangeType(result, source, wFlags, vt, 0);
    VariantClear(&source);
    return FAILED(hr) ? hr : Replace(pvargDest, result);
}

HRESULT VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID, USHORT wFlags, VARTYPE vt)
{
    return VariantChangeType(pvargDest, pvarSrc, wFlags, vt);
}
