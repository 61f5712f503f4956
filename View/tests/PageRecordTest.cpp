// The page record: its bytes, reading every layout back, and what a damaged record leaves.
#include "ViewTestKit.h"

#include "objects/HyperFrameOb.h"
#include "objects/HyperViewOb.h"
#include "objects/ObValue.h"

namespace {

// An object as the archive writes it the first time its class occurs.
Bytes NewClassObject(const char* className, uint16_t schema, const Bytes& body)
{
    Bytes tag = Concat({Word(0xFFFF), Word(schema), Word(static_cast<uint16_t>(std::strlen(className)))});
    for (const char* c = className; *c; ++c)
        tag.push_back(static_cast<uint8_t>(*c));
    return Concat({tag, body});
}

Bytes ColourRows(const COLORREF (&colors)[16])
{
    Bytes rows;
    for (COLORREF color : colors)
        rows = Concat({rows, Dword(color)});
    return rows;
}

class PageRecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.CreatePageObject();
        bottom = AddSwatch(view, {10, 20, 110, 70}, RGB(255, 0, 0), "Bottom");
        top = AddSwatch(view, {40, 30, 90, 120}, RGB(0, 0, 255), "Top");
        view.m_pageFlags = 0x2;
        view.m_gridStep = MAKELONG(8, 12);
        view.m_margins.SetRect(1, 2, 3, 4);
        view.m_customColors[0] = RGB(1, 2, 3);
        view.m_customColors[15] = RGB(250, 251, 252);
    }

    CTestPageView view;
    CSwatchOb* bottom = nullptr;
    CSwatchOb* top = nullptr;
};

TEST_F(PageRecordTest, StoresTheFieldsThenTheObjectsFromTheTopDownThenThePage)
{
    const Bytes topBody = Stored(*top);
    const Bytes bottomBody = Stored(*bottom);
    const Bytes pageBody = Stored(*view.GetPageObject());
    const Bytes expected = Concat({
        Dword(0xBACDCD01),                     // record tag, version 1
        ShortString(""),                       // reserved text
        Dword(0x2),                            // page flags: grid visible
        Word(0),                               // reserved
        Dword(0x000C0008),                     // grid step x 8, y 12
        Dword(1), Dword(2), Dword(3), Dword(4), // margins left, top, right, bottom
        ColourRows(view.m_customColors),       // 16 custom colours
        Word(2),                               // object count
        Dword(0), NewClassObject("CSwatchOb", 1, topBody),
        Dword(0), Word(0x8001), bottomBody,    // same class again: a reference to class index 1
        Dword(0), NewClassObject("CHyperViewOb", 0, pageBody),
    });
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { view.Serialize(ar); }), expected);
}

TEST_F(PageRecordTest, ReadsBackAnEqualPage)
{
    view.GetPageObject()->SetScrollWidth(1234);
    const Bytes stored = StoreBytes([&](CArchive& ar) { view.Serialize(ar); });
    CTestPageView loaded;
    EXPECT_EQ(LoadBytes(stored, [&](CArchive& ar) { loaded.Serialize(ar); }), stored.size());
    EXPECT_FALSE(loaded.LoadWasIncomplete());
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { loaded.Serialize(ar); }), stored);
    ASSERT_EQ(loaded.GetObjectCount(), 2);
    auto* first = static_cast<CSwatchOb*>(loaded.GetObjectAtIndex(0));
    EXPECT_EQ(first->Code, "Top");
    EXPECT_EQ(first->BackColor, RGB(0, 0, 255));
    EXPECT_EQ(first->GetView(), &loaded);
    CRect rect;
    EXPECT_EQ(*first->GetRect(&rect, nullptr), CRect(40, 30, 90, 120));
    EXPECT_EQ(loaded.GetPageObject()->GetScrollWidth(), 1234);
    EXPECT_EQ(loaded.GetPageObject()->GetView(), &loaded);
    EXPECT_EQ(loaded.m_margins, CRect(1, 2, 3, 4));
    EXPECT_EQ(loaded.GetGridStepX(), 8);
    EXPECT_EQ(loaded.GetGridStepY(), 12);
}

TEST_F(PageRecordTest, AnEmptyPageWritesCountZeroAndThePageObject)
{
    CTestPageView empty;
    empty.CreatePageObject();
    const Bytes stored = StoreBytes([&](CArchive& ar) { empty.Serialize(ar); });
    const Bytes tail = Concat({Word(0), Dword(0), NewClassObject("CHyperViewOb", 0, Stored(*empty.GetPageObject()))});
    ASSERT_GE(stored.size(), tail.size());
    EXPECT_EQ(Bytes(stored.end() - static_cast<long>(tail.size()), stored.end()), tail);
}

