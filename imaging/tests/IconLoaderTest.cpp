#include "BmpBytes.h"

#include "imaging/ExtDib.h"
#include "imaging/IconLoader.h"
#include "platform/core/File.h"
#include "platform/gdi/tests/Canvas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// 2 x 2 at 24 bits. Top row: red, transparent; bottom row: white, black.
Bytes Icon2x2()
{
    const Bytes image = Concat({InfoHeader(2, 4, 24), {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0}, {0, 0, 0xFF, 0, 0, 0, 0, 0},
                                {0, 0, 0, 0}, {0x40, 0, 0, 0}});
    return Concat({Word(0), Word(1), Word(1), {2, 2, 0, 0}, Word(1), Word(24), Dword(uint32_t(image.size())), Dword(22),
                   image});
}

Bytes Triple(COLORREF c)
{
    return {BYTE(c >> 16), BYTE(c >> 8), BYTE(c)};
}

TEST(KeyColour, ChoosesTheFirstUnusedOrTheLeastUsed)
{
    struct Case {
        const char* name;
        std::vector<COLORREF> opaque;
        int transparent;
        int expected;
    };
    std::vector<COLORREF> all(std::begin(g_KeyColours), std::end(g_KeyColours));
    std::vector<COLORREF> allTwiceButSix = all;
    allTwiceButSix.insert(allTwiceButSix.end(), all.begin(), all.end());
    allTwiceButSix.erase(allTwiceButSix.begin() + 6);
    std::vector<COLORREF> allTwiceButBlack = all;
    allTwiceButBlack.insert(allTwiceButBlack.end(), all.begin() + 1, all.end());
    const Case cases[] = {
        {"nothing transparent", {0x000000, 0x123456}, 0, -1},
        {"black is never first choice", {}, 1, 1},
        {"white used", {0xFFFFFF, 0x000000, 0x123456}, 1, 2},
        {"every colour once", all, 1, 0},
        {"one used less", allTwiceButSix, 1, 6},
        {"black used least", allTwiceButBlack, 2, 0},
    };
    for (const Case& c : cases) {
        Bytes pixels;
        std::vector<BYTE> mask;
        for (COLORREF colour : c.opaque) {
            Bytes t = Triple(colour);
            pixels.insert(pixels.end(), t.begin(), t.end());
            mask.push_back(0);
        }
        for (int i = 0; i < c.transparent; ++i) {
            pixels.insert(pixels.end(), {0x80, 0x80, 0x80});
            mask.push_back(1);
        }
        EXPECT_EQ(c.expected, FindUnusedKeyColour(pixels.data(), mask.data(), mask.size())) << c.name;
    }
}

class IconFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("iconload-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string Put(const char* name, const Bytes& bytes) const
    {
        std::string path = (m_dir / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }
    std::filesystem::path m_dir;
};

TEST_F(IconFileTest, IconBecomesABitmapWithAKeyColour)
{
    CFile file;
    ASSERT_TRUE(file.Open(Put("picture.Ico", Icon2x2()).c_str(), CFile::modeRead));
    CDib dib;
    COLORREF key = 0;
    ASSERT_TRUE(dib.Read(&file, &key));
    EXPECT_EQ(0x808080u, key);
    EXPECT_EQ(CSize(2, 2), dib.GetDimensions());
    Canvas canvas(2, 2);
    dib.Draw(&canvas.dc, 0, 0);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(128, 128, 128), canvas.Pixel(1, 0));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(0, 1));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(1, 1));
}

TEST_F(IconFileTest, ExtDibTakesTheKeyAsItsTransparentColour)
{
    CExtDib dib;
    ASSERT_TRUE(dib.Load(Put("x.ico", Icon2x2()).c_str(), CExtDib::Embedded, FALSE));
    EXPECT_EQ(0x808080u, dib.m_colour);
    EXPECT_TRUE(dib.HasTransparentColour());
}

TEST_F(IconFileTest, DamagedIconsGiveNothing)
{
    Bytes truncated = Icon2x2();
    truncated.resize(40);
    for (const Bytes& bytes : {truncated, Bytes(30, 0), Bytes{}}) {
        CFile file;
        ASSERT_TRUE(file.Open(Put("bad.ico", bytes).c_str(), CFile::modeRead));
        COLORREF key = 7;
        EXPECT_EQ(nullptr, LoadIconAsBitmap(&file, &key));
        EXPECT_EQ(7u, key);
        CDib dib;
        EXPECT_FALSE(dib.Read(&file, &key));
    }
}

}  // namespace

namespace {

TEST(KeyColour, DarkRedPixelsDoNotHideDarkBlue)
{
    // Every table colour but dark blue is used, and a dark red pixel is there too.
    Bytes pixels;
    std::vector<BYTE> mask;
    for (COLORREF colour : g_KeyColours) {
        if (colour == 0x800000)
            continue;
        Bytes t = Triple(colour);
        pixels.insert(pixels.end(), t.begin(), t.end());
        mask.push_back(0);
    }
    pixels.insert(pixels.end(), {0, 0, 0});
    mask.push_back(1);
    EXPECT_EQ(0x800000u, g_KeyColours[FindUnusedKeyColour(pixels.data(), mask.data(), mask.size())]);
}

}  // namespace
