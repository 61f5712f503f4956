// Reads arbitrary bytes as an archive: each step takes an operation byte, then an
// object, a string, a count or a class record. Every instance of the classes here is
// tracked and freed afterwards, so leaks and double frees in the archive show.
#include "platform/core/Archive.h"
#include "platform/core/Collections.h"
#include "platform/core/MemFile.h"

#include <cstdint>
#include <set>
#include <vector>

class CFuzzTracked : public CObject {
    DECLARE_DYNAMIC(CFuzzTracked)
public:
    CFuzzTracked() { Live().insert(this); }
    ~CFuzzTracked() override { Live().erase(this); }
    static std::set<CFuzzTracked*>& Live()
    {
        static std::set<CFuzzTracked*> live;
        return live;
    }
};
IMPLEMENT_DYNAMIC(CFuzzTracked, CObject)

// Children are read as tracked objects only, so every object a load creates is tracked.
void SerializeElements(CArchive& ar, CFuzzTracked** pElements, int nCount)
{
    for (int i = 0; i < nCount; ++i) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            pElements[i] = static_cast<CFuzzTracked*>(ar.ReadObject(RUNTIME_CLASS(CFuzzTracked)));
    }
}

class CFuzzLeaf : public CFuzzTracked {
    DECLARE_SERIAL(CFuzzLeaf)
public:
    void Serialize(CArchive& ar) override
    {
        ar >> m_name >> m_value >> m_real;
    }
    CString m_name;
    DWORD m_value = 0;
    double m_real = 0;
};
IMPLEMENT_SERIAL(CFuzzLeaf, CFuzzTracked, 1)

class CFuzzNode : public CFuzzTracked {
    DECLARE_SERIAL(CFuzzNode)
public:
    void Serialize(CArchive& ar) override
    {
        ar >> m_flags;
        SerializeElements(ar, &m_pChild, 1);
        m_children.Serialize(ar);
        m_names.Serialize(ar);
        m_values.Serialize(ar);
        m_bytes.Serialize(ar);
    }
    WORD m_flags = 0;
    CFuzzTracked* m_pChild = nullptr;
    CArray<CFuzzTracked*, CFuzzTracked*> m_children;
    CStringArray m_names;
    CDWordArray m_values;
    CByteArray m_bytes;
};
IMPLEMENT_SERIAL(CFuzzNode, CFuzzTracked, 2)

class CFuzzLists : public CFuzzTracked {
    DECLARE_SERIAL(CFuzzLists)
public:
    void Serialize(CArchive& ar) override
    {
        const UINT nSchema = ar.GetObjectSchema();
        m_strings.Serialize(ar);
        m_words.Serialize(ar);
        if (nSchema >= 2)
            m_map.Serialize(ar);
        if (nSchema >= 3)
            m_objects.Serialize(ar);
    }
    CStringList m_strings;
    CWordArray m_words;
    CMapStringToString m_map;
    CMap<WORD, WORD, CFuzzTracked*, CFuzzTracked*> m_objects;
};
IMPLEMENT_SERIAL(CFuzzLists, CFuzzTracked, VERSIONABLE_SCHEMA | 3)

static void Step(CArchive& ar, CFile& file)
{
    BYTE op;
    ar >> op;
    switch (op % 5) {
    case 0:
        ar.ReadObject(RUNTIME_CLASS(CFuzzTracked));
        break;
    case 1: {
        CString text;
        ar >> text;
        break;
    }
    case 2:
        ar.CheckAvailable(ar.ReadCount());
        break;
    case 3: {
        UINT nSchema;
        ar.ReadClass(RUNTIME_CLASS(CFuzzTracked), &nSchema);
        break;
    }
    default: {
        // The record-tag pattern: flush, read a dword, flush, step back over it.
        ar.Flush();
        DWORD tag;
        ar >> tag;
        ar.Flush();
        if (tag & 1)
            file.Seek(-4, CFile::current);
        break;
    }
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<BYTE> copy(data, data + size);
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    {
        CArchive ar(&file, CArchive::load);
        try {
            for (int steps = 0; steps < 64; ++steps)
                Step(ar, file);
        } catch (CException* e) {
            e->Delete();
        }
    }
    while (!CFuzzTracked::Live().empty())
        delete *CFuzzTracked::Live().begin();
    return 0;
}
