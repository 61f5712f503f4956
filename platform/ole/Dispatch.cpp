// IDispatch over dispatch maps: names and DISPIDs are looked up through the map chain,
// arguments are coerced to the entry's types and the entry's thunk calls the member.
#include "platform/core/CodePage.h"
#include "platform/ole/DispatchMap.h"
#include "platform/ole/OleException.h"
#include "platform/ole/Variant.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Found {
    const AFX_DISPMAP_ENTRY* entry = nullptr;
    DISPID id = DISPID_UNKNOWN;
};

template <class Match>
Found Walk(const CCmdTarget* target, Match match)
{
    WORD depth = 0;
    for (const AFX_DISPMAP* map = target->GetDispatchMap(); map; map = map->pfnGetBaseMap(), ++depth) {
        WORD index = 0;
        for (const AFX_DISPMAP_ENTRY* e = map->lpEntries; e->lpszName; ++e) {
            ++index;
            DISPID id = e->lDispID != DISPID_UNKNOWN ? e->lDispID : MAKELONG(index, depth);
            if (match(*e, id))
                return {e, id};
        }
    }
    return {};
}

Found FindByName(const CCmdTarget* target, LPCSTR name)
{
    return Walk(target, [name](const AFX_DISPMAP_ENTRY& e, DISPID) {
        return !(e.flags & afxDispDefault) && lstrcmpiA(e.lpszName, name) == 0;
    });
}

Found FindById(const CCmdTarget* target, DISPID id)
{
    Found found = Walk(target, [id](const AFX_DISPMAP_ENTRY&, DISPID entryId) { return entryId == id; });
    if (found.entry && (found.entry->flags & afxDispDefault))
        found = FindByName(target, found.entry->lpszName);
    return found;
}

// A property kept in the target itself at the entry's offset; only read.
HRESULT GetAtOffset(CCmdTarget* target, const AFX_DISPMAP_ENTRY& e, AFX_DISPCALL& call)
{
    BYTE* at = reinterpret_cast<BYTE*>(target) + e.nPropOffset;
    switch (e.vt) {
    case VT_DISPATCH: return AfxDispatch::GetMember(*reinterpret_cast<IDispatch**>(at), call);
    case VT_I4: return AfxDispatch::GetMember(*reinterpret_cast<LONG*>(at), call);
    case VT_I2: return AfxDispatch::GetMember(*reinterpret_cast<SHORT*>(at), call);
    case VT_BOOL: return AfxDispatch::GetMember(*reinterpret_cast<BOOL*>(at), call);
    case VT_R8: return AfxDispatch::GetMember(*reinterpret_cast<double*>(at), call);
    case VT_BSTR: return AfxDispatch::GetMember(*reinterpret_cast<CString*>(at), call);
    default: return DISP_E_BADVARTYPE;
    }
}

HRESULT Run(CCmdTarget* target, const AFX_DISPMAP_ENTRY& e, bool put, AFX_DISPCALL& call)
{
    if (put)
        return e.pfnSet ? e.pfnSet(target, call) : DISP_E_MEMBERNOTFOUND;
    if (e.pfn)
        return e.pfn(target, call);
    return e.nPropOffset != AFX_DISP_NO_OFFSET ? GetAtOffset(target, e, call) : DISP_E_MEMBERNOTFOUND;
}

void FillException(EXCEPINFO* info, SCODE sc, const CString& description, WORD code)
{
    if (!info)
        return;
    std::memset(info, 0, sizeof *info);
    info->wCode = code;
    info->scode = code ? 0 : sc;
    info->bstrDescription = description.IsEmpty() ? nullptr : AllocSysString(description);
}

HRESULT RunGuarded(CCmdTarget* target, const AFX_DISPMAP_ENTRY& e, bool put, AFX_DISPCALL& call, EXCEPINFO* info)
{
    try {
        return Run(target, e, put, call);
    } catch (COleDispatchException* error) {
        FillException(info, error->m_scError, error->m_strDescription, error->m_wCode);
        error->Delete();
    } catch (CException* error) {
        char text[256] = "";
        error->GetErrorMessage(text, sizeof text);
        FillException(info, COleException::Process(error), text, 0);
        error->Delete();
    }
    return DISP_E_EXCEPTION;
}

