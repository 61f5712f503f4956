// The exact pixels of drawn text, in fonts, placements and clips that take different ways
// through the drawing code. A change of these pixels is a change users see on every page.
#include "Canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct TextCase {
    const char* name;
    const char* face;
    int height;
    int weight;
    bool italic;
    bool underline;
    UINT align;
    int bkMode;
    const char* text;
    POINT at;
    RECT clip;  // ETO_CLIPPED by it when not empty
    bool twoPartClip;  // the DC clipped to the rows above 6 and below 10
    const char* art;
};

// Draws the case on a 32 x 16 canvas; opaque text has a yellow background.
std::string Draw(const TextCase& c)
{
    LOGFONT lf{};
    lf.lfHeight = c.height;
    lf.lfWeight = c.weight;
    lf.lfItalic = c.italic;
    lf.lfUnderline = c.underline;
    std::strcpy(lf.lfFaceName, c.face);
    CFont font;
    font.CreateFontIndirect(&lf);
    Canvas canvas(32, 16);
    CFont* old = canvas.dc.SelectObject(&font);
    canvas.dc.SetTextAlign(c.align);
    canvas.dc.SetBkMode(c.bkMode);
    canvas.dc.SetBkColor(RGB(255, 255, 0));
    if (c.twoPartClip)
        canvas.ClipToTwoParts({0, 0, 32, 6}, {0, 10, 32, 16});
    const bool clipped = c.clip.right > c.clip.left;
    canvas.dc.ExtTextOut(c.at.x, c.at.y, clipped ? ETO_CLIPPED : 0, clipped ? &c.clip : nullptr, c.text,
                         UINT(std::strlen(c.text)), nullptr);
    canvas.dc.SelectObject(old);
    return canvas.Art();
}