// Older records: flags 1 mean grid and snap; version 0 has no margins; no tag has no colours.
TEST(PageRecordLayouts, OlderRecordsKeepTheDefaultsTheyDoNotStore)
{
    CHyperViewOb page;
    const Bytes pageEntry = Concat({Dword(0), NewClassObject("CHyperViewOb", 0, Stored(page))});
    const Bytes colours = ColourRows({RGB(9, 9, 9)});
    struct Case {
        const char* name;
        Bytes record;
        DWORD flags;
        CRect margins;
        COLORREF firstColour;
    };
    const Case cases[] = {
        {"version 1, flags 1", Concat({Dword(0xBACDCD01), ShortString(""), Dword(1), Word(0), Dword(0x00050005),
                                       Dword(7), Dword(7), Dword(7), Dword(7), colours, Word(0), pageEntry}),
         6, CRect(7, 7, 7, 7), RGB(9, 9, 9)},
        {"version 0", Concat({Dword(0xBACDCD00), ShortString(""), Dword(4), Word(0), Dword(0x00050005), colours,
                              Word(0), pageEntry}),
         4, CRect(10, 10, 10, 10), RGB(9, 9, 9)},
        {"no tag", Concat({ShortString(""), Dword(2), Word(0), Dword(0x00050005), Word(0), pageEntry}), 2,
         CRect(10, 10, 10, 10), 0},
    };
    for (const Case& c : cases) {
        CTestPageView view;
        EXPECT_EQ(LoadBytes(c.record, [&](CArchive& ar) { view.Serialize(ar); }), c.record.size()) << c.name;
        EXPECT_EQ(view.m_pageFlags, c.flags) << c.name;
        EXPECT_EQ(view.m_margins, c.margins) << c.name;
        EXPECT_EQ(view.m_customColors[0], c.firstColour) << c.name;
        EXPECT_EQ(view.GetGridStepX(), 5) << c.name;
        EXPECT_FALSE(view.LoadWasIncomplete()) << c.name;
    }
}

// An entry of a class nobody registered, or of a class that is no page object, ends the list.
TEST_F(PageRecordTest, AForeignClassInTheListKeepsTheObjectsBeforeItAndAFreshPage)
{
    view.GetPageObject()->SetScrollWidth(999);
    const Bytes stored = StoreBytes([&](CArchive& ar) { view.Serialize(ar); });
    const Bytes reference = Concat({Dword(0), Word(0x8001)});
    CHyperViewOb strayPage;
    const Bytes foreign[] = {NewClassObject("CNoSuchOb", 1, {}), NewClassObject("CHyperViewOb", 0, Stored(strayPage))};
    for (const Bytes& entry : foreign) {
        // The second entry becomes the foreign one.
        Bytes damaged = stored;
        auto at = std::search(damaged.begin(), damaged.end(), reference.begin(), reference.end());
        ASSERT_NE(at, damaged.end());
        const Bytes replacement = Concat({Dword(0), entry});
        damaged.erase(at, at + static_cast<long>(reference.size()));
        damaged.insert(at, replacement.begin(), replacement.end());
        CTestPageView loaded;
        LoadBytes(damaged, [&](CArchive& ar) { loaded.Serialize(ar); });
        EXPECT_TRUE(loaded.LoadWasIncomplete());
        ASSERT_EQ(loaded.GetObjectCount(), 1);
        EXPECT_EQ(loaded.GetObjectAtIndex(0)->Code, "Top");
        ASSERT_NE(loaded.GetPageObject(), nullptr);
        EXPECT_EQ(loaded.GetPageObject()->GetScrollWidth(), 650);
    }
}

TEST_F(PageRecordTest, EveryTruncationLoadsWithoutAFaultAndSaysSo)
{
    const Bytes stored = StoreBytes([&](CArchive& ar) { view.Serialize(ar); });
    for (size_t size = 0; size < stored.size(); size += 7) {
        CTestPageView loaded;
        const Bytes part(stored.begin(), stored.begin() + static_cast<long>(size));
        try {
            LoadBytes(part, [&](CArchive& ar) { loaded.Serialize(ar); });
            EXPECT_TRUE(loaded.LoadWasIncomplete()) << size;
            EXPECT_NE(loaded.GetPageObject(), nullptr) << size;
        } catch (CException* e) {
            // The fields before the objects are read by the archive itself.
            e->Delete();
        }
    }
}

// A record that names an object of the page twice must not give it two owners.
TEST_F(PageRecordTest, AnObjectReferencedTwiceIsNotTakenTwice)
{
    Bytes stored = StoreBytes([&](CArchive& ar) { view.Serialize(ar); });
    const Bytes reference = Concat({Dword(0), Word(0x8001)});
    auto at = std::search(stored.begin(), stored.end(), reference.begin(), reference.end());
    ASSERT_NE(at, stored.end());
    // Object index 2 is the first object read: the second entry points back at it.
    stored.erase(at + 4, stored.end());
    const Bytes back = Word(0x0002);
    stored.insert(stored.end(), back.begin(), back.end());
    CTestPageView loaded;
    LoadBytes(stored, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_TRUE(loaded.LoadWasIncomplete());
    EXPECT_EQ(loaded.GetObjectCount(), 1);
}

} // namespace
