// The framework's named arrays. Each stores as its element count and elements
// (CArray::Serialize); CUIntArray and CPtrArray are not storable and store nothing.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"

class CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_SERIAL(CByteArray)
};

class CWordArray : public CArray<WORD, WORD> {
    DECLARE_SERIAL(CWordArray)
};

class CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_SERIAL(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
public:
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

class CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
public:
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

// Does not own its objects.
class CObArray : public CArray<CObject*, CObject*> {
    DECLARE_SERIAL(CObArray)
};

class CStringArray : public CArray<CString, const CString&> {
    DECLARE_SERIAL(CStringArray)
};
