// The framework's named lists. A stored list is its element count and elements;
// CPtrList is not storable and stores nothing.
#pragma once

#include "platform/core/List.h"
#include "platform/core/String.h"

// Does not own its objects.
class CObList : public CList<CObject*, CObject*> {
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(int nBlockSize = 10) : CList(nBlockSize) { }
};

class CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(int nBlockSize = 10) : CList(nBlockSize) { }
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

class CStringList : public CList<CString, const CString&> {
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(int nBlockSize = 10) : CList(nBlockSize) { }
};
