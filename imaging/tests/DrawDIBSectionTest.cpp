#include "BmpBytes.h"

#include "imaging/DrawDIBSection.h"
#include "piclib/common/PLAnyPicDecoder.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/tests/Canvas.h"

#include <gtest/gtest.h>

namespace {

// Bmp8 decoded: top row red, green, blue, white; bottom row white, blue, green, red.
class DrawDIBSectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const Bytes bytes = Bmp8();
        PLAnyPicDecoder decoder;
        decoder.MakeBmpFromMemory(bytes.data(), int(bytes.size()), &picture);
    }
    CDrawDIBSection picture;
};

TEST_F(DrawDIBSectionTest, EveryDrawingCallShowsThePicture)
{
    struct Case {
        const char* name;
        void (*draw)(CDrawDIBSection&, HDC);
        const char* art;
    };
    const Case cases[] = {
        {"draw", [](CDrawDIBSection& p, HDC dc) { p.Draw(dc, 1, 1); }, "......\n.rgb..\n..bgr.\n......\n"},
        {"stretch", [](CDrawDIBSection& p, HDC dc) { p.StretchDraw(dc, 0, 0, 4, 4); },
         "rgb...\nrgb...\n.bgr..\n.bgr..\n"},
        {"factor", [](CDrawDIBSection& p, HDC dc) { p.StretchDraw(dc, 0, 0, 0.5); }, "br....\n......\n......\n......\n"},
        {"extract", [](CDrawDIBSection& p, HDC dc) { p.DrawExtract(dc, POINT{4, 2}, RECT{0, 0, 2, 1}); },
         "......\n......\n....rg\n......\n"},
        {"blit", [](CDrawDIBSection& p, HDC dc) {
             RECT src{1, 0, 3, 2};
             p.DrawEx(dc, nullptr, &src, nullptr, FALSE, 0, SRCCOPY);
         }, ".gb...\n.bg...\n......\n......\n"},
    };
    for (const Case& c : cases) {
        Canvas canvas(6, 4);
        c.draw(picture, canvas.dc.GetSafeHdc());
        EXPECT_EQ(c.art, canvas.Art()) << c.name;
    }
}

TEST_F(DrawDIBSectionTest, PaletteComesFromTheColourTableOnce)
{
    HPALETTE palette = picture.GetPalette();
    ASSERT_NE(nullptr, palette);
    EXPECT_EQ(palette, picture.GetPalette());
    CPalette* wrapper = CPalette::FromHandle(palette);
    EXPECT_EQ(256, wrapper->GetEntryCount());
    PALETTEENTRY first{};
    wrapper->GetPaletteEntries(0, 1, &first);
    EXPECT_EQ(255, first.peRed);
    EXPECT_EQ(0, first.peBlue);
}

}  // namespace