TEST(TextPixels, TextDrawsTheseExactPixels)
{
    const TextCase cases[] = {
        {"sans", "Arial", -13, FW_NORMAL, false, false, TA_LEFT | TA_TOP, TRANSPARENT, "Ag", {2, 1}, {}, false,
         "................................\n"
         "................................\n"
         "................................\n"
         "................................\n"
         "......#.........................\n"
         ".....#.#........................\n"
         ".....#.#.....##.#...............\n"
         "....#...#...#..##...............\n"
         "....#...#...#...#...............\n"
         "....#####...#...#...............\n"
         "...#.....#..#...#...............\n"
         "...#.....#..#..##...............\n"
         "..#.......#..##.#...............\n"
         "................#...............\n"
         "............#...#...............\n"
         ".............###................\n"},
        {"serif bold italic", "Times New Roman", -14, FW_BOLD, true, false, TA_LEFT | TA_TOP, TRANSPARENT, "fj", {3, 0}, {}, false,
         "................................\n"
         "................................\n"
         "......###.##....................\n"
         ".....##.#.##....................\n"
         "....##..........................\n"
         "...########.....................\n"
         "....##...##.....................\n"
         "....##...##.....................\n"
         "....##...##.....................\n"
         "....##..##......................\n"
         "...##...##......................\n"
         "...##...##......................\n"
         "...##...##......................\n"
         "...##.#.##......................\n"
         "...##.###.......................\n"
         "................................\n"},
        {"mono underlined", "Courier New", -12, FW_NORMAL, false, true, TA_LEFT | TA_TOP, TRANSPARENT, "Wy", {1, 1}, {}, false,
         "................................\n"
         "................................\n"
         "................................\n"
         ".#.....#........................\n"
         ".#.....#.#...#..................\n"
         ".#..#..#.#...#..................\n"
         ".#..#..#..#.#...................\n"
         "..#.#.#...#.#...................\n"
         "..##.##....#....................\n"
         "..#...#....#....................\n"
         "..#...#....#....................\n"
         "..........#.....................\n"
         ".........#......................\n"
         ".##############.................\n"
         ".##############.................\n"
         "................................\n"},
        {"centred on the baseline", "Arial", -13, FW_NORMAL, false, false, TA_CENTER | TA_BASELINE, TRANSPARENT, "Hi!", {16, 12}, {}, false,
         "................................\n"
         "................................\n"
         "................................\n"
         "..........#.....#..#..#.........\n"
         "..........#.....#.....#.........\n"
         "..........#.....#..#..#.........\n"
         "..........#.....#..#..#.........\n"
         "..........#######..#..#.........\n"
         "..........#.....#..#..#.........\n"
         "..........#.....#..#..#.........\n"
         "..........#.....#..#............\n"
         "..........#.....#..#..#.........\n"
         "................................\n"
         "................................\n"
         "................................\n"
         "................................\n"},
        {"right", "DejaVu Sans", -11, FW_NORMAL, false, false, TA_RIGHT | TA_TOP, TRANSPARENT, "xo", {30, 2}, {}, false,
         "................................\n"
         "................................\n"
         "................................\n"
         "................................\n"
         "................................\n"
         "................................\n"
         ".................#....#..###....\n"
         "..................#..#..#...#...\n"
         "...................##...#...#...\n"
         "...................##...#...#...\n"
         "..................#..#..#...#...\n"
         ".................#....#..###....\n"
         "................................\n"
         "................................\n"
         "................................\n"
         "................................\n"},
        {"clipped", "Arial", -13, FW_NORMAL, false, false, TA_LEFT | TA_TOP, TRANSPARENT, "MW", {2, 1}, {4, 3, 20, 12}, false,
         "................................\n"
         "................................\n"
         "................................\n"
         "................................\n"
         "...........#.#.....#............\n"
         "....#.....##..#....#............\n"
         "....#.....##..#...#.............\n"
         ".....#...#.#..#...#.............\n"
         ".....#...#.#...#.#..............\n"
         "......#.#..#...#.#..............\n"
         "......#.#..#...#.#..............\n"
         ".......#...#....#...............\n"
         "................................\n"
         "................................\n"
         "................................\n"
         "................................\n"},
        {"opaque", "Arial", -13, FW_NORMAL, false, false, TA_LEFT | TA_TOP, OPAQUE, "ab", {3, 2}, {}, false,
         "................................\n"
         "................................\n"
         "...yyyyyyyyyyyyyy...............\n"
         "...yyyyyyyyyyyyyy...............\n"
         "...yyyyyyyyyyyyyy...............\n"
         "...yyyyyyyy#yyyyy...............\n"
         "...yyyyyyyy#yyyyy...............\n"
         "...yy###yyy#y##yy...............\n"
         "...y#yyy#yy##yy#y...............\n"
         "...yyyyy#yy#yyy#y...............\n"
         "...yy####yy#yyy#y...............\n"
         "...y#yyy#yy#yyy#y...............\n"
         "...y#yy##yy##yy#y...............\n"
         "...yy##yy#y#y##yy...............\n"
         "...yyyyyyyyyyyyyy...............\n"
         "...yyyyyyyyyyyyyy...............\n"},
        {"opaque and clipped", "Arial", -13, FW_NORMAL, false, false, TA_LEFT | TA_TOP, OPAQUE, "ab", {3, 2}, {0, 0, 10, 16}, false,
         "................................\n"
         "................................\n"
         "...yyyyyyy......................\n"
         "...yyyyyyy......................\n"
         "...yyyyyyy......................\n"
         "...yyyyyyy......................\n"
         "...yyyyyyy......................\n"
         "...yy###yy......................\n"
         "...y#yyy#y......................\n"
         "...yyyyy#y......................\n"
         "...yy####y......................\n"
         "...y#yyy#y......................\n"
         "...y#yy##y......................\n"
         "...yy##yy#......................\n"
         "...yyyyyyy......................\n"
         "...yyyyyyy......................\n"},
        {"code page", "Arial", -13, FW_NORMAL, false, false, TA_LEFT | TA_TOP, TRANSPARENT, "\x80\xe9", {2, 1}, {}, false,
         "................................\n"
         "................................\n"
         "................................\n"
         "............##..................\n"
         "....####....#...................\n"
         "...#....#.......................\n"
         "...#.......###..................\n"
         "..#####...#...#.................\n"
         "...#......#...#.................\n"
         "..#####...#####.................\n"
         "...#......#.....................\n"
         "...#....#.#...#.................\n"
         "....####...###..................\n"
         "................................\n"
         "................................\n"
         "................................\n"},
        {"partly off the canvas", "Arial", -13, FW_NORMAL, false, false, TA_LEFT | TA_TOP, TRANSPARENT, "Ag", {-5, -4}, {}, false,
         "#...............................\n"
         "#.....##.#......................\n"
         ".#...#..##......................\n"
         ".#...#...#......................\n"
         "##...#...#......................\n"
         "..#..#...#......................\n"
         "..#..#..##......................\n"
         "...#..##.#......................\n"
         ".........#......................\n"
         ".....#...#......................\n"
         "......###.......................\n"
         "................................\n"
         "................................\n"
         "................................\n"
         "................................\n"
         "................................\n"},
        {"default height", "", 0, FW_NORMAL, false, false, TA_LEFT | TA_TOP, TRANSPARENT, "Ag", {2, 0}, {}, false,
         "................................\n"
         "................................\n"
         "................................\n"
         "......#.........................\n"
         ".....#.#........................\n"
         ".....#.#......###.#.............\n"
         "....#...#....#...##.............\n"
         "....#...#...#.....#.............\n"
         "....#...#...#.....#.............\n"
         "...#######..#.....#.............\n"
         "...#.....#..#.....#.............\n"
         "...#.....#...#...##.............\n"
         "..#.......#...###.#.............\n"
         "..................#.............\n"
         ".............#...##.............\n"
         "..............####..............\n"},
        {"two-part clip", "Arial", -13, FW_NORMAL, false, false, TA_LEFT | TA_TOP, TRANSPARENT, "Hg", {2, 1}, {}, true,
         "................................\n"
         "................................\n"
         "................................\n"
         "................................\n"
         "...#.....#......................\n"
         "...#.....#......................\n"
         "................................\n"
         "................................\n"
         "................................\n"
         "................................\n"
         "...#.....#..#...#...............\n"
         "...#.....#..#..##...............\n"
         "...#.....#...##.#...............\n"
         "................#...............\n"
         "............#...#...............\n"
         ".............###................\n"},
    };
    for (const TextCase& c : cases) {
        const std::string art = Draw(c);
        EXPECT_EQ(art, c.art) << c.name;
    }
}

