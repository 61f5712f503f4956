// The object part of CArchive. Classes and objects share one index space per archive,
// starting at 1 (0 is the null object). Tags are WORDs:
//   0x0000            null object
//   0xFFFF            new class: schema WORD, name length WORD, name; a new object of
//                     that class follows when an object was written
//   0x8000 | index    class written before (index below 0x7FFF); a new object follows
//   index             object written before (index below 0x7FFF)
//   0x7FFF + DWORD    the same with a larger index; classes have bit 31 set in the DWORD
#include "platform/core/Archive.h"

#include "platform/core/File.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace {
constexpr WORD wNullTag = 0;
constexpr WORD wNewClassTag = 0xFFFF;
constexpr WORD wClassTag = 0x8000;
constexpr WORD wBigObjectTag = 0x7FFF;
constexpr DWORD dwBigClassTag = 0x80000000;
constexpr DWORD nMaxMapCount = 0x3FFFFFFE;
constexpr WORD nMaxClassName = 64;

// The indices that stored pointers were given, in one flat table probed in turn: a document
// maps every object it stores, and a node allocated per entry would cost a malloc each.
class CStoreIndex {
public:
    const DWORD* Find(const void* key) const
    {
        for (size_t i = SlotOf(key);; i = (i + 1) & (m_slots.size() - 1)) {
            if (m_slots[i].key == key)
                return &m_slots[i].index;
            if (m_slots[i].key == nullptr)
                return nullptr;
        }
    }

    void Set(const void* key, DWORD index)
    {
        if (2 * (m_count + 1) > m_slots.size())
            Grow();
        size_t i = SlotOf(key);
        while (m_slots[i].key != nullptr && m_slots[i].key != key)
            i = (i + 1) & (m_slots.size() - 1);
        m_count += m_slots[i].key == nullptr;
        m_slots[i] = {key, index};
    }

private:
    struct Slot {
        const void* key = nullptr;
        DWORD index = 0;
    };

    size_t SlotOf(const void* key) const
    {
        const auto bits = reinterpret_cast<uintptr_t>(key);
        return static_cast<size_t>((bits >> 4) * 0x9E3779B97F4A7C15ull >> 20) & (m_slots.size() - 1);
    }

    void Grow()
    {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        m_count = 0;
        for (const Slot& slot : old) {
            if (slot.key != nullptr)
                Set(slot.key, slot.index);
        }
    }

    std::vector<Slot> m_slots = std::vector<Slot>(64);
    size_t m_count = 0;
};
}

struct CArchive::ObjectMaps {
    enum Kind { null, classRecord, object, dropped };
    // Kept to 24 bytes: a document's load holds one per object and class.
    struct LoadEntry {
        CObject* pOb;
        CRuntimeClass* pClass;
        Kind kind;
        UINT nSchema;
    };

    CStoreIndex storeMap;
    DWORD nStoreCount = 1;
    std::vector<LoadEntry> loadArray{{nullptr, nullptr, null, 0}};

    DWORD NextIndex(const CArchive& ar)
    {
        const DWORD nIndex = ar.IsStoring() ? nStoreCount : static_cast<DWORD>(loadArray.size());
        if (nIndex > nMaxMapCount)
            ar.ThrowException(CArchiveException::badIndex);
        return nIndex;
    }
};

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*)
    : m_pFile(pFile), m_nMode(nMode), m_buf(static_cast<size_t>(std::max(nBufSize, 128))),
      m_nUncaughtAtStart(std::uncaught_exceptions())
{
    ASSERT(pFile != nullptr);
    m_strFileName = pFile->GetFilePath();
}

CArchive::~CArchive()
{
    // While an exception unwinds the stream is abandoned, not completed.
    if (m_pFile != nullptr && !(m_nMode & bNoFlushOnDelete) && std::uncaught_exceptions() == m_nUncaughtAtStart) {
        try {
            Close();
        } catch (CException* e) {
            TRACE("archive of %s not completed on destruction\n", static_cast<LPCTSTR>(m_strFileName));
            e->Delete();
        }
    }
    Abort();
}

CArchive::ObjectMaps& CArchive::Maps()
{
    if (!m_pMaps)
        m_pMaps = std::make_unique<ObjectMaps>();
    return *m_pMaps;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_pMaps.reset();
}

void CRuntimeClass::Store(CArchive& ar) const
{
    const auto nLength = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << nLength;
    ar.Write(m_lpszClassName, nLength);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema;
    WORD nLength;
    ar >> wSchema >> nLength;
    if (nLength >= nMaxClassName)
        return nullptr;
    char szClassName[nMaxClassName];
    if (ar.Read(szClassName, nLength) != nLength)
        ar.ThrowException(CArchiveException::endOfFile);
    szClassName[nLength] = '\0';
    if (std::strlen(szClassName) != nLength)
        return nullptr;
    *pwSchemaNum = wSchema;
    return FromName(szClassName);
}

