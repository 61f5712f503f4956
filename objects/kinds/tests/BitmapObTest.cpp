#include "objects/kinds/BitmapOb.h"
#include "objects/kinds/PropBitmap.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/kinds/tests/PictureKit.h"
#include "objects/PropCombo.h"
#include "objects/tests/PageTestKit.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF White = RGB(255, 255, 255);

// A bitmap object at (10, 10, 50, 40) on the page with a 4 x 2 picture: red left half,
// blue right half.
class BitmapRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRect rect(10, 10, 50, 40);
        object.Init(view, &rect, FALSE);
        object.BackColor = RGB(1, 2, 3);
        object.Layout = CBitmapOb::LayoutStretch;
        MakePicture(picture, 4, 2, {Red, Red, Blue, Blue, Red, Red, Blue, Blue});
        object.SetPicture(&picture);
    }
    Bytes BaseRecord() { return StoreBytes([&](CArchive& ar) { object.CHyperOb::Serialize(ar); }); }
    Bytes PictureRecord(BOOL withImage)
    {
        return StoreBytes([&](CArchive& ar) { const_cast<CExtDib&>(object.GetPicture()).SerializeEx(ar, withImage); });
    }
    void Reload(const Bytes& bytes, CBitmapOb& into)
    {
        into.Init(view, nullptr, FALSE);
        EXPECT_EQ(LoadBytes(bytes, [&](CArchive& ar) { into.Serialize(ar); }), bytes.size());
    }

    CTestPageView view;
    CBitmapOb object;
    CExtDib picture;
};

const Bytes Tags = {0x00, 0xCD, 0xCD, 0xBA, 0x01, 0xCD, 0xCD, 0xBA};
const Bytes BackColour = {1, 2, 3, 0};
const Bytes StretchLayout = {8, 0, 0, 0};

