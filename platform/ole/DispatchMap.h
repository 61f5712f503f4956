// Dispatch maps: the automation members of a command target, as a static table per class
// chained to its base class's table. Each entry names a member, its DISPID (DISPID_UNKNOWN:
// numbered by position, MAKELONG(index + 1, levels below the most derived map)), its
// argument types (VTS_ codes) and its result or property type, and thunks that convert the
// VARIANT arguments to the handler's own C++ parameter types:
//
//   BEGIN_DISPATCH_MAP(CShape, CCmdTarget)
//       DISP_PROPERTY_EX_ID(CShape, "Left", 0x504, GetLeft, SetLeft, VT_I4)
//       DISP_FUNCTION_ID(CShape, "Move", 0x503, Move, VT_EMPTY, VTS_I4 VTS_I4)
//   END_DISPATCH_MAP()
#pragma once

#include "platform/ole/OleVariant.h"
#include "platform/ole/Variant.h"
#include "platform/ui/CmdTarget.h"

#include <cstddef>
#include <type_traits>
#include <utility>

// One call of a member: the arguments in their natural order (for a put, the value last),
// the VTS codes they are coerced to, and the type the result is coerced to.
struct AFX_DISPCALL {
    const VARIANT* const* args;
    UINT count;
    LPCSTR params;
    VARTYPE vt;
    VARIANT* result;
    UINT argErr; // natural index of the argument that could not be coerced
};

using AFX_DISPTHUNK = HRESULT (*)(CCmdTarget*, AFX_DISPCALL&);

enum AFX_DISPMAP_FLAGS : WORD {
    afxDispMethod = 0x1,
    afxDispProperty = 0x2,
    afxDispDefault = 0x4, // DISPID_VALUE stands for the member named by the entry
};

constexpr size_t AFX_DISP_NO_OFFSET = static_cast<size_t>(-1);

struct AFX_DISPMAP_ENTRY {
    LPCTSTR lpszName; // NULL ends the table
    DISPID lDispID;
    LPCSTR lpszParams;
    VARTYPE vt;
    AFX_DISPTHUNK pfn;    // method, or property get
    AFX_DISPTHUNK pfnSet; // property put; NULL: read only
    size_t nPropOffset;   // property without thunks: its value at this offset in the target
    WORD flags;
};

struct AFX_DISPMAP {
    const AFX_DISPMAP* (*pfnGetBaseMap)();
    const AFX_DISPMAP_ENTRY* lpEntries;
};

#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_CY "\x06"
#define VTS_DATE "\x07"
#define VTS_BSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_SCODE "\x0A"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_UNKNOWN "\x0D"
#define VTS_UI1 "\x11"

