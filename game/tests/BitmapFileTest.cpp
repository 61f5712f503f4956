#include "game/BitmapFile.h"
#include "TestBitmap.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::vector<BYTE> Sample() { return MakeBitmapFile(3, 2, [](int x, int y) { return RGB(x * 10, y * 20, 7); }); }

TEST(BitmapFile, ReadsACompleteFile)
{
    const auto file = Sample();
    auto bitmap = ParseBitmapFile(file);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->width, 3);
    EXPECT_EQ(bitmap->height, 2);
    EXPECT_EQ(bitmap->colours, 0);
    EXPECT_EQ(bitmap->info()->bmiHeader.biBitCount, 24);
    EXPECT_EQ(bitmap->bits[0], 7);    // bottom row first: (0, 1) blue
    EXPECT_EQ(bitmap->bits[1], 20);   // green
    EXPECT_EQ(bitmap->bits[5], 10);   // (1, 1) red
}

TEST(BitmapFile, RefusesTruncatedAndCorruptFiles)
{
    struct Case {
        const char* name;
        std::function<void(std::vector<BYTE>&)> spoil;
    } cases[] = {
        {"empty", [](auto& f) { f.clear(); }},
        {"header only", [](auto& f) { f.resize(30); }},
        {"pixels cut", [](auto& f) { f.resize(f.size() - 1); }},
        {"magic", [](auto& f) { f[0] = 'X'; }},
        {"offset past end", [](auto& f) { f[10] = 0xFF; f[11] = 0xFF; }},
        {"offset inside header", [](auto& f) { f[10] = 20; }},
        {"depth 7", [](auto& f) { f[28] = 7; }},
        {"zero height", [](auto& f) { std::memset(&f[22], 0, 4); }},
        {"negative width", [](auto& f) { f[21] = 0xFF; }},
        {"header size huge", [](auto& f) { f[17] = 0x7F; }},
        {"compressed", [](auto& f) { f[30] = 1; }},
        {"colour table too long", [](auto& f) { f[46] = 1; }},
        {"height minimum", [](auto& f) { f[22] = 0; f[23] = 0; f[24] = 0; f[25] = 0x80; }},
    };
    for (const Case& c : cases) {
        auto file = Sample();
        c.spoil(file);
        EXPECT_FALSE(ParseBitmapFile(file)) << c.name;
    }
}

TEST(BitmapFile, MissingFilesAreReportedNotRead)
{
    EXPECT_FALSE(ReadWholeFile("/nonexistent/graphics.bmp"));
}

}  // namespace
