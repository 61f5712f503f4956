// One-dimensional SAFEARRAYs. The element type sits behind the public record.
#include "platform/ole/SafeArray.h"

#include "platform/ole/Variant.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

struct ArrayBlock {
    SAFEARRAY sa;
    VARTYPE vt;
};

struct ElementKind {
    VARTYPE vt;
    ULONG size;
    USHORT features;
};

constexpr ElementKind kElementKinds[] = {
    {VT_UI1, 1, 0},
    {VT_I2, 2, 0},
    {VT_BOOL, 2, 0},
    {VT_I4, 4, 0},
    {VT_R4, 4, 0},
    {VT_ERROR, 4, 0},
    {VT_R8, 8, 0},
    {VT_DATE, 8, 0},
    {VT_CY, 8, 0},
    {VT_BSTR, sizeof(BSTR), FADF_BSTR},
    {VT_UNKNOWN, sizeof(IUnknown*), FADF_UNKNOWN},
    {VT_DISPATCH, sizeof(IDispatch*), FADF_DISPATCH},
    {VT_VARIANT, sizeof(VARIANT), FADF_VARIANT},
};

const ElementKind* KindOf(VARTYPE vt)
{
    for (const ElementKind& kind : kElementKinds)
        if (kind.vt == vt)
            return &kind;
    return nullptr;
}

VARTYPE TypeOf(SAFEARRAY* psa) { return reinterpret_cast<ArrayBlock*>(psa)->vt; }

BYTE* ElementAt(SAFEARRAY* psa, ULONG index) { return static_cast<BYTE*>(psa->pvData) + index * psa->cbElements; }

void ReleaseElement(VARTYPE vt, BYTE* element)
{
    switch (vt) {
    case VT_BSTR: SysFreeString(*reinterpret_cast<BSTR*>(element)); break;
    case VT_UNKNOWN:
    case VT_DISPATCH:
        if (auto* unknown = *reinterpret_cast<IUnknown**>(element))
            unknown->Release();
        break;
    case VT_VARIANT: VariantClear(reinterpret_cast<VARIANT*>(element)); break;
    default: break;
    }
}

// Copies one element into zeroed storage, taking its own share of what it holds.
HRESULT CopyElement(VARTYPE vt, BYTE* dest, const void* src, ULONG size)
{
    switch (vt) {
    case VT_BSTR: {
        BSTR text = *static_cast<const BSTR*>(src);
        BSTR copy = text ? SysAllocStringByteLen(text, SysStringByteLen(text)) : nullptr;
        if (text && !copy)
            return E_OUTOFMEMORY;
        *reinterpret_cast<BSTR*>(dest) = copy;
        return S_OK;
    }
    case VT_UNKNOWN:
    case VT_DISPATCH: {
        auto* unknown = *static_cast<IUnknown* const*>(src);
        if (unknown)
            unknown->AddRef();
        *reinterpret_cast<IUnknown**>(dest) = unknown;
        return S_OK;
    }
    case VT_VARIANT:
        VariantInit(reinterpret_cast<VARIANT*>(dest));
        return VariantCopy(reinterpret_cast<VARIANT*>(dest), static_cast<const VARIANT*>(src));
    default: std::memcpy(dest, src, size); return S_OK;
    }
}

HRESULT CheckIndex(SAFEARRAY* psa, const LONG* rgIndices, ULONG& offset)
{
    if (!psa || !rgIndices)
        return E_INVALIDARG;
    const SAFEARRAYBOUND& bound = psa->rgsabound[0];
    int64_t index = static_cast<int64_t>(rgIndices[0]) - bound.lLbound;
    if (index < 0 || index >= static_cast<int64_t>(bound.cElements))
        return DISP_E_BADINDEX;
    offset = static_cast<ULONG>(index);
    return S_OK;
}