namespace AfxDispatch {

// Coerces the first `expected` arguments into `coerced` (a VTS_VARIANT argument is copied
// as it came); the count must match.
HRESULT CoerceArgs(AFX_DISPCALL& call, size_t expected, VARIANT* coerced);
// Coerces `value` to the call's type into its result and clears `value`.
HRESULT StoreResult(VARIANT& value, AFX_DISPCALL& call);
LONGLONG IntegerOf(const VARIANT& value);
double RealOf(const VARIANT& value);
HRESULT SetText(VARIANT& value, LPCTSTR text, int length);

template <class>
inline constexpr bool kUnsupported = false;

template <size_t N>
struct ArgList {
    VARIANT v[N + 1];
    ArgList()
    {
        for (VARIANT& arg : v)
            VariantInit(&arg);
    }
    ~ArgList()
    {
        for (VARIANT& arg : v)
            VariantClear(&arg);
    }
};

// A coerced argument as the handler's parameter type.
template <class T>
decltype(auto) ArgValue(VARIANT& v)
{
    using D = std::remove_cvref_t<T>;
    if constexpr (std::is_same_v<D, VARIANT>)
        return static_cast<VARIANT&>(v);
    else if constexpr (std::is_same_v<D, VARIANT*> || std::is_same_v<D, const VARIANT*>)
        return static_cast<VARIANT*>(&v);
    else if constexpr (std::is_same_v<D, bool>)
        return IntegerOf(v) != 0;
    else if constexpr (std::is_integral_v<D>)
        return static_cast<D>(IntegerOf(v));
    else if constexpr (std::is_floating_point_v<D>)
        return static_cast<D>(RealOf(v));
    else if constexpr (std::is_same_v<D, LPCTSTR>)
        return static_cast<LPCTSTR>(v.vt == VT_BSTR && v.bstrVal ? v.bstrVal : "");
    else if constexpr (std::is_same_v<D, BSTR>)
        return v.vt == VT_BSTR ? v.bstrVal : nullptr;
    else if constexpr (std::is_same_v<D, CString>)
        return CStringFromVariant(v);
    else if constexpr (std::is_same_v<D, IDispatch*>)
        return v.vt == VT_DISPATCH ? v.pdispVal : nullptr;
    else if constexpr (std::is_same_v<D, IUnknown*>)
        return v.vt == VT_UNKNOWN || v.vt == VT_DISPATCH ? v.punkVal : nullptr;
    else
        static_assert(kUnsupported<D>, "no automation type for this parameter");
}

// A plain value as a VARIANT of its natural type; strings are copied.
template <class D>
HRESULT ValueToVariant(const D& value, VARIANT& v)
{
    if constexpr (std::is_same_v<D, bool>) {
        v.vt = VT_BOOL;
        v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    } else if constexpr (std::is_integral_v<D> && sizeof(D) <= sizeof(LONG)) {
        v.vt = VT_I4; // 32-bit fields keep their bits: the colour 0xFFFFFFFF reads as -1
        v.lVal = static_cast<LONG>(value);
    } else if constexpr (std::is_integral_v<D>) {
        bool fits = value >= -2147483648LL && value <= 2147483647LL;
        v.vt = fits ? VT_I4 : VT_R8;
        if (fits)
            v.lVal = static_cast<LONG>(value);
        else
            v.dblVal = static_cast<double>(value);
    } else if constexpr (std::is_floating_point_v<D>) {
        v.vt = VT_R8;
        v.dblVal = value;
    } else if constexpr (std::is_same_v<D, CString>) {
        return SetText(v, value, value.GetLength());
    } else if constexpr (std::is_convertible_v<D, LPCTSTR>) {
        return SetText(v, value, -1);
    } else if constexpr (std::is_base_of_v<VARIANT, D>) {
        return VariantCopy(&v, &value);
    } else if constexpr (std::is_convertible_v<D, IUnknown*>) {
        v.vt = std::is_convertible_v<D, IDispatch*> ? VT_DISPATCH : VT_UNKNOWN;
        v.punkVal = value;
        if (value)
            value->AddRef();
    } else {
        static_assert(kUnsupported<D>, "no automation type for this value");
    }
    return S_OK;
}

// A handler's return value: a returned BSTR, VARIANT or interface passes to the caller.
template <class R>
HRESULT ReturnValue(R&& value, AFX_DISPCALL& call)
{
    using D = std::remove_cvref_t<R>;
    VARIANT v;
    VariantInit(&v);
    HRESULT hr = S_OK;
    if constexpr (std::is_same_v<D, BSTR>) {
        v.vt = VT_BSTR;
        v.bstrVal = value;
    } else if constexpr (std::is_same_v<D, COleVariant>) {
        v = value.Detach();
    } else if constexpr (std::is_same_v<D, VARIANT>) {
        v = value;
    } else if constexpr (std::is_convertible_v<D, IUnknown*>) {
        v.vt = std::is_convertible_v<D, IDispatch*> ? VT_DISPATCH : VT_UNKNOWN;
        v.punkVal = value;
    } else {
        hr = ValueToVariant<D>(value, v);
    }
    return SUCCEEDED(hr) ? StoreResult(v, call) : hr;
}

template <class T, class Fn, class... A>
HRESULT Call(T* self, Fn fn, AFX_DISPCALL& call)
{
    constexpr size_t n = sizeof...(A);
    ArgList<n> list;
    HRESULT hr = CoerceArgs(call, n, list.v);
    if (FAILED(hr))
        return hr;
    return [&]<size_t... I>(std::index_sequence<I...>) -> HRESULT {
        using R = decltype((self->*fn)(ArgValue<A>(list.v[I])...));
        if constexpr (std::is_void_v<R>) {
            (self->*fn)(ArgValue<A>(list.v[I])...);
            VARIANT none;
            VariantInit(&none);
            return StoreResult(none, call);
        } else {
            return ReturnValue((self->*fn)(ArgValue<A>(list.v[I])...), call);
        }
    }(std::make_index_sequence<n>{});
}

template <class T, class C, class R, class... A>
HRESULT CallMember(T* self, R (C::*fn)(A...), AFX_DISPCALL& call)
{
    return Call<T, R (C::*)(A...), A...>(self, fn, call);
}

template <class T, class C, class R, class... A>
HRESULT CallMember(T* self, R (C::*fn)(A...) const, AFX_DISPCALL& call)
{
    return Call<T, R (C::*)(A...) const, A...>(self, fn, call);
}

// GetNotSupported / SetNotSupported: refused whatever the arguments.
template <class T>
HRESULT CallMember(T* self, void (CCmdTarget::*fn)(), AFX_DISPCALL&)
{
    (self->*fn)();
    return DISP_E_MEMBERNOTFOUND;
}

template <class M>
HRESULT GetMember(const M& member, AFX_DISPCALL& call)
{
    HRESULT hr = CoerceArgs(call, 0, nullptr);
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(hr))
        hr = ValueToVariant<M>(member, v);
    return SUCCEEDED(hr) ? StoreResult(v, call) : hr;
}

