#include "imaging/TransparentDraw.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/tests/Canvas.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);

// 2 x 2 device bitmap. Top row: red, grey; bottom row: blue, black.
class TransparentDrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CDC screen;
        screen.Attach(::GetDC(nullptr));
        bitmap.CreateCompatibleBitmap(&screen, 2, 2);
        ::ReleaseDC(nullptr, screen.Detach());
        CDC memory;
        memory.CreateCompatibleDC(nullptr);
        CBitmap* old = memory.SelectObject(&bitmap);
        memory.SetPixel(0, 0, RGB(255, 0, 0));
        memory.SetPixel(1, 0, kGrey);
        memory.SetPixel(0, 1, RGB(0, 0, 255));
        memory.SetPixel(1, 1, RGB(0, 0, 0));
        memory.SelectObject(old);
    }
    std::string Draw(int width, int height, POINT at, CSize target, COLORREF key, BOOL tile)
    {
        Canvas canvas(width, height, RGB(0, 255, 0));
        CSize source(2, 2);
        DrawBitmapTransparent(&bitmap, &at, &source, &target, key, &canvas.dc, tile);
        return canvas.Art();
    }
    CBitmap bitmap;
};

TEST_F(TransparentDrawTest, KeyColourLetsTheBackgroundThrough)
{
    struct Case {
        const char* name;
        POINT at;
        CSize target;
        COLORREF key;
        BOOL tile;
        const char* art;
    };
    const Case cases[] = {
        {"plain", {1, 0}, {2, 2}, kNoKeyColour, FALSE, "gr?g\ngb#g\ngggg\ngggg\n"},
        {"keyed", {1, 0}, {2, 2}, kGrey, FALSE, "grgg\ngb#g\ngggg\ngggg\n"},
        {"keyed and stretched", {0, 0}, {4, 4}, kGrey, FALSE, "rrgg\nrrgg\nbb##\nbb##\n"},
        {"plain stretched", {0, 0}, {4, 2}, kNoKeyColour, FALSE, "rr??\nbb##\ngggg\ngggg\n"},
        {"tiled", {1, 1}, {2, 2}, kNoKeyColour, TRUE, "#b#b\n?r?r\n#b#b\n?r?r\n"},
        {"tiled and keyed", {1, 1}, {2, 2}, kGrey, TRUE, "#b#b\ngrgr\n#b#b\ngrgr\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.art, Draw(4, 4, c.at, c.target, c.key, c.tile)) << c.name;
}

// Keyed copies off the canvas, through a clip of two parts and on moved or scaled mappings.
TEST_F(TransparentDrawTest, KeyedCopiesKeepTheirPixelsWhereverTheyLand)
{
    struct Case {
        const char* name;
        POINT at;
        CSize target;
        COLORREF key;
        int mapping;  // 0 none, 1 origin moved by (1, 1), 2 doubled, 3 clip of rows 0 and 2 to 3
        const char* art;
    };
    const Case cases[] = {
        {"partly off the top left", {-1, -1}, {2, 2}, kGrey, 0, "#ggg\ngggg\ngggg\ngggg\n"},
        {"partly off the bottom right", {3, 3}, {2, 2}, kGrey, 0, "gggg\ngggg\ngggg\ngggr\n"},
        {"black is the key", {1, 1}, {2, 2}, RGB(0, 0, 0), 0, "gggg\ngr?g\ngbgg\ngggg\n"},
        {"a key the picture lacks", {1, 1}, {2, 2}, RGB(1, 2, 3), 0, "gggg\ngr?g\ngb#g\ngggg\n"},
        {"shrunk", {1, 1}, {1, 1}, kGrey, 0, "gggg\ng#gg\ngggg\ngggg\n"},
        {"stretched wide", {0, 1}, {4, 1}, kGrey, 0, "gggg\nbb##\ngggg\ngggg\n"},
        {"origin moved", {0, 0}, {2, 2}, kGrey, 1, "gggg\ngrgg\ngb#g\ngggg\n"},
        {"doubled by the mapping", {0, 0}, {2, 2}, kGrey, 2, "rggg\nb#gg\ngggg\ngggg\n"},
        {"clip of two parts", {1, 0}, {3, 4}, kGrey, 3, "grgg\ngggg\ngb##\ngb##\n"},
    };
    for (const Case& c : cases) {
        Canvas canvas(4, 4, RGB(0, 255, 0));
        if (c.mapping == 1)
            canvas.dc.SetViewportOrg(1, 1);
        if (c.mapping == 2) {
            canvas.dc.SetMapMode(MM_ANISOTROPIC);
            canvas.dc.SetWindowExt(1, 1);
            canvas.dc.SetViewportExt(2, 2);
        }
        if (c.mapping == 3)
            canvas.ClipToTwoParts({0, 0, 4, 1}, {0, 2, 4, 4});
        POINT at = c.at;
        CSize source(2, 2), target = c.target;
        DrawBitmapTransparent(&bitmap, &at, &source, &target, c.key, &canvas.dc, FALSE);
        EXPECT_EQ(c.art, canvas.Art()) << c.name;
    }
}

TEST_F(TransparentDrawTest, MissingArgumentsDrawNothing)
{
    Canvas canvas(2, 2, RGB(0, 255, 0));
    POINT at{0, 0};
    CSize size(2, 2);
    DrawBitmapTransparent(nullptr, &at, &size, &size, kGrey, &canvas.dc, FALSE);
    DrawBitmapTransparent(&bitmap, nullptr, &size, &size, kGrey, &canvas.dc, FALSE);
    EXPECT_EQ("gg\ngg\n", canvas.Art());
}

}  // namespace
