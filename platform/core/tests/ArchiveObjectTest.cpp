#include "ArchiveBytes.h"
#include "TestClasses.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes NewClass(WORD schema, const std::string& name)
{
    return Cat({{0xFF, 0xFF, LOBYTE(schema), HIBYTE(schema), static_cast<BYTE>(name.size()), 0x00}, Text(name)});
}

class ArchiveObjects : public ::testing::Test {
protected:
    void TearDown() override
    {
        CTestTracked::DeleteAll();
    }
};

// A node written twice, a null, two classes, the second node pointing back at the first.
TEST_F(ArchiveObjects, GraphIsWrittenWithClassRecordsAndBackReferences)
{
    auto* pLeaf = new CTestLeaf("x");
    auto* pA = new CTestNode(1, pLeaf);
    auto* pB = new CTestNode(2, pA);
    auto* pLeaf2 = new CTestLeaf("yz");
    const Bytes bytes = StoreBytes([&](CArchive& ar) {
        ar << pA << pA << static_cast<CObject*>(nullptr) << pB << pLeaf2;
    });
    const Bytes expected = Cat({
        NewClass(1, "CTestNode"),       // class 1
        {0x01, 0x00, 0x00, 0x00},       // A (object 2): value
        NewClass(2, "CTestLeaf"),       // class 3
        {0x01, 'x'},                    // leaf (object 4)
        {0x02, 0x00},                   // A again
        {0x00, 0x00},                   // null
        {0x01, 0x80},                   // class 1: B (object 5)
        {0x02, 0x00, 0x00, 0x00},       // B: value
        {0x02, 0x00},                   // B's child: A
        {0x03, 0x80, 0x02, 'y', 'z'},   // class 3: second leaf
    });
    EXPECT_EQ(bytes, expected);
    CTestTracked::DeleteAll();

    LoadBytes(expected, [](CArchive& ar) {
        CObject *p1, *p2, *p3, *p4, *p5;
        ar >> p1 >> p2 >> p3 >> p4 >> p5;
        auto* pA = DYNAMIC_DOWNCAST(CTestNode, p1);
        auto* pB = DYNAMIC_DOWNCAST(CTestNode, p4);
        auto* pLeaf2 = DYNAMIC_DOWNCAST(CTestLeaf, p5);
        ASSERT_TRUE(pA != nullptr && pB != nullptr && pLeaf2 != nullptr);
        EXPECT_EQ(p2, p1);
        EXPECT_EQ(p3, nullptr);
        EXPECT_EQ(pA->m_value, 1);
        EXPECT_EQ(static_cast<CTestLeaf*>(pA->m_pChild)->m_name, "x");
        EXPECT_EQ(pB->m_value, 2);
        EXPECT_EQ(pB->m_pChild, pA);
        EXPECT_EQ(pLeaf2->m_name, "yz");
    });
    EXPECT_EQ(CTestTracked::Live().size(), 4u);
}