void CArchive::WriteTag(DWORD dwIndex, DWORD dwBigFlag)
{
    if (dwIndex < wBigObjectTag) {
        *this << static_cast<WORD>(dwIndex | (dwBigFlag != 0 ? wClassTag : 0));
    } else {
        *this << wBigObjectTag;
        *this << (dwIndex | dwBigFlag);
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    CheckStoring();
    if (!pClassRef->IsSerializable())
        ThrowException(CArchiveException::badClass);
    ObjectMaps& maps = Maps();
    if (const DWORD* found = maps.storeMap.Find(pClassRef)) {
        WriteTag(*found, dwBigClassTag);
        return;
    }
    const DWORD nIndex = maps.NextIndex(*this);
    *this << wNewClassTag;
    pClassRef->Store(*this);
    maps.storeMap.Set(pClassRef, nIndex);
    maps.nStoreCount = nIndex + 1;
}

void CArchive::WriteObject(const CObject* pOb)
{
    CheckStoring();
    if (pOb == nullptr) {
        *this << wNullTag;
        return;
    }
    ObjectMaps& maps = Maps();
    if (const DWORD* found = maps.storeMap.Find(pOb)) {
        WriteTag(*found, 0);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    // Mapped before its fields, so that references back to it inside them work.
    MapObject(pOb);
    const_cast<CObject*>(pOb)->Serialize(*this);
}

void CArchive::MapObject(const CObject* pOb)
{
    ObjectMaps& maps = Maps();
    const DWORD nIndex = maps.NextIndex(*this);
    if (IsStoring()) {
        maps.storeMap.Set(pOb, nIndex);
        maps.nStoreCount = nIndex + 1;
    } else {
        maps.loadArray.push_back({const_cast<CObject*>(pOb), nullptr, ObjectMaps::object, 0});
    }
}

// Reads a tag; bit 31 of the result marks a class, the rest is the index.
DWORD CArchive::ReadTag(WORD& wTag)
{
    *this >> wTag;
    if (wTag != wBigObjectTag)
        return (static_cast<DWORD>(wTag & wClassTag) << 16) | (wTag & ~wClassTag);
    DWORD obTag;
    *this >> obTag;
    return obTag;
}

// A class record after the new-class tag: the class must be known and storable, and
// its schema must match unless the class reads older schemas itself.
CRuntimeClass* CArchive::LoadNewClass(UINT& nSchema)
{
    CRuntimeClass* pClassRef = CRuntimeClass::Load(*this, &nSchema);
    if (pClassRef == nullptr || !pClassRef->IsSerializable())
        ThrowException(CArchiveException::badClass);
    if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema && !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
        ThrowException(CArchiveException::badSchema);
    ObjectMaps& maps = Maps();
    maps.NextIndex(*this);
    maps.loadArray.push_back({nullptr, pClassRef, ObjectMaps::classRecord, nSchema});
    return pClassRef;
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    CheckLoading();
    WORD wTag;
    const DWORD obTag = ReadTag(wTag);
    if (!(obTag & dwBigClassTag)) {
        if (pObTag == nullptr)
            ThrowException(CArchiveException::badIndex);
        *pObTag = obTag;
        return nullptr;
    }

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag) {
        pClassRef = LoadNewClass(nSchema);
    } else {
        const ObjectMaps& maps = Maps();
        const DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex >= maps.loadArray.size() || maps.loadArray[nClassIndex].kind != ObjectMaps::classRecord)
            ThrowException(CArchiveException::badIndex);
        pClassRef = maps.loadArray[nClassIndex].pClass;
        nSchema = maps.loadArray[nClassIndex].nSchema;
    }
    if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
        ThrowException(CArchiveException::badClass);
    if (pSchema != nullptr)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

// An index read from the stream must name an object loaded before (or 0, the null object).
CObject* CArchive::LoadedObject(DWORD dwIndex, const CRuntimeClass* pClassRequested)
{
    const ObjectMaps& maps = Maps();
    if (dwIndex >= maps.loadArray.size())
        ThrowException(CArchiveException::badIndex);
    const ObjectMaps::LoadEntry& entry = maps.loadArray[dwIndex];
    if (entry.kind == ObjectMaps::classRecord || entry.kind == ObjectMaps::dropped)
        ThrowException(CArchiveException::badIndex);
    if (entry.pOb != nullptr && pClassRequested != nullptr && !entry.pOb->IsKindOf(pClassRequested))
        ThrowException(CArchiveException::badClass);
    return entry.pOb;
}

// An object whose fields failed to load is deleted; later references to it are refused.
void CArchive::DropFailedObject(DWORD dwIndex, CObject* pOb)
{
    Maps().loadArray[dwIndex] = {nullptr, nullptr, ObjectMaps::dropped, 0};
    delete pOb;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema;
    DWORD obTag;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (pClassRef == nullptr)
        return LoadedObject(obTag, pClassRefRequested);

    CObject* pOb = pClassRef->CreateObject();
    if (pOb == nullptr)
        AfxThrowMemoryException();
    const DWORD nIndex = static_cast<DWORD>(Maps().loadArray.size());
    try {
        MapObject(pOb);
    } catch (...) {
        delete pOb;
        throw;
    }
    const UINT nSchemaSave = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        m_nObjectSchema = nSchemaSave;
        DropFailedObject(nIndex, pOb);
        throw;
    }
    m_nObjectSchema = nSchemaSave;
    return pOb;
}

CArchive& operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}

CArchive& operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}