// Text in `face` at `height` drawn with its cell's top left at `at` on a canvas of the size given.
std::string DrawAt(int width, int height, const char* face, int fontHeight, const char* text, POINT at)
{
    LOGFONT lf{};
    lf.lfHeight = fontHeight;
    std::strcpy(lf.lfFaceName, face);
    CFont font;
    font.CreateFontIndirect(&lf);
    Canvas canvas(width, height);
    CFont* old = canvas.dc.SelectObject(&font);
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.TextOut(at.x, at.y, text, int(std::strlen(text)));
    canvas.dc.SelectObject(old);
    return canvas.Art();
}

// The part of a canvas's art from (left, top), 32 x 16 pixels.
std::string Window(const std::string& art, int artWidth, int left, int top)
{
    std::string part;
    for (int y = top; y < top + 16; ++y)
        part += art.substr(size_t(y) * size_t(artWidth + 1) + size_t(left), 32) + "\n";
    return part;
}

// A glyph larger than the canvas it is drawn into shows the pixels it has where it lies over
// the canvas: the same as that part of the glyph drawn whole on a canvas big enough for it.
TEST(TextPixels, AGlyphLargerThanTheCanvasDrawsItsVisiblePart)
{
    struct Case {
        const char* text;
        POINT window;  // in the whole glyph's canvas
    };
    constexpr int kWhole = 400;
    constexpr POINT kCell{20, 10};
    const Case cases[] = {
        {"W", {20, 100}},    // the first stroke's edges
        {"W", {150, 110}},   // where the middle strokes meet
        {"g", {60, 320}},    // the descender's curve, below the baseline
        {"Wg", {330, 140}},  // the second character, placed by the first one's advance
    };
    for (const Case& c : cases) {
        const std::string whole = DrawAt(kWhole, kWhole, "Arial", -300, c.text, kCell);
        const std::string expected = Window(whole, kWhole, c.window.x, c.window.y);
        ASSERT_NE(expected.find('#'), std::string::npos) << c.text << ": the window must show ink";
        ASSERT_NE(expected.find('.'), std::string::npos) << c.text << ": and paper";
        const POINT shifted{kCell.x - c.window.x, kCell.y - c.window.y};
        EXPECT_EQ(DrawAt(32, 16, "Arial", -300, c.text, shifted), expected) << c.text << " at " << c.window.x << ", "
                                                                            << c.window.y;
    }
}

// Taller than any screen: the canvas lies inside the stem of an I and is covered.
TEST(TextPixels, AGlyphTallerThanAnyScreenCoversTheCanvasItLiesOver)
{
    LOGFONT lf{};
    lf.lfHeight = -6000;
    std::strcpy(lf.lfFaceName, "Arial");
    CFont font;
    font.CreateFontIndirect(&lf);
    Canvas canvas(32, 16);
    CFont* old = canvas.dc.SelectObject(&font);
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.SetTextAlign(TA_CENTER | TA_BASELINE);
    canvas.dc.TextOut(16, 2000, "I", 1);
    canvas.dc.SelectObject(old);
    EXPECT_EQ(canvas.Count(RGB(0, 0, 0)), 32 * 16);
}

}  // namespace