// Indexes from 0x7FFF on are written as 0x7FFF and a DWORD; classes set bit 31 in it.
TEST_F(ArchiveObjects, IndexesPast0x7FFEUseTheBigForm)
{
    constexpr DWORD kLeaves = 0x8000; // objects 2 .. 0x8001 after class 1
    std::vector<CTestLeaf*> leaves;
    for (DWORD i = 0; i < kLeaves; ++i)
        leaves.push_back(new CTestLeaf);
    auto* pNode1 = new CTestNode(7, nullptr);
    auto* pNode2 = new CTestNode(8, nullptr);
    const Bytes bytes = StoreBytes([&](CArchive& ar) {
        for (CTestLeaf* pLeaf : leaves)
            ar << pLeaf;
        ar << leaves[0x7FFE - 2] << leaves[0x7FFF - 2] << leaves[0x8001 - 2];
        ar << pNode1 << pNode2; // class 0x8002, objects 0x8003 and 0x8004
    });
    const Bytes tail = Cat({
        {0xFE, 0x7F},
        {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x00},
        {0xFF, 0x7F, 0x01, 0x80, 0x00, 0x00},
        NewClass(1, "CTestNode"), {0x07, 0x00, 0x00, 0x00, 0x00, 0x00},
        {0xFF, 0x7F, 0x02, 0x80, 0x00, 0x80}, {0x08, 0x00, 0x00, 0x00, 0x00, 0x00},
    });
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_EQ(Bytes(bytes.end() - static_cast<long>(tail.size()), bytes.end()), tail);
    CTestTracked::DeleteAll();

    LoadBytes(bytes, [&](CArchive& ar) {
        std::vector<CObject*> loaded(kLeaves);
        for (CObject*& p : loaded)
            ar >> p;
        CObject *pRef1, *pRef2, *pRef3, *pNode1, *pNode2;
        ar >> pRef1 >> pRef2 >> pRef3 >> pNode1 >> pNode2;
        EXPECT_EQ(pRef1, loaded[0x7FFE - 2]);
        EXPECT_EQ(pRef2, loaded[0x7FFF - 2]);
        EXPECT_EQ(pRef3, loaded[0x8001 - 2]);
        ASSERT_TRUE(pNode2->IsKindOf(RUNTIME_CLASS(CTestNode)));
        EXPECT_EQ(static_cast<CTestNode*>(pNode2)->m_value, 8);
    });
}

TEST_F(ArchiveObjects, BadStreamsRaiseTheirCause)
{
    const Bytes leaf = Cat({NewClass(2, "CTestLeaf"), {0x00}});
    struct Case { const char* name; Bytes bytes; const CRuntimeClass* pRequested; int cause; };
    const Case cases[] = {
        {"schema differs", Cat({NewClass(5, "CTestLeaf"), {0x00}}), nullptr, CArchiveException::badSchema},
        {"unknown class", Cat({NewClass(0, "CNoSuchClass"), {0x00}}), nullptr, CArchiveException::badClass},
        {"class that cannot be created", NewClass(0xFFFF, "CTestDynamicOnly"), nullptr, CArchiveException::badClass},
        {"name of 64 bytes", NewClass(2, std::string(64, 'C')), nullptr, CArchiveException::badClass},
        {"name with a NUL", NewClass(2, std::string("CTestLeaf\0x", 11)), nullptr, CArchiveException::badClass},
        {"other class than requested", leaf, RUNTIME_CLASS(CTestNode), CArchiveException::badClass},
        {"class index never defined", {0x05, 0x80}, nullptr, CArchiveException::badIndex},
        {"object index never defined", {0x03, 0x00}, nullptr, CArchiveException::badIndex},
        {"big object index never defined", {0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00}, nullptr, CArchiveException::badIndex},
        {"object index naming a class", Cat({leaf, {0x01, 0x00}}), nullptr, CArchiveException::badIndex},
        {"class index naming an object", Cat({leaf, {0x02, 0x80}}), nullptr, CArchiveException::badIndex},
        {"truncated class name", {0xFF, 0xFF, 0x02, 0x00, 0x09, 0x00, 'C', 'T'}, nullptr, CArchiveException::endOfFile},
        {"truncated fields", Cat({NewClass(2, "CTestLeaf"), {0x03, 'a'}}), nullptr, CArchiveException::endOfFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ArchiveCause([&] {
                      LoadBytes(c.bytes, [&](CArchive& ar) {
                          for (;;)
                              ar.ReadObject(c.pRequested);
                      });
                  }),
                  c.cause);
        CTestTracked::DeleteAll();
    }
}

