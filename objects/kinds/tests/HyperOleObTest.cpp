// The OLE object: its record in every version, its item's extent, copies and swaps.
#include "objects/kinds/HyperOleItem.h"
#include "objects/kinds/HyperOleOb.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/tests/PageTestKit.h"

#include "platform/ui/tests/BmpBytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

namespace fs = std::filesystem;

Bytes Dword(DWORD v)
{
    return {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
}

class HyperOleObTest : public ::testing::Test {
protected:
    fs::path file = fs::temp_directory_path() / "ole-object-test-blue.bmp";
    Bytes picture = SolidBmp(40, 30, RGB(0, 0, 255));

    void SetUp() override
    {
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(picture.data()),
                                                     std::streamsize(picture.size()));
    }
    void TearDown() override { fs::remove(file); }

    // An object at (100, 100) holding the picture as its item.
    void Embed(CHyperOleOb& object)
    {
        object.SetRect(CRect(100, 100, 120, 150));
        auto* item = new CHyperOleItem(nullptr, &object);
        ASSERT_TRUE(item->CreateFromFile(file.c_str()));
        object.SetOleItem(item);
    }
    Bytes ItemRecord(CHyperOleOb& object)
    {
        return StoreBytes([&](CArchive& ar) { ar.WriteObject(object.GetOleItem()); });
    }
};

TEST_F(HyperOleObTest, StoresTagItemVerbsColourAndTexts)
{
    CHyperOleOb object;
    ASSERT_NO_FATAL_FAILURE(Embed(object));
    object.DoVerbs = 0;
    object.BackColor = RGB(1, 2, 3);
    object.TypeName = "Bitmap Image";
    object.SecondText = "x";
    Bytes bytes = StoreBytes([&](CArchive& ar) { object.Serialize(ar); });
    Bytes base = StoreBytes([&](CArchive& ar) { object.CHyperOb::Serialize(ar); });
    Bytes expected = Concat({base, Dword(0xBACDCD01), ItemRecord(object), Dword(0), Dword(RGB(1, 2, 3)),
                             Bytes{12}, Bytes{'B', 'i', 't', 'm', 'a', 'p', ' ', 'I', 'm', 'a', 'g', 'e'},
                             Bytes{1, 'x'}});
    EXPECT_EQ(bytes, expected);

    CHyperOleOb back;
    EXPECT_EQ(LoadBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); }), bytes.size());
    ASSERT_NE(back.GetOleItem(), nullptr);
    EXPECT_EQ(back.GetOleItem()->GetFileData(), picture);
    EXPECT_EQ(back.GetOleItem()->GetOwner(), &back);
    EXPECT_EQ(back.DoVerbs, 0);
    EXPECT_EQ(back.BackColor, RGB(1, 2, 3));
    EXPECT_EQ(back.GetTypeName(), CString("Bitmap Image"));
    EXPECT_EQ(back.SecondText, CString("x"));
}

TEST_F(HyperOleObTest, EarlierRecordsReadWhatTheyHold)
{
    CHyperOleOb object;
    ASSERT_NO_FATAL_FAILURE(Embed(object));
    Bytes base = StoreBytes([&](CArchive& ar) { object.CHyperOb::Serialize(ar); });
    const struct {
        const char* name;
        Bytes record;
        COLORREF colour;
    } cases[] = {
        {"no tag", Concat({base, ItemRecord(object), Dword(1)}), CHyperOleOb().BackColor},
        {"version 0", Concat({base, Dword(0xBACDCD00), ItemRecord(object), Dword(1), Dword(RGB(9, 9, 9))}),
         RGB(9, 9, 9)},
    };
    for (const auto& c : cases) {
        CHyperOleOb back;
        EXPECT_EQ(LoadBytes(c.record, [&](CArchive& ar) { back.Serialize(ar); }), c.record.size()) << c.name;
        ASSERT_NE(back.GetOleItem(), nullptr) << c.name;
        EXPECT_EQ(back.BackColor, c.colour) << c.name;
        EXPECT_TRUE(back.TypeName.IsEmpty()) << c.name;
    }
    Bytes noItem = Concat({base, Dword(0xBACDCD01), Bytes{0, 0}, Dword(1), Dword(0), Bytes{0}, Bytes{0}});
    CHyperOleOb refused;
    EXPECT_TRUE(LoadThrowsArchiveException(noItem, [&](CArchive& ar) { refused.Serialize(ar); }));
}

TEST_F(HyperOleObTest, TheObjectTakesTheNaturalSizeOrScalesFromTheRememberedOne)
{
    CHyperOleOb object;
    ASSERT_NO_FATAL_FAILURE(Embed(object));
    CSize extent;
    ASSERT_TRUE(object.GetOleItem()->GetCachedExtent(&extent));
    EXPECT_TRUE(object.GetOleItem()->UpdateExtent());
    CRect rect;
    object.GetRect(&rect, nullptr);
    EXPECT_EQ(rect, CRect(100, 100, 100 + MulDiv(extent.cx, 10, 254), 100 + MulDiv(extent.cy, 10, 254)));

    object.SetRect(CRect(100, 100, 180, 160));
    object.GetOleItem()->SetExtent(extent.cx / 2, extent.cy / 2);
    EXPECT_TRUE(object.GetOleItem()->UpdateExtent());
    object.GetRect(&rect, nullptr);
    EXPECT_EQ(rect.Size(), CSize(MulDiv(80, extent.cx, extent.cx / 2), MulDiv(60, extent.cy, extent.cy / 2)));
    object.GetOleItem()->SetExtent(extent.cx, extent.cy);
    EXPECT_FALSE(object.GetOleItem()->UpdateExtent()) << "an unchanged size";
}