HRESULT CheckDimension(SAFEARRAY* psa, UINT nDim, LONG* out)
{
    if (!psa || !out)
        return E_INVALIDARG;
    return nDim == 1 ? S_OK : DISP_E_BADINDEX;
}

} // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound)
{
    const ElementKind* kind = KindOf(vt);
    if (!kind || cDims != 1 || !rgsabound)
        return nullptr;
    ULONG count = rgsabound[0].cElements;
    if (count > 0x7FFFFFFFu / kind->size)
        return nullptr;
    auto* block = new (std::nothrow) ArrayBlock{};
    if (!block)
        return nullptr;
    block->sa.pvData = std::calloc(count ? count : 1, kind->size);
    if (!block->sa.pvData) {
        delete block;
        return nullptr;
    }
    block->vt = vt;
    block->sa.cDims = 1;
    block->sa.fFeatures = FADF_HAVEVARTYPE | kind->features;
    block->sa.cbElements = kind->size;
    block->sa.rgsabound[0] = rgsabound[0];
    return &block->sa;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements)
{
    SAFEARRAYBOUND bound{cElements, lLbound};
    return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* psa)
{
    if (!psa)
        return S_OK;
    if (psa->cLocks)
        return DISP_E_ARRAYISLOCKED;
    for (ULONG i = 0; i < psa->rgsabound[0].cElements; ++i)
        ReleaseElement(TypeOf(psa), ElementAt(psa, i));
    std::free(psa->pvData);
    delete reinterpret_cast<ArrayBlock*>(psa);
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut)
{
    if (!ppsaOut)
        return E_INVALIDARG;
    *ppsaOut = nullptr;
    if (!psa)
        return S_OK;
    SAFEARRAY* copy = SafeArrayCreate(TypeOf(psa), 1, psa->rgsabound);
    if (!copy)
        return E_OUTOFMEMORY;
    for (ULONG i = 0; i < psa->rgsabound[0].cElements; ++i) {
        HRESULT hr = CopyElement(TypeOf(psa), ElementAt(copy, i), ElementAt(psa, i), psa->cbElements);
        if (FAILED(hr)) {
            SafeArrayDestroy(copy);
            return hr;
        }
    }
    *ppsaOut = copy;
    return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* psa)
{
    if (!psa)
        return E_INVALIDARG;
    ++psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* psa)
{
    if (!psa || psa->cLocks == 0)
        return E_UNEXPECTED;
    --psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData)
{
    if (!psa || !ppvData)
        return E_INVALIDARG;
    SafeArrayLock(psa);
    *ppvData = psa->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* psa) { return SafeArrayUnlock(psa); }

HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt)
{
    if (!psa || !pvt)
        return E_INVALIDARG;
    *pvt = TypeOf(psa);
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* psa) { return psa ? psa->cDims : 0; }

UINT SafeArrayGetElemsize(SAFEARRAY* psa) { return psa ? psa->cbElements : 0; }

HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound)
{
    HRESULT hr = CheckDimension(psa, nDim, plLbound);
    if (SUCCEEDED(hr))
        *plLbound = psa->rgsabound[0].lLbound;
    return hr;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound)
{
    HRESULT hr = CheckDimension(psa, nDim, plUbound);
    if (SUCCEEDED(hr))
        *plUbound = static_cast<LONG>(psa->rgsabound[0].lLbound + static_cast<int64_t>(psa->rgsabound[0].cElements) - 1);
    return hr;
}

HRESULT SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv)
{
    ULONG index = 0;
    HRESULT hr = CheckIndex(psa, rgIndices, index);
    if (FAILED(hr))
        return hr;
    // Strings and interfaces come as themselves, every other type through a pointer.
    VARTYPE vt = TypeOf(psa);
    bool direct = vt == VT_BSTR || vt == VT_UNKNOWN || vt == VT_DISPATCH;
    if (!pv && !direct)
        return E_INVALIDARG;
    BYTE* element = ElementAt(psa, index);
    ReleaseElement(vt, element);
    std::memset(element, 0, psa->cbElements);
    return CopyElement(vt, element, direct ? static_cast<const void*>(&pv) : pv, psa->cbElements);
}

HRESULT SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv)
{
    ULONG index = 0;
    HRESULT hr = CheckIndex(psa, rgIndices, index);
    if (FAILED(hr))
        return hr;
    if (!pv)
        return E_INVALIDARG;
    std::memset(pv, 0, psa->cbElements);
    return CopyElement(TypeOf(psa), static_cast<BYTE*>(pv), ElementAt(psa, index), psa->cbElements);
}
