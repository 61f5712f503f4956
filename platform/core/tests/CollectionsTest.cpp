#include "ArchiveBytes.h"
#include "TestClasses.h"

#include "platform/core/Collections.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

Bytes LeafRecord(const std::string& name)
{
    return Cat({{0xFF, 0xFF, 0x02, 0x00, 0x09, 0x00}, Bytes{'C', 'T', 'e', 's', 't', 'L', 'e', 'a', 'f'},
                {static_cast<BYTE>(name.size())}, Bytes(name.begin(), name.end())});
}

class Collections : public ::testing::Test {
protected:
    void TearDown() override { CTestTracked::DeleteAll(); }
};

// Each collection's stored form, and that loading it gives back an equal collection.
TEST_F(Collections, StoredFormsAreCountThenElements)
{
    CByteArray bytes;
    for (BYTE b : {1, 2, 3})
        bytes.Add(b);
    CWordArray words;
    words.Add(0xABCD);
    CDWordArray dwords;
    dwords.Add(1);
    dwords.Add(0x12345678);
    CStringArray strings;
    strings.Add("a");
    strings.Add("");
    CStringList stringList;
    stringList.AddTail("ab");
    stringList.AddTail("c");
    CMapStringToString stringMap;
    stringMap.SetAt("k", "v");
    CDWordArray empty;

    struct Case { const char* name; CObject& collection; Bytes expected; };
    const Case cases[] = {
        {"CByteArray", bytes, {0x03, 0x00, 0x01, 0x02, 0x03}},
        {"CWordArray", words, {0x01, 0x00, 0xCD, 0xAB}},
        {"CDWordArray", dwords, {0x02, 0x00, 0x01, 0x00, 0x00, 0x00, 0x78, 0x56, 0x34, 0x12}},
        {"CStringArray", strings, {0x02, 0x00, 0x01, 'a', 0x00}},
        {"CStringList", stringList, {0x02, 0x00, 0x02, 'a', 'b', 0x01, 'c'}},
        {"CMapStringToString", stringMap, {0x01, 0x00, 0x01, 'k', 0x01, 'v'}},
        {"empty CDWordArray", empty, {0x00, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes stored = StoreBytes([&](CArchive& ar) { c.collection.Serialize(ar); });
        EXPECT_EQ(stored, c.expected);
        std::unique_ptr<CObject> loaded(c.collection.GetRuntimeClass()->CreateObject());
        LoadBytes(stored, [&](CArchive& ar) { loaded->Serialize(ar); });
        EXPECT_EQ(StoreBytes([&](CArchive& ar) { loaded->Serialize(ar); }), c.expected);
    }
}

TEST_F(Collections, ObjectCollectionsStoreObjectReferences)
{
    auto* pLeaf = new CTestLeaf("q");
    CObArray array;
    array.Add(pLeaf);
    array.Add(nullptr);
    array.Add(pLeaf);
    CObList list;
    list.AddTail(pLeaf);
    list.AddTail(nullptr);
    list.AddTail(pLeaf);
    const Bytes expected = Cat({{0x03, 0x00}, LeafRecord("q"), {0x00, 0x00}, {0x02, 0x00}});
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { array.Serialize(ar); }), expected);
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { list.Serialize(ar); }), expected);

    CMapWordToOb wordMap;
    wordMap.SetAt(5, pLeaf);
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { wordMap.Serialize(ar); }),
              Cat({{0x01, 0x00, 0x05, 0x00}, LeafRecord("q")}));
    CMapStringToOb stringMap;
    stringMap.SetAt("n", pLeaf);
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { stringMap.Serialize(ar); }),
              Cat({{0x01, 0x00, 0x01, 'n'}, LeafRecord("q")}));

    CTestTracked::DeleteAll();
    CObArray loaded;
    LoadBytes(expected, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(loaded.GetSize(), 3);
    EXPECT_EQ(static_cast<CTestLeaf*>(loaded[0])->m_name, "q");
    EXPECT_EQ(loaded[1], nullptr);
    EXPECT_EQ(loaded[2], loaded[0]);
}