TEST_F(ArchiveObjects, RequestedBaseClassAcceptsDerivedObjects)
{
    auto* pSpecial = new CTestSpecialLeaf;
    pSpecial->m_name = "s";
    const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << pSpecial; });
    CTestTracked::DeleteAll();
    LoadBytes(bytes, [](CArchive& ar) {
        CTestLeaf* pLeaf = nullptr;
        ar >> pLeaf;
        ASSERT_NE(pLeaf, nullptr);
        EXPECT_STREQ(pLeaf->GetRuntimeClass()->m_lpszClassName, "CTestSpecialLeaf");
        EXPECT_EQ(pLeaf->m_name, "s");
    });
}

// Every cut of a valid stream ends in endOfFile, and nothing half-read stays alive
// beyond what the reader already received.
TEST_F(ArchiveObjects, EveryTruncationRaisesEndOfFileWithoutLeaks)
{
    auto* pA = new CTestNode(1, new CTestLeaf("abc"));
    const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << pA << new CTestNode(2, pA); });
    CTestTracked::DeleteAll();
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        std::vector<CObject*> received;
        EXPECT_EQ(ArchiveCause([&] {
                      LoadBytes(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(cut)), [&](CArchive& ar) {
                          for (;;)
                              received.push_back(ar.ReadObject(nullptr));
                      });
                  }),
                  CArchiveException::endOfFile);
        // Only the first node and its leaf can be complete.
        EXPECT_LE(CTestTracked::Live().size(), received.empty() ? 0u : 2u);
        CTestTracked::DeleteAll();
    }
}

TEST_F(ArchiveObjects, VersionableSchemaLoadsOlderRecords)
{
    const Bytes older = Cat({NewClass(1, "CTestVersioned"), {0x34, 0x12}});
    const Bytes current = Cat({NewClass(3, "CTestVersioned"), {0x34, 0x12, 0x78, 0x56}});
    auto* pStored = new CTestVersioned;
    pStored->m_first = 0x1234;
    pStored->m_second = 0x5678;
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar << pStored; }), current);

    struct Case { const Bytes& bytes; UINT schema; WORD second; };
    for (const Case& c : {Case{older, 1, 0}, Case{current, 3, 0x5678}}) {
        LoadBytes(c.bytes, [&](CArchive& ar) {
            auto* pLoaded = static_cast<CTestVersioned*>(ar.ReadObject(RUNTIME_CLASS(CTestVersioned)));
            EXPECT_EQ(pLoaded->m_loadedSchema, c.schema);
            EXPECT_EQ(pLoaded->m_first, 0x1234);
            EXPECT_EQ(pLoaded->m_second, c.second);
            EXPECT_EQ(ar.GetObjectSchema(), static_cast<UINT>(-1));
        });
    }
}

TEST_F(ArchiveObjects, ClassesAloneAndMappedObjects)
{
    CTestLeaf outside("o");
    const Bytes bytes = StoreBytes([&](CArchive& ar) {
        ar.WriteClass(RUNTIME_CLASS(CTestLeaf));
        ar.SerializeClass(RUNTIME_CLASS(CTestLeaf));
        ar.MapObject(&outside);
        ar << &outside;
    });
    EXPECT_EQ(bytes, Cat({NewClass(2, "CTestLeaf"), {0x01, 0x80}, {0x02, 0x00}}));

    LoadBytes(bytes, [&](CArchive& ar) {
        UINT schema = 0;
        EXPECT_EQ(ar.ReadClass(nullptr, &schema), RUNTIME_CLASS(CTestLeaf));
        EXPECT_EQ(schema, 2u);
        ar.SerializeClass(RUNTIME_CLASS(CTestLeaf));
        EXPECT_EQ(ar.GetObjectSchema(), 2u);
        ar.MapObject(&outside);
        EXPECT_EQ(ar.ReadObject(RUNTIME_CLASS(CTestLeaf)), &outside);
    });
}

TEST_F(ArchiveObjects, ClassesThatCannotBeStoredAreRefused)
{
    CTestDynamicOnly object;
    EXPECT_EQ(ArchiveCause([&] { StoreBytes([&](CArchive& ar) { ar << &object; }); }), CArchiveException::badClass);
}

} // namespace
