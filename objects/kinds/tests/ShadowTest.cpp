#include "objects/kinds/BitmapShadowOb.h"
#include "objects/kinds/DisplayDepth.h"
#include "objects/kinds/ShadowPixels.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/kinds/tests/PictureKit.h"
#include "objects/PropColor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);

Bytes Dword(DWORD v)
{
    return {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
}

Bytes ShadowRecord(CSoftShadowOb& shadow)
{
    return StoreBytes([&](CArchive& ar) { shadow.Serialize(ar); });
}

TEST(SoftShadowRecord, IsVersion2WithTenDwords)
{
    CSoftShadowOb shadow;
    shadow.OffsetX = -6;
    shadow.Soft = 1;
    shadow.InflateY = 2;
    EXPECT_EQ(ShadowRecord(shadow), Concat({
        {0x02, 0xCD, 0xCD, 0xBA},                              // tag, version 2
        Dword(0xFFFFFFFA), Dword(0),                           // offset
        Dword(4), Dword(4),                                    // blur
        Dword(0), Dword(2),                                    // inflation
        Dword(0x808080), Dword(100), Dword(0xFFFFFFFF), Dword(1), // colour, opacity, back colour, soft
    }));
}

TEST(SoftShadowRecord, OlderRecordsLackBackColourAndSoft)
{
    const Bytes common = Concat({Dword(3), Dword(5), Dword(2), Dword(2), Dword(0), Dword(0), Dword(0x112233), Dword(50)});
    const struct {
        Bytes record;
        COLORREF back;
        LONG soft;
    } cases[] = {
        {common, static_cast<COLORREF>(-1), 0},
        {Concat({{0x01, 0xCD, 0xCD, 0xBA}, common, Dword(0x00FF00)}), 0x00FF00, 0},
        {Concat({{0x02, 0xCD, 0xCD, 0xBA}, common, Dword(0x00FF00), Dword(1)}), 0x00FF00, 1},
    };
    for (const auto& c : cases) {
        CSoftShadowOb shadow;
        shadow.BackColor = 7;
        shadow.Soft = 7;
        EXPECT_EQ(LoadBytes(c.record, [&](CArchive& ar) { shadow.Serialize(ar); }), c.record.size());
        EXPECT_EQ(shadow.OffsetX, 3);
        EXPECT_EQ(shadow.OffsetY, 5);
        EXPECT_EQ(shadow.Color, 0x112233u);
        EXPECT_EQ(shadow.Opacity, 50);
        EXPECT_EQ(shadow.BackColor, c.back);
        EXPECT_EQ(shadow.Soft, c.soft);
    }
}

TEST(SoftShadowRecord, TheShadowedBitmapAppendsItToTheBitmapRecord)
{
    CTestPageView view;
    CBitmapShadowOb object;
    CRect rect(0, 0, 10, 10);
    object.Init(view, &rect, FALSE);
    object.GetShadow().OffsetY = 6;
    const Bytes bitmapPart = StoreBytes([&](CArchive& ar) { object.CBitmapOb::Serialize(ar); });
    const Bytes bytes = Stored(object);
    EXPECT_EQ(bytes, Concat({bitmapPart, ShadowRecord(object.GetShadow())}));
    CBitmapShadowOb loaded;
    loaded.Init(view, nullptr, FALSE);
    EXPECT_EQ(LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }), bytes.size());
    EXPECT_EQ(loaded.GetShadow().OffsetY, 6);
    ExpectCutRecordsFail(object, {1, 4, 40});
}

TEST(ShadowParameters, BlurAndOpacityAreClampedAtTheNextLayout)
{
    const struct {
        LONG blur, opacity;
        LONG blurAfter, opacityAfter;
    } cases[] = {{0, 150, 1, 100}, {-3, -5, 1, 0}, {1, 0, 1, 0}, {5, 40, 5, 40}};
    CTestPageView view;
    for (const auto& c : cases) {
        CBitmapShadowOb object;
        object.Init(view, nullptr, FALSE);
        object.GetShadow().BlurX = c.blur;
        object.GetShadow().BlurY = c.blur;
        object.GetShadow().Opacity = c.opacity;
        object.UpdateLayout(FALSE, FALSE);
        EXPECT_EQ(object.GetShadow().BlurX, c.blurAfter) << c.blur;
        EXPECT_EQ(object.GetShadow().BlurY, c.blurAfter) << c.blur;
        EXPECT_EQ(object.GetShadow().Opacity, c.opacityAfter) << c.opacity;
        EXPECT_FALSE(object.HasShadowBitmap());
    }
}

