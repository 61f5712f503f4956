#include "TestClasses.h"

#include "platform/core/Arrays.h"
#include "platform/core/File.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(RuntimeClass, RecordsNameSchemaAndBase)
{
    const CRuntimeClass* pClass = RUNTIME_CLASS(CTestSpecialLeaf);
    EXPECT_STREQ(pClass->m_lpszClassName, "CTestSpecialLeaf");
    EXPECT_EQ(pClass->m_wSchema, 2u);
    EXPECT_EQ(pClass->m_nObjectSize, static_cast<int>(sizeof(CTestSpecialLeaf)));
    EXPECT_EQ(pClass->m_pBaseClass, RUNTIME_CLASS(CTestLeaf));
    EXPECT_EQ(RUNTIME_CLASS(CTestDynamicOnly)->m_wSchema, 0xFFFFu);
    EXPECT_FALSE(RUNTIME_CLASS(CTestDynamicOnly)->IsSerializable());
}

TEST(RuntimeClass, KindOfFollowsTheBaseChain)
{
    struct Case { const CRuntimeClass* pClass; const CRuntimeClass* pBase; BOOL expected; };
    const Case cases[] = {
        {RUNTIME_CLASS(CTestSpecialLeaf), RUNTIME_CLASS(CTestLeaf), TRUE},
        {RUNTIME_CLASS(CTestSpecialLeaf), RUNTIME_CLASS(CObject), TRUE},
        {RUNTIME_CLASS(CTestLeaf), RUNTIME_CLASS(CTestSpecialLeaf), FALSE},
        {RUNTIME_CLASS(CTestNode), RUNTIME_CLASS(CTestLeaf), FALSE},
        {RUNTIME_CLASS(CDWordArray), RUNTIME_CLASS(CObject), TRUE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.pClass->IsDerivedFrom(c.pBase), c.expected) << c.pClass->m_lpszClassName;

    CTestSpecialLeaf special;
    CObject* pObject = &special;
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CTestLeaf)));
    EXPECT_EQ(DYNAMIC_DOWNCAST(CTestLeaf, pObject), &special);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CTestNode, pObject), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CTestNode, static_cast<CObject*>(nullptr)), nullptr);
}

TEST(RuntimeClass, CreatesByClassAndFindsByName)
{
    EXPECT_EQ(CRuntimeClass::FromName("CTestNode"), RUNTIME_CLASS(CTestNode));
    EXPECT_EQ(CRuntimeClass::FromName("CObArray"), RUNTIME_CLASS(CObArray));
    EXPECT_EQ(CRuntimeClass::FromName("CFile"), RUNTIME_CLASS(CFile));
    EXPECT_EQ(CRuntimeClass::FromName("ctestnode"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(""), nullptr);

    std::unique_ptr<CObject> created(RUNTIME_CLASS(CTestNode)->CreateObject());
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->GetRuntimeClass(), RUNTIME_CLASS(CTestNode));
    EXPECT_EQ(RUNTIME_CLASS(CTestDynamicOnly)->CreateObject(), nullptr);
}

} // namespace
