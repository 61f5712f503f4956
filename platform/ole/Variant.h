// VARIANT handling: clearing, copying and coercion between the automation types.
#pragma once

#include "platform/ole/OleTypes.h"

// Flags of VariantChangeType.
constexpr USHORT VARIANT_NOVALUEPROP = 0x01;
constexpr USHORT VARIANT_ALPHABOOL = 0x02;

void VariantInit(VARIANTARG* pvarg);
// Frees what the VARIANT holds and leaves it VT_EMPTY; a locked array fails and stays.
HRESULT VariantClear(VARIANTARG* pvarg);
HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc);
// As VariantCopy, but a reference is copied as the value it refers to.
HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc);
// Numbers are parsed and written in the C locale; conversions that lose the integer part
// fail with DISP_E_OVERFLOW, impossible ones with DISP_E_TYPEMISMATCH. An object converts
// through its default value. dest may be src.
HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt);
HRESULT VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID lcid, USHORT wFlags,
                            VARTYPE vt);