TEST(ShadowParameters, ThePaletteDisplayOffersNoBlurEditors)
{
    CTestPageView view;
    CBitmapShadowOb object;
    object.Init(view, nullptr, FALSE);
    for (int bits : {32, 8}) {
        static int depth;
        depth = bits;
        SetDisplayDepthQuery([] { return depth; });
        CPropObArray list;
        object.CollectProperties(list, TRUE);
        std::vector<UINT> ids = PropertyNameIds(list);
        const std::vector<UINT> tail(ids.end() - (bits == 32 ? 7 : 4), ids.end());
        const std::vector<UINT> expected = bits == 32 ? std::vector<UINT> {20120, 20121, 20122, 20102, 20123, 20124, 20125}
                                                      : std::vector<UINT> {20120, 20121, 20122, 20102};
        EXPECT_EQ(tail, expected) << bits;
        auto* back = FindProperty<CPropColor>(list, CSoftShadowOb::BackColorId);
        ASSERT_TRUE(back);
        EXPECT_EQ(dynamic_cast<CPropCustColor*>(back) != nullptr, bits == 32) << bits;
    }
    SetDisplayDepthQuery(nullptr);
}

TEST(ShadowPixels, TheBlendMixesTheColourByTheMasksRedByteAndTheOpacity)
{
    const struct {
        BYTE maskRed;
        float opacity;
        BYTE expected[3];
    } cases[] = {
        {255, 1.0f, {0x30, 0x20, 0x10}},
        {0, 1.0f, {200, 100, 50}},
        {255, 0.0f, {200, 100, 50}},
        // a = 0.5019608: 200 * 0.498 + 0.502 * 48 = 123.7, 100 * 0.498 + 16.06 = 65.86, 50 * 0.498 + 8.03 = 32.93
        {128, 1.0f, {123, 65, 32}},
        // a = 0.25: 150 + 12, 75 + 8, 37.5 + 4
        {255, 0.25f, {162, 83, 41}},
    };
    for (const auto& c : cases) {
        BYTE background[3] = {200, 100, 50};
        const BYTE mask[3] = {0, 0, c.maskRed};
        BlendShadowColor(background, mask, 1, RGB(0x10, 0x20, 0x30), c.opacity);
        EXPECT_EQ(background[0], c.expected[0]) << int(c.maskRed) << " " << c.opacity;
        EXPECT_EQ(background[1], c.expected[1]) << int(c.maskRed) << " " << c.opacity;
        EXPECT_EQ(background[2], c.expected[2]) << int(c.maskRed) << " " << c.opacity;
    }
}

// A shadowed 20 x 20 red bitmap at (20, 20) on a white 60 x 60 canvas, black shadow over a
// white background.
class ShadowPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakePlainPicture(picture, 20, 20, Red);
        CRect rect(20, 20, 40, 40);
        object.Init(view, &rect, FALSE);
        object.Layout = CBitmapOb::LayoutStretch;
        object.SetPicture(&picture);
        object.GetShadow().Color = Black;
        object.GetShadow().BackColor = White;
    }
    void TearDown() override { SetDisplayDepthQuery(nullptr); }
    void Draw()
    {
        object.UpdateLayout(TRUE, FALSE);
        canvas.dc.FillSolidRect(0, 0, 60, 60, White);
        object.Draw(&canvas.dc);
    }
    int Grey(int x, int y) const { return GetRValue(canvas.Pixel(x, y)); }

    CTestPageView view;
    CExtDib picture;
    CBitmapShadowOb object;
    Canvas canvas {60, 60};
};

TEST_F(ShadowPaint, ANewShadowedBitmapShowsNoShadow)
{
    Draw();
    EXPECT_EQ(canvas.Ink(), CRect(20, 20, 40, 40));
    EXPECT_FALSE(object.HasShadowBitmap());
}

