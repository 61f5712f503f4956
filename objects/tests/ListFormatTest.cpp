#include "objects/AnchorFmt.h"
#include "objects/ChoiceFmt.h"
#include "objects/LayerFmt.h"
#include "objects/LocalFmt.h"
#include "objects/PropControls.h"
#include "objects/tests/ArchiveBytes.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const Bytes LayerTag1 = Dword(0xBACDCD01);

class ListFormatTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterStringResource(CLayerFmt::StandardNameId, "<Standard>");
        RegisterStringResource(CLayerFmt::NoticeNameId, "<Standard Noticelayer>");
    }
};

CLayerItem* Layer(int id, const char* name, int visible = 1, int locked = 0)
{
    auto* layer = new CLayerItem(id, name);
    layer->m_visible = visible;
    layer->m_locked = locked;
    return layer;
}

TEST_F(ListFormatTest, NewPageLayersStoreByteForByte)
{
    CLayerFmt layers;
    layers.AddDefaultLayers();
    layers.SetLockOthers(1);
    ASSERT_EQ(layers.GetNextLayerNumber(), 2);
    Bytes expected = Concat({LayerTag1, Word(0), Word(2), {1}, Word(2),
                             Word(0), ShortString("<Standard>"), Dword(1), Dword(0),
                             Word(21001), ShortString("<Standard Noticelayer>"), Dword(1), Dword(0)});
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { layers.Serialize(ar); }), expected);

    CLayerFmt loaded;
    EXPECT_EQ(LoadBytes(expected, [&](CArchive& ar) { loaded.Serialize(ar); }), expected.size());
    EXPECT_TRUE(loaded.IsEqual(&layers));
    EXPECT_EQ(loaded.GetNextLayerNumber(), 2);
    EXPECT_EQ(loaded.GetLockOthers(), 1);
    EXPECT_EQ(loaded.GetLayerItem(1)->GetId(), 21001);
}

struct LayerLayout {
    const char* name;
    Bytes bytes;
    int nextAfterLoad;
    int lockOthers;
    std::vector<int> ids;
};

TEST_F(ListFormatTest, EveryLayerLayoutLoadsAndGainsANoticeLayerWhenItHasNone)
{
    const Bytes twoOrdinary = Concat({Word(2), Word(0), ShortString("A"), Dword(1), Dword(0),
                                      Word(1), ShortString("B"), Dword(0), Dword(1)});
    const LayerLayout layouts[] = {
        // The oldest layout has no next number: it is raised above the stored ids.
        {"untagged", Concat({Word(7), twoOrdinary}), 3, 0, {0, 1, 21002}},
        {"version 0", Concat({Dword(0xBACDCD00), Word(7), Word(5), twoOrdinary}), 6, 0, {0, 1, 21005}},
        {"version 1", Concat({LayerTag1, Word(7), Word(5), {1}, twoOrdinary}), 6, 1, {0, 1, 21005}},
        {"stored next below the ids", Concat({LayerTag1, Word(0), Word(1), {0}, twoOrdinary}), 3, 0, {0, 1, 21002}},
        {"with a notice layer",
         Concat({LayerTag1, Word(0), Word(4), {0}, Word(1), Word(21003), ShortString("N"), Dword(1), Dword(0)}),
         4, 0, {21003}},
    };
    for (const LayerLayout& layout : layouts) {
        CLayerFmt layers;
        EXPECT_EQ(LoadBytes(layout.bytes, [&](CArchive& ar) { layers.Serialize(ar); }), layout.bytes.size())
            << layout.name;
        EXPECT_EQ(layers.GetNextLayerNumber(), layout.nextAfterLoad) << layout.name;
        EXPECT_EQ(layers.GetLockOthers(), layout.lockOthers) << layout.name;
        EXPECT_EQ(layers.GetCurrentIndex(), 0) << layout.name;
        ASSERT_EQ(layers.GetSize(), static_cast<INT_PTR>(layout.ids.size())) << layout.name;
        for (size_t i = 0; i < layout.ids.size(); ++i)
            EXPECT_EQ(layers.GetLayerItem(static_cast<INT_PTR>(i))->GetId(), layout.ids[i]) << layout.name;
    }
}

