// The framework's named maps. The storable ones write their entry count, then each
// key and value; maps with pointer values store nothing. None owns its objects.
#pragma once

#include "platform/core/Map.h"
#include "platform/core/String.h"

class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*> {
    DECLARE_SERIAL(CMapStringToOb)
public:
    explicit CMapStringToOb(int nBlockSize = 10) : CMap(nBlockSize) { }
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(int nBlockSize = 10) : CMap(nBlockSize) { }
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR> {
    DECLARE_SERIAL(CMapStringToString)
public:
    explicit CMapStringToString(int nBlockSize = 10) : CMap(nBlockSize) { }
};

class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*> {
    DECLARE_SERIAL(CMapWordToOb)
public:
    explicit CMapWordToOb(int nBlockSize = 10) : CMap(nBlockSize) { }
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(int nBlockSize = 10) : CMap(nBlockSize) { }
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(int nBlockSize = 10) : CMap(nBlockSize) { }
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

class CMapPtrToWord : public CMap<void*, void*, WORD, WORD> {
    DECLARE_DYNAMIC(CMapPtrToWord)
public:
    explicit CMapPtrToWord(int nBlockSize = 10) : CMap(nBlockSize) { }
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};