Bytes Dword(DWORD v)
{
    return {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
}

TEST_F(BitmapRecord, AnEmbeddedPictureIsStoredAsAJpegCopyAtQuality100)
{
    Bytes bytes = Stored(object);
    ASSERT_TRUE(object.GetJpegCopy().has_value());
    const std::vector<BYTE>& jpeg = *object.GetJpegCopy();
    ASSERT_GT(jpeg.size(), 4u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9);
    EXPECT_EQ(bytes, Concat({BaseRecord(), Tags, BackColour, Dword(1), PictureRecord(FALSE),
                             Dword(static_cast<DWORD>(jpeg.size())), Bytes(jpeg.begin(), jpeg.end()), StretchLayout}));
}

TEST_F(BitmapRecord, TheJpegCopyReadsBackWithinJpegTolerance)
{
    Bytes bytes = Stored(object);
    CBitmapOb loaded;
    Reload(bytes, loaded);
    EXPECT_EQ(loaded.BackColor, RGB(1, 2, 3));
    EXPECT_EQ(loaded.Layout, CBitmapOb::LayoutStretch);
    EXPECT_EQ(loaded.GetPicture().m_kind, CExtDib::Embedded);
    ASSERT_EQ(loaded.GetPicture().GetDimensions(), CSize(4, 2));
    EXPECT_EQ(*loaded.GetJpegCopy(), *object.GetJpegCopy());
    Canvas canvas(4, 2);
    loaded.GetPicture().Draw(&canvas.dc, 0, 0);
    for (int y = 0; y < 2; ++y) {
        EXPECT_TRUE(IsNear(canvas.Pixel(0, y), Red)) << std::hex << canvas.Pixel(0, y);
        EXPECT_TRUE(IsNear(canvas.Pixel(3, y), Blue)) << std::hex << canvas.Pixel(3, y);
    }
    // Saved again, the kept copy is written unchanged.
    EXPECT_EQ(Stored(loaded), bytes);
}

TEST_F(BitmapRecord, LinkedPicturesAndTransparentOnesKeepTheirOwnPixelForm)
{
    CExtDib linked;
    linked.m_kind = CExtDib::Linked;
    linked.m_name = "missing.bmp";
    object.SetPicture(&linked);
    EXPECT_EQ(Stored(object), Concat({BaseRecord(), Tags, BackColour, Dword(0), PictureRecord(TRUE), StretchLayout}));
    EXPECT_FALSE(object.GetJpegCopy().has_value());

    picture.m_colour = Blue;
    object.SetPicture(&picture);
    Bytes bytes = Stored(object);
    EXPECT_EQ(bytes, Concat({BaseRecord(), Tags, BackColour, Dword(0), PictureRecord(TRUE), StretchLayout}));
    CBitmapOb loaded;
    Reload(bytes, loaded);
    EXPECT_TRUE(loaded.GetPicture().IsEqual(picture));
}

TEST_F(BitmapRecord, ARecordWithoutTagsIsBackColourPictureAndLayout)
{
    Bytes old = Concat({BaseRecord(), BackColour, PictureRecord(TRUE), StretchLayout});
    CBitmapOb loaded;
    Reload(old, loaded);
    EXPECT_EQ(loaded.BackColor, RGB(1, 2, 3));
    EXPECT_EQ(loaded.Layout, CBitmapOb::LayoutStretch);
    EXPECT_TRUE(loaded.GetPicture().IsEqual(picture));
    EXPECT_FALSE(loaded.GetJpegCopy().has_value());
}

TEST_F(BitmapRecord, AnEmptyOrBrokenJpegLeavesThePictureWithoutPixels)
{
    const Bytes broken = {0xFF, 0xD8, 0x00, 0x01, 0x02};
    for (const Bytes& jpeg : {Bytes {}, broken}) {
        Bytes record = Concat({BaseRecord(), Tags, BackColour, Dword(1), PictureRecord(FALSE),
                               Dword(static_cast<DWORD>(jpeg.size())), jpeg, StretchLayout});
        CBitmapOb loaded;
        Reload(record, loaded);
        EXPECT_EQ(loaded.GetPicture().m_kind, CExtDib::Embedded);
        EXPECT_EQ(loaded.GetPicture().GetSize(), 0u);
        EXPECT_EQ(loaded.Layout, CBitmapOb::LayoutStretch);
        // Drawing a picture without pixels draws nothing and does not fail.
        Canvas canvas(60, 60);
        loaded.Draw(&canvas.dc);
    }
}

TEST_F(BitmapRecord, CutRecordsAndAnOverstatedJpegSizeFail)
{
    ExpectCutRecordsFail(object, {1, 4, 5, 20});
    Bytes huge = Concat({BaseRecord(), Tags, BackColour, Dword(1), PictureRecord(FALSE), Dword(0x7FFFFFF0), {1, 2}});
    CBitmapOb loaded;
    EXPECT_TRUE(LoadThrowsArchiveException(huge, [&](CArchive& ar) { loaded.Serialize(ar); }));
}

TEST_F(BitmapRecord, ReplacingThePictureDropsTheJpegCopy)
{
    Stored(object);
    ASSERT_TRUE(object.GetJpegCopy().has_value());
    CExtDib other;
    MakePlainPicture(other, 3, 3, White);
    object.SetPicture(&other);
    EXPECT_FALSE(object.GetJpegCopy().has_value());
    CBitmapOb saved;
    Reload(Stored(object), saved);
    EXPECT_EQ(saved.GetPicture().GetDimensions(), CSize(3, 3));
    CBitmapOb copy;
    copy.Init(view, nullptr, FALSE);
    Stored(copy);
    copy.CopyFrom(&object);
    EXPECT_FALSE(copy.GetJpegCopy().has_value());
    EXPECT_TRUE(copy.GetPicture().IsEqual(other));
    EXPECT_EQ(copy.Layout, CBitmapOb::LayoutStretch);
}

// The picture editor of the properties writes straight into the object: a picture edited there
// must be what the document saves, not the compressed copy of the old one.
TEST_F(BitmapRecord, APictureAppliedFromItsEditorIsSavedInsteadOfTheOldCopy)
{
    Stored(object);
    ASSERT_TRUE(object.GetJpegCopy().has_value());
    CObArray list;
    object.CollectProperties(list, TRUE);
    auto* editor = FindProperty<CPropBitmap>(list, CBitmapOb::BitmapId);
    ASSERT_TRUE(editor);
    editor->Apply();
    EXPECT_TRUE(object.GetJpegCopy().has_value()) << "an unchanged picture keeps its copy";
    MakePlainPicture(editor->m_edited, 3, 3, White);
    editor->Apply();
    EXPECT_FALSE(object.GetJpegCopy().has_value());
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        delete list[i];
    CBitmapOb saved;
    Reload(Stored(object), saved);
    EXPECT_EQ(saved.GetPicture().GetDimensions(), CSize(3, 3));
}

TEST(BitmapObject, SizeToFitTakesThePictureSizeUnlessTurned)
{
    CTestPageView view;
    CExtDib picture;
    MakePlainPicture(picture, 100, 60, Red);
    for (double angle : {0.0, 30.0}) {
        CBitmapOb object;
        CRect rect(10, 20, 40, 30);
        object.Init(view, &rect, FALSE);
        object.SetRotateAngle(angle);
        object.SetPicture(&picture);
        object.UpdateLayout(TRUE, FALSE);
        CRect now;
        object.GetRect(&now, nullptr);
        if (angle == 0.0)
            EXPECT_EQ(now, CRect(10, 20, 110, 80));
        else
            EXPECT_LT(now.Width(), 40);
    }
}

TEST(BitmapObject, TheBitmapPropertyNamesOnlyLinkedPictures)
{
    CTestPageView view;
    CBitmapOb object;
    object.Init(view, nullptr, FALSE);
    CExtDib picture;
    MakePlainPicture(picture, 2, 2, Red);
    object.SetPicture(&picture);
    EXPECT_EQ(object.GetBitmap(), CString());
    object.SetBitmap("");
    EXPECT_EQ(object.GetPicture().m_kind, CExtDib::None);
    EXPECT_EQ(object.GetPicture().m_name, CString());
    object.SetBitmap("no-such-picture.png");
    EXPECT_EQ(object.GetBitmap(), CString("no-such-picture.png"));
    EXPECT_EQ(object.GetPicture().GetSize(), 0u);
}

TEST(BitmapObject, ALinkedPictureIsStoredByNameAndLoadedFromItsFile)
{
    const std::string path = ::testing::TempDir() + "linked-picture.bmp";
    const std::vector<BYTE> file = BitmapFile(2, 1, {Red, Blue});
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                 static_cast<std::streamsize>(file.size()));
    CTestPageView view;
    CBitmapOb object;
    object.Init(view, nullptr, FALSE);
    object.SetBitmap(path.c_str());
    EXPECT_EQ(object.GetBitmap(), CString(path.c_str()));
    EXPECT_EQ(object.GetPicture().GetDimensions(), CSize(2, 1));
    const Bytes bytes = Stored(object);
    EXPECT_FALSE(object.GetJpegCopy().has_value());
    // Flag 0, then the picture's record, which names the file and holds no pixels, and the layout.
    CExtDib& picture = const_cast<CExtDib&>(object.GetPicture());
    const Bytes named = StoreBytes([&](CArchive& ar) { picture.SerializeEx(ar, FALSE); });
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { picture.SerializeEx(ar, TRUE); }), named);
    const Bytes tail = Concat({Bytes {0, 0, 0, 0}, named, Bytes {255, 0, 0, 0}});
    EXPECT_TRUE(std::equal(tail.rbegin(), tail.rend(), bytes.rbegin()));
    CBitmapOb loaded;
    loaded.Init(view, nullptr, FALSE);
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_TRUE(loaded.GetPicture().IsEqual(object.GetPicture()));
}

TEST(BitmapObject, EditorsForPictureAndLayout)
{
    CTestPageView view;
    CBitmapOb object;
    object.Init(view, nullptr, FALSE);
    CObArray list;
    object.CollectProperties(list, TRUE);
    std::unique_ptr<CPropBitmap> bitmap(FindProperty<CPropBitmap>(list, CBitmapOb::BitmapId));
    auto* layout = FindProperty<CPropCombo>(list, CBitmapOb::LayoutId);
    ASSERT_TRUE(bitmap && layout);
    EXPECT_EQ(PropertyNameIds(list).back(), CBitmapOb::LayoutId);
    CString text;
    ASSERT_TRUE(layout->GetValueText(text));
    EXPECT_EQ(text, CString("4 - <Size To Fit>"));

    CExtDib picture;
    MakePlainPicture(picture, 2, 2, Red);
    bitmap->m_edited.CopyFrom(picture);
    bitmap->Apply();
    EXPECT_TRUE(object.GetPicture().IsEqual(picture));
    bitmap->Restore();
    EXPECT_EQ(object.GetPicture().m_kind, CExtDib::None);
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (list[i] != bitmap.get())
            delete list[i];
}

}