TEST_F(ListFormatTest, LayerQueriesByIdAndLocking)
{
    CLayerFmt layers;
    layers.AddItem(Layer(0, "A"));
    layers.AddItem(Layer(3, "B", 0, 1));
    layers.AddItem(Layer(21000, "N"));
    layers.SetCurrentIndex(1);

    EXPECT_EQ(layers.GetCurrentLayerId(), 3);
    EXPECT_EQ(layers.GetLayer(-1), layers.GetLayerItem(1));
    EXPECT_EQ(layers.GetLayer(0), layers.GetLayerItem(0));
    EXPECT_EQ(layers.GetLayer(21000), layers.GetLayerItem(2));
    EXPECT_EQ(layers.GetLayer(5), nullptr);
    EXPECT_EQ(layers.FindLayerIndex(5), -1);
    EXPECT_FALSE(layers.IsLayerVisible(3));
    EXPECT_TRUE(layers.IsLayerVisible(5));
    EXPECT_TRUE(layers.IsLayerLocked(3));
    EXPECT_FALSE(layers.IsLayerLocked(21000));

    // Locking the others locks every layer but the current one, whatever its own flag.
    layers.SetLockOthers(1);
    EXPECT_FALSE(layers.IsLayerLocked(3));
    EXPECT_TRUE(layers.IsLayerLocked(0));
    EXPECT_TRUE(layers.IsLayerLocked(21000));
}

TEST_F(ListFormatTest, CompareCopyAndClear)
{
    CLayerFmt a;
    a.AddItem(Layer(0, "A"));
    a.AddItem(Layer(21000, "N"));
    CLayerFmt b;
    b.AddItem(Layer(4, "A"));
    b.AddItem(Layer(21007, "N"));
    EXPECT_TRUE(a.IsEqual(&b)) << "ids are not compared";
    b.GetLayerItem(1)->m_name = "n";
    EXPECT_FALSE(a.IsEqual(&b)) << "names compare case-sensitively";
    b.GetLayerItem(1)->m_name = "N";
    b.GetLayerItem(1)->m_locked = 1;
    EXPECT_FALSE(a.IsEqual(&b));

    a.SetNextLayerNumber(9);
    a.SetLockOthers(1);
    b.CopyFrom(&a);
    EXPECT_TRUE(b.IsEqual(&a));
    EXPECT_EQ(b.GetNextLayerNumber(), 9);
    EXPECT_EQ(b.GetLockOthers(), 1);
    EXPECT_NE(b.GetItem(0), a.GetItem(0)) << "a copy holds items of its own";

    CLayerFmt empty;
    b.CopyFrom(&empty);
    EXPECT_EQ(b.GetSize(), 0);
    b.CopyFrom(&b);
    EXPECT_EQ(b.GetSize(), 0);

    a.AddItem(Layer(1, "C"));
    EXPECT_FALSE(a.IsEqual(&empty));
}

TEST_F(ListFormatTest, SettersClampToTheStoredWidth)
{
    CLayerFmt layers;
    layers.SetNextLayerNumber(70000);
    layers.SetCurrentIndex(-3);
    EXPECT_EQ(layers.GetNextLayerNumber(), 0xFFFF);
    EXPECT_EQ(layers.GetCurrentIndex(), 0);
    CLayerItem item(40000, "x");
    EXPECT_EQ(item.GetId(), 32767);
}