template <class M>
HRESULT SetMember(M& member, AFX_DISPCALL& call)
{
    static_assert(!std::is_same_v<M, BSTR>, "keep text members as CString");
    ArgList<1> list;
    HRESULT hr = CoerceArgs(call, 1, list.v);
    if (FAILED(hr))
        return hr;
    if constexpr (std::is_base_of_v<VARIANT, M>) {
        return VariantCopy(&member, &list.v[0]);
    } else if constexpr (std::is_same_v<M, IDispatch*>) {
        IDispatch* value = ArgValue<IDispatch*>(list.v[0]);
        if (value)
            value->AddRef();
        if (member)
            member->Release();
        member = value;
    } else {
        member = ArgValue<M>(list.v[0]);
    }
    return S_OK;
}

} // namespace AfxDispatch

#define DECLARE_DISPATCH_MAP()                            \
public:                                                   \
    static const AFX_DISPMAP* GetThisDispatchMap();       \
    const AFX_DISPMAP* GetDispatchMap() const override;   \
                                                          \
protected:

#define BEGIN_DISPATCH_MAP(theClass, baseClass)                                         \
    const AFX_DISPMAP* theClass::GetDispatchMap() const { return GetThisDispatchMap(); } \
    const AFX_DISPMAP* theClass::GetThisDispatchMap()                                    \
    {                                                                                    \
        using TheBaseClass = baseClass;                                                  \
        static const AFX_DISPMAP_ENTRY entries_[] = {

#define END_DISPATCH_MAP()                                                              \
    {nullptr, DISPID_UNKNOWN, nullptr, VT_EMPTY, nullptr, nullptr, AFX_DISP_NO_OFFSET, 0} \
    }                                                                                   \
    ;                                                                                   \
    static const AFX_DISPMAP map_ = {&TheBaseClass::GetThisDispatchMap, &entries_[0]};  \
    return &map_;                                                                       \
    }

#define AFX_DISP_THUNK(theClass, ...) \
    [](CCmdTarget* target_, AFX_DISPCALL& call_) -> HRESULT { \
        [[maybe_unused]] auto* self_ = static_cast<theClass*>(target_); \
        __VA_ARGS__ \
    }