TEST_F(HyperOleObTest, CopiesGetTheirOwnItemAndSwapsExchangeOwners)
{
    CHyperOleOb object, copy, other;
    ASSERT_NO_FATAL_FAILURE(Embed(object));
    object.TypeName = "Picture";
    copy.CopyFrom(&object);
    ASSERT_NE(copy.GetOleItem(), nullptr);
    EXPECT_NE(copy.GetOleItem(), object.GetOleItem());
    EXPECT_EQ(copy.GetOleItem()->GetFileData(), picture);
    EXPECT_EQ(copy.TypeName, CString("Picture"));

    other.SetRect(CRect(0, 0, 5, 5));
    CHyperOleItem* mine = object.GetOleItem();
    EXPECT_TRUE(object.SwapOleState(&other));
    EXPECT_EQ(other.GetOleItem(), mine);
    EXPECT_EQ(mine->GetOwner(), &other);
    EXPECT_EQ(object.GetOleItem(), nullptr);
}

TEST_F(HyperOleObTest, AHotSpotOnlyWithVerbs)
{
    CHyperOleOb object;
    object.UpdateHotSpots();
    EXPECT_EQ(object.GetHotSpots().GetSize(), 1);
    object.DoVerbs = 0;
    object.UpdateHotSpots();
    EXPECT_EQ(object.GetHotSpots().GetSize(), 0);
}

TEST_F(HyperOleObTest, AutomationOffersDoVerbsAndANullX)
{
    CHyperOleOb object;
    DISPID id = 0;
    COleVariant x = GetProperty(object, "X", &id);
    EXPECT_EQ(id, -2);
    EXPECT_EQ(x.vt, VT_DISPATCH);
    EXPECT_EQ(x.pdispVal, nullptr);
    EXPECT_EQ(PutProperty(object, "DoVerbs", COleVariant(0L)), S_OK);
    EXPECT_EQ(object.DoVerbs, 0);
    EXPECT_NE(PutProperty(object, "X", COleVariant(0L)), S_OK);
}

// A page view that notes the menus objects ask for and frames the object it is told to.
class MenuPageView : public CTestPageView {
public:
    struct Shown {
        CHyperBaseOb* object;
        POINT at;
        UINT menu;
    };
    void ShowObjectMenu(CHyperBaseOb* object, POINT at, UINT menu) override { shown.push_back({object, at, menu}); }
    BOOL HasFocusFrame(const CHyperBaseOb* object) const override { return object == framed; }

    std::vector<Shown> shown;
    const CHyperBaseOb* framed = nullptr;
};

TEST(HyperOleObMenu, OnlyARightButtonPressShowsTheVerbMenuAtTheDevicePoint)
{
    MenuPageView view;
    view.zoom = 200;
    CHyperOleOb object;
    CRect rect(10, 10, 60, 40);
    object.Init(view, &rect, FALSE);
    for (UINT message : {0x201u, 0x202u, 0x203u, 0x205u, 0x200u})
        EXPECT_FALSE(object.TrackContextMenu(0, nullptr, 20, 30, message)) << message;
    EXPECT_TRUE(view.shown.empty());
    EXPECT_TRUE(object.TrackContextMenu(0, nullptr, 20, 30, 0x204));
    ASSERT_EQ(view.shown.size(), 1u);
    EXPECT_EQ(view.shown[0].object, &object);
    EXPECT_EQ(view.shown[0].at.x, 40);
    EXPECT_EQ(view.shown[0].at.y, 60);
    EXPECT_EQ(view.shown[0].menu, CHyperOleOb::VerbMenuId);
}

// A white object on (2, 2, 12, 10) of a grey canvas, without an item to draw.
TEST(HyperOleObPaint, TheFramedObjectInRunModeInvertsItsEdgesOnScreenOnly)
{
    constexpr COLORREF White = RGB(255, 255, 255), Black = RGB(0, 0, 0), Grey = RGB(128, 128, 128);
    const struct {
        const char* name;
        BOOL editMode;
        bool framed;
        BOOL printing;
        COLORREF edge;
    } cases[] = {
        {"run mode, framed", FALSE, true, FALSE, Black},
        {"edit mode", TRUE, true, FALSE, White},
        {"another object framed", FALSE, false, FALSE, White},
        {"printing", FALSE, true, TRUE, White},
    };
    for (const auto& c : cases) {
        MenuPageView view;
        view.editMode = c.editMode;
        CHyperOleOb object;
        CRect rect(2, 2, 12, 10);
        object.Init(view, &rect, FALSE);
        object.BackColor = White;
        view.framed = c.framed ? &object : nullptr;
        Canvas canvas{16, 14};
        canvas.dc.FillSolidRect(0, 0, 16, 14, Grey);
        canvas.dc.m_bPrinting = c.printing;
        object.Draw(&canvas.dc);
        ExpectPixels(canvas,
                     {{2, 2, c.edge}, {11, 2, c.edge}, {2, 9, c.edge}, {11, 9, c.edge}, {6, 2, c.edge},
                      {6, 9, c.edge}, {2, 5, c.edge}, {11, 5, c.edge}, {3, 3, White}, {6, 5, White},
                      {10, 8, White}, {1, 1, Grey}, {12, 10, Grey}},
                     c.name);
    }
}

} // namespace