TEST_F(ListFormatTest, LocalAndChoiceItemsStoreByteForByte)
{
    CLocalFmt locals;
    auto* local = new CLocalItem;
    local->m_word1 = 0x01020304;
    local->m_word2 = 7;
    local->m_text1 = "ab";
    local->m_text2 = "";
    local->m_byte = 0x5A;
    locals.AddItem(local);
    locals.m_words[0] = 99;
    Bytes localBytes = Concat({Word(1), Dword(0x01020304), Dword(7), ShortString("ab"), ShortString(""), {0x5A}});
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { locals.Serialize(ar); }), localBytes) << "the words are not stored";

    CChoiceFmt choices;
    choices.AddItem(new CChoiceItem("On", 1));
    choices.AddItem(new CChoiceItem("Off", 0xFFFFFFFF));
    Bytes choiceBytes = Concat({Word(2), ShortString("On"), Dword(1), ShortString("Off"), Dword(0xFFFFFFFF)});
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { choices.Serialize(ar); }), choiceBytes);

    CLocalFmt localsBack;
    CChoiceFmt choicesBack;
    EXPECT_EQ(LoadBytes(localBytes, [&](CArchive& ar) { localsBack.Serialize(ar); }), localBytes.size());
    EXPECT_EQ(LoadBytes(choiceBytes, [&](CArchive& ar) { choicesBack.Serialize(ar); }), choiceBytes.size());
    EXPECT_TRUE(localsBack.IsEqual(&locals));
    EXPECT_TRUE(choicesBack.IsEqual(&choices));
    static_cast<CChoiceItem*>(choicesBack.GetItem(1))->m_value = 0;
    EXPECT_FALSE(choicesBack.IsEqual(&choices));
}

TEST_F(ListFormatTest, AListTooLongForItsCountIsRefusedWhenStored)
{
    CChoiceFmt choices;
    for (int i = 0; i < 70000; ++i)
        choices.AddItem(new CChoiceItem("", static_cast<DWORD>(i)));
    EXPECT_THROW(
        {
            try {
                StoreBytes([&](CArchive& ar) { choices.Serialize(ar); });
            } catch (CArchiveException* e) {
                e->Delete();
                throw 1;
            }
        },
        int);
}

class FakeListBox : public CPropItemSource {
public:
    int GetCount() const override { return static_cast<int>(data.size()); }
    DWORD_PTR GetItemData(int index) const override { return data[static_cast<size_t>(index)]; }
    void ResetContent() override { data.clear(); }
    std::vector<DWORD_PTR> data;
};

TEST_F(ListFormatTest, FillFromListBoxTakesOverTheItemsInOrder)
{
    CChoiceFmt choices;
    choices.AddItem(new CChoiceItem("old", 0));
    FakeListBox box;
    auto* first = new CChoiceItem("a", 1);
    auto* second = new CChoiceItem("b", 2);
    box.data = {reinterpret_cast<DWORD_PTR>(first), reinterpret_cast<DWORD_PTR>(second)};
    choices.FillFromListBox(&box);
    EXPECT_EQ(box.GetCount(), 0);
    ASSERT_EQ(choices.GetSize(), 2);
    EXPECT_EQ(choices.GetItem(0), first);
    EXPECT_EQ(choices.GetItem(1), second);
}

TEST_F(ListFormatTest, EveryTruncatedListThrowsTheArchiveException)
{
    CLayerFmt layers;
    layers.AddDefaultLayers();
    CChoiceFmt choices;
    choices.AddItem(new CChoiceItem("On", 1));
    CLocalFmt locals;
    locals.AddItem(new CLocalItem);
    CAnchorFmtEx anchors;
    auto* point = static_cast<CAnchorItemEx*>(anchors.CreateItem());
    point->m_name = "In";
    point->m_text = "Tip";
    anchors.AddItem(point);
    CHyperListFmt* lists[] = {&layers, &choices, &locals, &anchors};
    for (CHyperListFmt* list : lists) {
        Bytes record = StoreBytes([&](CArchive& ar) { list->Serialize(ar); });
        for (size_t length = 0; length < record.size(); ++length) {
            Bytes truncated(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(length));
            CObject* fresh = list->GetRuntimeClass()->CreateObject();
            EXPECT_TRUE(LoadThrowsArchiveException(truncated, [&](CArchive& ar) { fresh->Serialize(ar); }))
                << list->GetRuntimeClass()->m_lpszClassName << " cut to " << length;
            delete fresh;
        }
    }
}

} // namespace