TEST_F(Collections, CountOf0xFFFFUsesTheLongForm)
{
    CByteArray bytes;
    bytes.SetSize(0xFFFF);
    bytes[0xFFFE] = 0x5A;
    const Bytes stored = StoreBytes([&](CArchive& ar) { bytes.Serialize(ar); });
    ASSERT_EQ(stored.size(), 6u + 0xFFFF);
    EXPECT_EQ(Bytes(stored.begin(), stored.begin() + 6), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(stored.back(), 0x5A);
}

TEST_F(Collections, TruncatedOrOverlongCountsRaiseEndOfFile)
{
    struct Case { const char* name; Bytes bytes; CRuntimeClass* pClass; };
    const Case cases[] = {
        {"dwords cut", {0x03, 0x00, 1, 0, 0, 0, 2, 0, 0, 0}, RUNTIME_CLASS(CDWordArray)},
        {"huge dword count", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3, 4}, RUNTIME_CLASS(CDWordArray)},
        {"huge object count", {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00}, RUNTIME_CLASS(CObArray)},
        {"strings cut", {0x02, 0x00, 0x01, 'a'}, RUNTIME_CLASS(CStringArray)},
        {"list cut", {0x05, 0x00, 0x00}, RUNTIME_CLASS(CStringList)},
        {"map cut", {0x01, 0x00, 0x01, 'k'}, RUNTIME_CLASS(CMapStringToString)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CObject> collection(c.pClass->CreateObject());
        EXPECT_EQ(ArchiveCause([&] { LoadBytes(c.bytes, [&](CArchive& ar) { collection->Serialize(ar); }); }),
                  CArchiveException::endOfFile);
    }
}

TEST_F(Collections, PointerCollectionsStoreNothing)
{
    int value = 0;
    CPtrArray pointers;
    pointers.Add(&value);
    CUIntArray uints;
    uints.Add(3);
    CPtrList pointerList;
    pointerList.AddTail(&value);
    CMapPtrToWord pointerMap;
    pointerMap.SetAt(&value, 1);
    for (CObject* pCollection : std::initializer_list<CObject*>{&pointers, &uints, &pointerList, &pointerMap})
        EXPECT_TRUE(StoreBytes([&](CArchive& ar) { pCollection->Serialize(ar); }).empty());
}

TEST(ArrayMembers, EditingOperations)
{
    auto contents = [](const CDWordArray& a) {
        std::vector<DWORD> v;
        for (int i = 0; i < a.GetSize(); ++i)
            v.push_back(a[i]);
        return v;
    };
    CDWordArray a;
    EXPECT_EQ(a.Add(10), 0);
    EXPECT_EQ(a.Add(20), 1);
    a.InsertAt(1, 15);
    a.InsertAt(0, 5, 2);
    EXPECT_EQ(contents(a), (std::vector<DWORD>{5, 5, 10, 15, 20}));
    a.RemoveAt(1, 2);
    EXPECT_EQ(contents(a), (std::vector<DWORD>{5, 15, 20}));
    a.SetAtGrow(5, 7);
    EXPECT_EQ(contents(a), (std::vector<DWORD>{5, 15, 20, 0, 0, 7}));
    a.SetAtGrow(40, a[1]); // an element of the array itself, while it grows
    EXPECT_EQ(a[40], 15u);
    a.SetSize(6);
    a.InsertAt(8, 9);
    EXPECT_EQ(a.GetSize(), 9);
    EXPECT_EQ(a.GetUpperBound(), 8);
    a.ElementAt(0) = 1;
    CDWordArray b;
    b.Add(100);
    EXPECT_EQ(b.Append(a), 1);
    EXPECT_EQ(b.GetSize(), 10);
    EXPECT_EQ(b[1], 1u);
    a.Copy(b);
    EXPECT_EQ(contents(a), contents(b));
    a.SetSize(2);
    EXPECT_EQ(contents(a), (std::vector<DWORD>{100, 1}));
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
}

TEST(ArrayMembers, IndexesOutOfRangeThrow)
{
    CDWordArray a;
    a.Add(1);
    for (const auto& action : std::initializer_list<std::function<void()>>{
             [&] { a.GetAt(1); }, [&] { a.GetAt(-1); }, [&] { a.SetAt(2, 0); }, [&] { a.RemoveAt(0, 2); },
             [&] { a.InsertAt(-1, 0); }, [&] { a.SetSize(-1); }}) {
        try {
            action();
            ADD_FAILURE() << "no exception";
        } catch (CInvalidArgException* e) {
            e->Delete();
        }
    }
    EXPECT_EQ(a.GetSize(), 1);
}

TEST(ListMembers, PositionsWalkInsertAndRemove)
{
    CStringList list;
    auto contents = [&] {
        std::string all;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
            all += std::string(list.GetNext(pos)) + ",";
        return all;
    };
    POSITION b = list.AddTail("b");
    list.AddHead("a");
    list.AddTail("d");
    list.InsertAfter(b, "c");
    list.InsertBefore(list.GetHeadPosition(), "0");
    EXPECT_EQ(contents(), "0,a,b,c,d,");
    EXPECT_EQ(list.GetCount(), 5);
    EXPECT_EQ(list.Find("c"), list.FindIndex(3));
    EXPECT_EQ(list.Find("a", list.FindIndex(1)), nullptr);
    EXPECT_EQ(list.FindIndex(5), nullptr);
    EXPECT_EQ(list.GetHead(), "0");
    EXPECT_EQ(list.GetTail(), "d");

    list.RemoveAt(b);
    EXPECT_EQ(list.RemoveHead(), "0");
    EXPECT_EQ(list.RemoveTail(), "d");
    EXPECT_EQ(contents(), "a,c,");
    POSITION pos = list.GetTailPosition();
    EXPECT_EQ(list.GetPrev(pos), "c");
    EXPECT_EQ(list.GetPrev(pos), "a");
    EXPECT_EQ(pos, nullptr);

    CStringList other;
    other.AddTail("x");
    list.AddHead(&other);
    list.AddTail(&other);
    EXPECT_EQ(contents(), "x,a,c,x,");
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
}

TEST(MapMembers, LookupSetRemoveAndVisitEachOnce)
{
    CMapStringToPtr map;
    std::map<std::string, int> values;
    int storage[40];
    for (int i = 0; i < 40; ++i) {
        const std::string key = "key" + std::to_string(i);
        map.SetAt(key.c_str(), &storage[i]);
        values[key] = i;
    }
    map[CString("key3")] = &storage[0];
    EXPECT_EQ(map.GetCount(), 40);
    void* pFound = nullptr;
    EXPECT_TRUE(map.Lookup("key3", pFound));
    EXPECT_EQ(pFound, &storage[0]);
    EXPECT_FALSE(map.Lookup("key40", pFound));
    EXPECT_TRUE(map.RemoveKey("key7"));
    EXPECT_FALSE(map.RemoveKey("key7"));
    values.erase("key7");

    std::map<std::string, int> visited;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        CString key;
        void* pValue;
        map.GetNextAssoc(pos, key, pValue);
        ++visited[std::string(key)];
    }
    ASSERT_EQ(visited.size(), values.size());
    for (const auto& [key, count] : visited)
        EXPECT_EQ(count, 1) << key;
    map.RemoveAll();
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}

TEST(MapMembers, WordAndPointerKeys)
{
    CMapWordToPtr tools;
    tools.SetAt(33807, RUNTIME_CLASS(CTestNode));
    tools.SetAt(60451, RUNTIME_CLASS(CTestLeaf));
    void* pClass = nullptr;
    EXPECT_TRUE(tools.Lookup(60451, pClass));
    EXPECT_EQ(pClass, RUNTIME_CLASS(CTestLeaf));

    CMapPtrToWord counters;
    counters[RUNTIME_CLASS(CTestNode)]++;
    counters[RUNTIME_CLASS(CTestNode)]++;
    WORD count = 0;
    EXPECT_TRUE(counters.Lookup(RUNTIME_CLASS(CTestNode), count));
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(counters.Lookup(RUNTIME_CLASS(CTestLeaf), count));
}

} // namespace
