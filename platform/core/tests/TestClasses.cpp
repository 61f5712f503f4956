#include "TestClasses.h"

IMPLEMENT_SERIAL(CTestLeaf, CObject, 2)
IMPLEMENT_SERIAL(CTestSpecialLeaf, CTestLeaf, 2)
IMPLEMENT_SERIAL(CTestNode, CObject, 1)
IMPLEMENT_SERIAL(CTestVersioned, CObject, VERSIONABLE_SCHEMA | 3)
IMPLEMENT_DYNAMIC(CTestDynamicOnly, CObject)

CTestTracked::CTestTracked() { Live().insert(this); }

CTestTracked::~CTestTracked() { Live().erase(this); }

std::set<CTestTracked*>& CTestTracked::Live()
{
    static std::set<CTestTracked*> live;
    return live;
}

void CTestTracked::DeleteAll()
{
    while (!Live().empty())
        delete *Live().begin();
}

void CTestLeaf::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_name;
    else
        ar >> m_name;
}

void CTestNode::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_value << m_pChild;
    else
        ar >> m_value >> m_pChild;
}

void CTestVersioned::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_first << m_second;
        return;
    }
    m_loadedSchema = ar.GetObjectSchema();
    ar >> m_first;
    if (m_loadedSchema >= 3)
        ar >> m_second;
}