TEST_F(ShadowPaint, SoftWithoutOffsetIsABlurredHaloAroundTheObject)
{
    object.GetShadow().Soft = 1;
    Draw();
    EXPECT_EQ(canvas.Count(Red), 400);
    // The box of twice the blur reaches the blur beyond the object on one side of each axis
    // and one less on the other (rows run bottom-up in the mask).
    EXPECT_EQ(canvas.Ink(), CRect(17, 16, 44, 43));
    for (int d = 1; d <= 3; ++d) {
        // Greys lighten away from the object, alike on opposite sides one pixel apart.
        EXPECT_LT(Grey(20 - d, 30), Grey(20 - d - 1, 30)) << d;
        EXPECT_EQ(canvas.Pixel(20 - d, 30), canvas.Pixel(40 + d, 30)) << d;
        EXPECT_EQ(canvas.Pixel(30, 19 - d), canvas.Pixel(30, 39 + d)) << d;
        EXPECT_EQ(GetGValue(canvas.Pixel(20 - d, 30)), Grey(20 - d, 30)) << "a grey";
    }
}

TEST_F(ShadowPaint, OpacityZeroLeavesOnlyTheShadowBackground)
{
    object.GetShadow().Soft = 1;
    object.GetShadow().Opacity = -5;
    object.GetShadow().BackColor = Green;
    Draw();
    EXPECT_EQ(object.GetShadow().Opacity, 0);
    EXPECT_EQ(canvas.Pixel(18, 30), Green);
    EXPECT_EQ(canvas.Pixel(41, 41), Green);
    EXPECT_EQ(canvas.Count(Red) + canvas.Count(Green) + canvas.Count(White), 3600);
}

TEST_F(ShadowPaint, OnlyOpaquePixelsOfAKeyedPictureCastAShadow)
{
    // Left half keyed out; the shadow lies 10 to the right and 10 down.
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            pixels.push_back(x < 10 ? Green : Red);
    MakePicture(picture, 20, 20, pixels);
    picture.m_colour = Green;
    object.SetPicture(&picture);
    object.GetShadow().OffsetX = 10;
    object.GetShadow().OffsetY = 10;
    Draw();
    EXPECT_EQ(canvas.Count(Green), 0);
    // Below the keyed half: under the red half's shadow only.
    EXPECT_EQ(canvas.Pixel(31, 45), White);
    EXPECT_LT(Grey(45, 45), 64);
    // Through the keyed half of a transparent object the shadow would show; here none lies there.
    EXPECT_EQ(canvas.Pixel(25, 25), White);
}

TEST_F(ShadowPaint, AnOpaqueObjectKeepsTheShadowOutOfItsRectangle)
{
    std::vector<COLORREF> pixels(400, Red);
    for (int i = 0; i < 400; i += 20)
        pixels[static_cast<size_t>(i)] = Green;
    MakePicture(picture, 20, 20, pixels);
    picture.m_colour = Green;
    object.SetPicture(&picture);
    object.GetShadow().Soft = 1;
    object.GetShadow().BlurX = object.GetShadow().BlurY = 2;
    object.GetShadow().InflateX = 4;
    for (COLORREF back : {static_cast<COLORREF>(-1), White}) {
        object.BackColor = back;
        Draw();
        // The keyed column at the left edge shows what lies below the picture.
        const bool throughShadow = back == static_cast<COLORREF>(-1);
        EXPECT_EQ(canvas.Pixel(20, 30) != White, throughShadow) << std::hex << back;
    }
}

TEST_F(ShadowPaint, APaletteDisplayDrawsTheSharpFootprintAndKeepsTheBlur)
{
    SetDisplayDepthQuery([] { return 8; });
    object.GetShadow().BlurX = 0;
    object.GetShadow().OffsetX = 5;
    object.GetShadow().OffsetY = 5;
    Draw();
    EXPECT_EQ(object.GetShadow().BlurX, 0);
    EXPECT_EQ(canvas.Count(Red) + canvas.Count(Black) + canvas.Count(White), 3600);
    EXPECT_EQ(canvas.Ink(), CRect(20, 20, 45, 45));
    // The 20 x 20 shadow less the 15 x 15 the picture covers.
    EXPECT_EQ(canvas.Count(Black), 400 - 225);
}

TEST_F(ShadowPaint, TheUpdateRectangleTakesInTheShadow)
{
    object.GetShadow().OffsetX = 6;
    object.GetShadow().OffsetY = -6;
    object.UpdateLayout(FALSE, FALSE);
    CRect update;
    object.GetUpdateRect(&update, nullptr);
    EXPECT_LE(update.left, 20);
    EXPECT_LE(update.top, 20 - 6 - 4);
    EXPECT_GE(update.right, 40 + 6 + 4);
    EXPECT_GE(update.bottom, 40);
}

}