#define DISP_FUNCTION_ID(theClass, szExternalName, dispid, pfnMember, vtRetVal, vtsParams)                  \
    {szExternalName, dispid, vtsParams, vtRetVal,                                                         \
     AFX_DISP_THUNK(theClass, return AfxDispatch::CallMember(self_, &theClass::pfnMember, call_);), nullptr, \
     AFX_DISP_NO_OFFSET, afxDispMethod},
#define DISP_FUNCTION(theClass, szExternalName, pfnMember, vtRetVal, vtsParams) \
    DISP_FUNCTION_ID(theClass, szExternalName, DISPID_UNKNOWN, pfnMember, vtRetVal, vtsParams)

#define DISP_PROPERTY_NOTIFY_ID(theClass, szExternalName, dispid, memberName, pfnAfterSet, vtPropType)   \
    {szExternalName, dispid, VTS_NONE, vtPropType,                                                     \
     AFX_DISP_THUNK(theClass, return AfxDispatch::GetMember(self_->memberName, call_);),              \
     AFX_DISP_THUNK(theClass, HRESULT hr_ = AfxDispatch::SetMember(self_->memberName, call_);         \
                    if (SUCCEEDED(hr_)) self_->pfnAfterSet(); return hr_;),                          \
     AFX_DISP_NO_OFFSET, afxDispProperty},
#define DISP_PROPERTY_NOTIFY(theClass, szExternalName, memberName, pfnAfterSet, vtPropType) \
    DISP_PROPERTY_NOTIFY_ID(theClass, szExternalName, DISPID_UNKNOWN, memberName, pfnAfterSet, vtPropType)

#define DISP_PROPERTY_ID(theClass, szExternalName, dispid, memberName, vtPropType)                     \
    {szExternalName, dispid, VTS_NONE, vtPropType,                                                    \
     AFX_DISP_THUNK(theClass, return AfxDispatch::GetMember(self_->memberName, call_);),             \
     AFX_DISP_THUNK(theClass, return AfxDispatch::SetMember(self_->memberName, call_);),             \
     AFX_DISP_NO_OFFSET, afxDispProperty},
#define DISP_PROPERTY(theClass, szExternalName, memberName, vtPropType) \
    DISP_PROPERTY_ID(theClass, szExternalName, DISPID_UNKNOWN, memberName, vtPropType)

#define DISP_PROPERTY_PARAM_ID(theClass, szExternalName, dispid, pfnGet, pfnSet, vtPropType, vtsParams)   \
    {szExternalName, dispid, vtsParams, vtPropType,                                                     \
     AFX_DISP_THUNK(theClass, return AfxDispatch::CallMember(self_, &theClass::pfnGet, call_);),       \
     AFX_DISP_THUNK(theClass, return AfxDispatch::CallMember(self_, &theClass::pfnSet, call_);),       \
     AFX_DISP_NO_OFFSET, afxDispProperty},
#define DISP_PROPERTY_PARAM(theClass, szExternalName, pfnGet, pfnSet, vtPropType, vtsParams) \
    DISP_PROPERTY_PARAM_ID(theClass, szExternalName, DISPID_UNKNOWN, pfnGet, pfnSet, vtPropType, vtsParams)

#define DISP_PROPERTY_EX_ID(theClass, szExternalName, dispid, pfnGet, pfnSet, vtPropType) \
    DISP_PROPERTY_PARAM_ID(theClass, szExternalName, dispid, pfnGet, pfnSet, vtPropType, VTS_NONE)
#define DISP_PROPERTY_EX(theClass, szExternalName, pfnGet, pfnSet, vtPropType) \
    DISP_PROPERTY_EX_ID(theClass, szExternalName, DISPID_UNKNOWN, pfnGet, pfnSet, vtPropType)

// DISPID_VALUE reaches the member of this name.
#define DISP_DEFVALUE(theClass, szExternalName) \
    {szExternalName, DISPID_VALUE, VTS_NONE, VT_EMPTY, nullptr, nullptr, AFX_DISP_NO_OFFSET, afxDispDefault},