HRESULT CheckNamedArgs(const DISPPARAMS& params, bool put)
{
    if (params.cNamedArgs > (put ? 1u : 0u))
        return DISP_E_NONAMEDARGS;
    if (params.cNamedArgs == 1 && (!params.rgdispidNamedArgs || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
        return DISP_E_PARAMNOTFOUND;
    if (params.cArgs && !params.rgvarg)
        return E_INVALIDARG;
    if (put && params.cArgs == 0)
        return DISP_E_PARAMNOTOPTIONAL;
    return S_OK;
}

class DispatchFace : public CCmdTargetFace, public IDispatch {
public:
    explicit DispatchFace(CCmdTarget* owner) : m_owner(owner) { }

    CCmdTarget* Owner() const { return m_owner; }

    HRESULT QueryInterface(REFIID riid, void** ppvObject) override
    {
        if (!ppvObject)
            return E_POINTER;
        *ppvObject = nullptr;
        if (riid != IID_IUnknown && riid != IID_IDispatch)
            return E_NOINTERFACE;
        *ppvObject = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return m_owner->ExternalAddRef(); }
    ULONG Release() override { return m_owner->ExternalRelease(); }

    HRESULT GetTypeInfoCount(UINT* pctinfo) override
    {
        if (!pctinfo)
            return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo)
            *ppTInfo = nullptr;
        return E_NOTIMPL;
    }
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override;
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
                   EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

private:
    CCmdTarget* m_owner;
};

HRESULT DispatchFace::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId)
{
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (!rgszNames || !rgDispId || cNames == 0 || !rgszNames[0])
        return E_INVALIDARG;
    for (UINT i = 0; i < cNames; ++i)
        rgDispId[i] = DISPID_UNKNOWN;
    rgDispId[0] = FindByName(m_owner, rgszNames[0]).id;
    return rgDispId[0] == DISPID_UNKNOWN || cNames > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT DispatchFace::Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                             VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (!pDispParams)
        return E_INVALIDARG;
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    Found found = FindById(m_owner, dispIdMember);
    if (!found.entry)
        return DISP_E_MEMBERNOTFOUND;
    const AFX_DISPMAP_ENTRY& e = *found.entry;
    bool put = (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (put && !(e.flags & afxDispProperty))
        return DISP_E_MEMBERNOTFOUND;
    HRESULT hr = CheckNamedArgs(*pDispParams, put);
    if (FAILED(hr))
        return hr;

    // Arguments come last first, so a put's value, rgvarg[0], ends the natural order.
    UINT count = pDispParams->cArgs;
    std::vector<const VARIANT*> args(count);
    for (UINT i = 0; i < count; ++i)
        args[i] = &pDispParams->rgvarg[count - 1 - i];
    std::string types(e.lpszParams ? e.lpszParams : "");
    if (put)
        types += static_cast<char>(e.vt);

    VARIANT discarded;
    VARIANT* result = pVarResult ? pVarResult : &discarded;
    VariantInit(result);
    AFX_DISPCALL call{args.data(), count, types.c_str(), e.vt, result, 0};
    hr = RunGuarded(m_owner, e, put, call, pExcepInfo);
    if ((hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW) && puArgErr)
        *puArgErr = count - 1 - call.argErr;
    if (!pVarResult || FAILED(hr))
        VariantClear(result);
    return hr;
}

} // namespace

namespace AfxDispatch {

HRESULT CoerceArgs(AFX_DISPCALL& call, size_t expected, VARIANT* coerced)
{
    for (size_t i = 0; i < expected; ++i)
        VariantInit(&coerced[i]);
    if (call.count < expected)
        return DISP_E_PARAMNOTOPTIONAL;
    if (call.count > expected)
        return DISP_E_BADPARAMCOUNT;
    size_t typed = std::strlen(call.params);
    for (size_t i = 0; i < expected; ++i) {
        VARTYPE vt = i < typed ? static_cast<VARTYPE>(static_cast<BYTE>(call.params[i])) : VARTYPE{VT_VARIANT};
        HRESULT hr = vt == VT_VARIANT ? VariantCopy(&coerced[i], call.args[i])
                                      : VariantChangeType(&coerced[i], call.args[i], 0, vt);
        if (FAILED(hr)) {
            call.argErr = static_cast<UINT>(i);
            return hr;
        }
    }
    return S_OK;
}

HRESULT StoreResult(VARIANT& value, AFX_DISPCALL& call)
{
    HRESULT hr = S_OK;
    if (call.vt != VT_EMPTY && call.vt != VT_VOID)
        hr = VariantChangeType(call.result, &value, 0, call.vt);
    VariantClear(&value);
    return hr;
}

LONGLONG IntegerOf(const VARIANT& value)
{
    switch (value.vt) {
    case VT_UI1: return value.bVal;
    case VT_I2: return value.iVal;
    case VT_I4: case VT_ERROR: return value.lVal;
    case VT_BOOL: return value.boolVal ? 1 : 0;
    default: return static_cast<LONGLONG>(RealOf(value));
    }
}

double RealOf(const VARIANT& value)
{
    switch (value.vt) {
    case VT_R4: return value.fltVal;
    case VT_R8: case VT_DATE: return value.dblVal;
    case VT_CY: return static_cast<double>(value.cyVal.int64) / 10000.0;
    case VT_UI1: case VT_I2: case VT_I4: case VT_ERROR: case VT_BOOL: return static_cast<double>(IntegerOf(value));
    default: return 0;
    }
}

HRESULT SetText(VARIANT& value, LPCTSTR text, int length)
{
    if (!text)
        text = "";
    BSTR copy = SysAllocStringByteLen(text, static_cast<UINT>(length < 0 ? std::strlen(text) : length));
    if (!copy)
        return E_OUTOFMEMORY;
    value.vt = VT_BSTR;
    value.bstrVal = copy;
    return S_OK;
}

} // namespace AfxDispatch

IDispatch* CCmdTarget::GetIDispatch(BOOL bAddRef)
{
    if (!IsAutomationEnabled())
        return nullptr;
    if (!m_pFace)
        m_pFace = new DispatchFace(this);
    if (bAddRef)
        ExternalAddRef();
    return static_cast<DispatchFace*>(m_pFace);
}

CCmdTarget* CCmdTarget::FromIDispatch(IDispatch* pDispatch)
{
    auto* face = dynamic_cast<DispatchFace*>(pDispatch);
    return face ? face->Owner() : nullptr;
}

void CCmdTarget::SetNotSupported() { AfxThrowOleDispatchException(0, "The property is read only."); }

void CCmdTarget::GetNotSupported() { AfxThrowOleDispatchException(0, "The property is write only."); }
