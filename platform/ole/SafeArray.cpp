// One-dimensional SAFEARRAYs. The element type sits behind the public record.
#include "platform/ole/SafeArray.h"

#include "platform/ole/Variant.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <unordered_set>

namespace {

// The public record, then what the layer relies on: the element type, the elements
// allocated and their size. Callers may write the public fields; they are not trusted.
struct ArrayBlock {
    SAFEARRAY sa;
    VARTYPE vt;
    ULONG count;
    ULONG size;
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

std::unordered_set<const SAFEARRAY*>& LiveArrays()
{
    static std::unordered_set<const SAFEARRAY*> arrays;
    return arrays;
}

// The block behind an array this layer made and has not destroyed; NULL for anything else.
ArrayBlock* BlockOf(SAFEARRAY* psa)
{
    return psa && LiveArrays().count(psa) ? reinterpret_cast<ArrayBlock*>(psa) : nullptr;
}

BYTE* ElementAt(const ArrayBlock& block, ULONG index)
{
    return static_cast<BYTE*>(block.sa.pvData) + size_t{index} * block.size;
}

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

// The element of a checked index: inside the public bounds and the elements allocated.
HRESULT CheckIndex(SAFEARRAY* psa, const LONG* rgIndices, ArrayBlock*& block, ULONG& offset)
{
    block = BlockOf(psa);
    if (!block || !rgIndices)
        return E_INVALIDARG;
    const SAFEARRAYBOUND& bound = psa->rgsabound[0];
    int64_t index = static_cast<int64_t>(rgIndices[0]) - bound.lLbound;
    if (index < 0 || index >= static_cast<int64_t>(std::min(bound.cElements, block->count)))
        return DISP_E_BADINDEX;
    offset = static_cast<ULONG>(index);
    return S_OK;
}

HRESULT CheckDimension(SAFEARRAY* psa, UINT nDim, LONG* out)
{
    if (!BlockOf(psa) || !out)
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
    block->count = count;
    block->size = kind->size;
    block->sa.cDims = 1;
    block->sa.fFeatures = FADF_HAVEVARTYPE | kind->features;
    block->sa.cbElements = kind->size;
    block->sa.rgsabound[0] = rgsabound[0];
    LiveArrays().insert(&block->sa);
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
    ArrayBlock* block = BlockOf(psa);
    if (!block)
        return E_INVALIDARG;
    if (psa->cLocks)
        return DISP_E_ARRAYISLOCKED;
    for (ULONG i = 0; i < block->count; ++i)
        ReleaseElement(block->vt, ElementAt(*block, i));
    LiveArrays().erase(psa);
    std::free(psa->pvData);
    delete block;
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut)
{
    if (!ppsaOut)
        return E_INVALIDARG;
    *ppsaOut = nullptr;
    if (!psa)
        return S_OK;
    ArrayBlock* block = BlockOf(psa);
    if (!block)
        return E_INVALIDARG;
    SAFEARRAYBOUND bound{block->count, psa->rgsabound[0].lLbound};
    SAFEARRAY* copy = SafeArrayCreate(block->vt, 1, &bound);
    if (!copy)
        return E_OUTOFMEMORY;
    for (ULONG i = 0; i < block->count; ++i) {
        HRESULT hr = CopyElement(block->vt, ElementAt(*BlockOf(copy), i), ElementAt(*block, i), block->size);
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
    if (!BlockOf(psa))
        return E_INVALIDARG;
    ++psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* psa)
{
    if (!BlockOf(psa) || psa->cLocks == 0)
        return E_UNEXPECTED;
    --psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData)
{
    if (!BlockOf(psa) || !ppvData)
        return E_INVALIDARG;
    SafeArrayLock(psa);
    *ppvData = psa->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* psa) { return SafeArrayUnlock(psa); }

HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt)
{
    ArrayBlock* block = BlockOf(psa);
    if (!block || !pvt)
        return E_INVALIDARG;
    *pvt = block->vt;
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* psa) { return BlockOf(psa) ? 1 : 0; }

UINT SafeArrayGetElemsize(SAFEARRAY* psa)
{
    ArrayBlock* block = BlockOf(psa);
    return block ? block->size : 0;
}

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
        *plUbound = static_cast<LONG>(psa->rgsabound[0].lLbound +
                                      static_cast<int64_t>(std::min(psa->rgsabound[0].cElements, BlockOf(psa)->count)) - 1);
    return hr;
}

HRESULT SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv)
{
    ArrayBlock* block = nullptr;
    ULONG index = 0;
    HRESULT hr = CheckIndex(psa, rgIndices, block, index);
    if (FAILED(hr))
        return hr;
    // Strings and interfaces come as themselves, every other type through a pointer.
    bool direct = block->vt == VT_BSTR || block->vt == VT_UNKNOWN || block->vt == VT_DISPATCH;
    if (!pv && !direct)
        return E_INVALIDARG;
    BYTE* element = ElementAt(*block, index);
    ReleaseElement(block->vt, element);
    std::memset(element, 0, block->size);
    return CopyElement(block->vt, element, direct ? static_cast<const void*>(&pv) : pv, block->size);
}

HRESULT SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv)
{
    ArrayBlock* block = nullptr;
    ULONG index = 0;
    HRESULT hr = CheckIndex(psa, rgIndices, block, index);
    if (FAILED(hr))
        return hr;
    if (!pv)
        return E_INVALIDARG;
    std::memset(pv, 0, block->size);
    return CopyElement(block->vt, static_cast<BYTE*>(pv), ElementAt(*block, index), block->size);
}
