// Small storable classes for archive tests. Every instance is tracked, so a test can
// see what a load left alive and free it.
#pragma once

#include "platform/core/Archive.h"

#include <set>

class CTestTracked : public CObject {
public:
    CTestTracked();
    ~CTestTracked() override;
    static std::set<CTestTracked*>& Live();
    static void DeleteAll();
};

class CTestLeaf : public CTestTracked {
    DECLARE_SERIAL(CTestLeaf)
public:
    CTestLeaf() = default;
    explicit CTestLeaf(LPCTSTR name) : m_name(name) { }
    void Serialize(CArchive& ar) override;
    CString m_name;
};

class CTestSpecialLeaf : public CTestLeaf {
    DECLARE_SERIAL(CTestSpecialLeaf)
};

// Does not own its child: graphs share nodes.
class CTestNode : public CTestTracked {
    DECLARE_SERIAL(CTestNode)
public:
    CTestNode() = default;
    CTestNode(int value, CObject* pChild) : m_value(value), m_pChild(pChild) { }
    void Serialize(CArchive& ar) override;
    int m_value = 0;
    CObject* m_pChild = nullptr;
};

// Schema 3; schema 1 records lack the second field.
class CTestVersioned : public CTestTracked {
    DECLARE_SERIAL(CTestVersioned)
public:
    void Serialize(CArchive& ar) override;
    UINT m_loadedSchema = 0;
    WORD m_first = 0;
    WORD m_second = 0;
};

class CTestDynamicOnly : public CTestTracked {
    DECLARE_DYNAMIC(CTestDynamicOnly)
};
