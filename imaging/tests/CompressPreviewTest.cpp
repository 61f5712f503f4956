#include "BmpBytes.h"

#include "imaging/CompressPreviewWnd.h"
#include "platform/gdi/tests/Canvas.h"
#include "platform/ui/TestHook.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

COXDIB ReadRecord(const Bytes& bytes)
{
    COXDIB dib;
    LoadBytes(bytes, [&](CArchive& ar) { dib.Read(ar); });
    return dib;
}

// 16 x 16 at 24 bits, one colour.
Bytes Flat24(BYTE blue, BYTE green, BYTE red)
{
    Bytes pixels;
    for (int i = 0; i < 16 * 16; ++i)
        pixels.insert(pixels.end(), {blue, green, red});
    return Concat({FileHeader(14 + 40 + 768, 54), InfoHeader(16, 16, 24, 0, 768), pixels});
}

TEST(CompressPreview, FreshPreviewShowsThePictureUnchanged)
{
    CCompressPreviewWnd preview;
    preview.SetPicture(ReadRecord(Bmp8()));
    EXPECT_EQ(CSize(4, 2), preview.GetResult().GetSize());
    EXPECT_EQ(100, preview.GetQuality());
    EXPECT_EQ(1, preview.GetZoom());
}

TEST(CompressPreview, PictureFitsTheClientKeepingItsShape)
{
    struct Case {
        CSize picture;
        CRect client;
        CRect fit;
    };
    const Case cases[] = {
        {CSize(200, 100), CRect(0, 0, 100, 100), CRect(0, 25, 100, 75)},
        {CSize(100, 200), CRect(0, 0, 100, 100), CRect(25, 0, 75, 100)},
        {CSize(50, 50), CRect(0, 0, 100, 60), CRect(0, -20, 100, 80)},
        {CSize(3, 1), CRect(10, 10, 20, 20), CRect(10, 13, 20, 16)},
        {CSize(0, 0), CRect(0, 0, 10, 10), CRect(0, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        CRect fit = CCompressPreviewWnd::FitRect(c.picture, c.client);
        EXPECT_EQ(c.fit, fit) << c.picture.cx << "x" << c.picture.cy;
    }
}

TEST(CompressPreview, ZoomShowsTheCentralPart)
{
    EXPECT_EQ(CRect(0, 0, 8, 6), CCompressPreviewWnd::ZoomSource(CSize(8, 6), 1));
    EXPECT_EQ(CRect(2, 1, 6, 4), CCompressPreviewWnd::ZoomSource(CSize(8, 6), 4));
    EXPECT_EQ(CRect(25, 25, 75, 75), CCompressPreviewWnd::ZoomSource(CSize(100, 100), 4));
}

TEST(CompressPreview, RenderingCompressesAndShowsTheResult)
{
    CCompressPreviewWnd preview;
    preview.SetPicture(ReadRecord(Flat24(0x20, 0x80, 0xE0)));
    EXPECT_EQ(0, preview.RenderPreview(75));  // a flat 16 x 16 picture stays below 1 KB
    EXPECT_EQ(75, preview.GetQuality());
    const COXDIB& result = preview.GetResult();
    ASSERT_EQ(CSize(16, 16), result.GetSize());
    Canvas canvas(1, 1);
    const_cast<COXDIB&>(result).Paint(&canvas.dc, CRect(0, 0, 1, 1), CRect(8, 8, 9, 9));
    COLORREF c = canvas.dc.GetPixel(0, 0);
    EXPECT_NEAR(0xE0, GetRValue(c), 6);
    EXPECT_NEAR(0x80, GetGValue(c), 6);
    EXPECT_NEAR(0x20, GetBValue(c), 6);
}

TEST(CompressPreview, NothingToCompressKeepsThePicture)
{
    UiTestHook::Reset();
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    CCompressPreviewWnd preview;
    EXPECT_EQ(0, preview.RenderPreview(50));
    EXPECT_TRUE(preview.GetResult().IsEmpty());
    EXPECT_EQ(1, UiTestHook::MessageBoxCount());
}

}  // namespace

namespace {

class CompressPreviewWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASS wc{};
        if (!GetClassInfo(nullptr, "PreviewHost", &wc)) {
            wc.lpfnWndProc = DefWindowProc;
            wc.lpszClassName = "PreviewHost";
            RegisterClass(&wc);
        }
        top = CreateWindowEx(0, "PreviewHost", "", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                             nullptr, nullptr);
        ASSERT_NE(nullptr, top);
        ASSERT_TRUE(
            preview.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 10), CWnd::FromHandle(top), 1));
        preview.SetPicture(ReadRecord(Bmp8()));
    }
    void TearDown() override
    {
        preview.DestroyWindow();
        DestroyWindow(top);
    }
    std::string Row(int y)
    {
        std::string s;
        for (int x = 2; x < 20; x += 5) {
            COLORREF c = UiTestHook::PixelAt(preview.GetSafeHwnd(), POINT{x, y});
            s += c == RGB(255, 0, 0) ? 'r' : c == RGB(0, 255, 0) ? 'g' : c == RGB(0, 0, 255) ? 'b'
                 : c == RGB(255, 255, 255) ? '.' : '?';
        }
        return s;
    }
    HWND top = nullptr;
    CCompressPreviewWnd preview;
};

TEST_F(CompressPreviewWindow, PaintsThePictureFittedIntoTheWindow)
{
    UiTestHook::PumpPending();
    EXPECT_EQ("rgb.", Row(2));
    EXPECT_EQ(".bgr", Row(7));
}

TEST_F(CompressPreviewWindow, ZoomFourShowsTheCentralHalfOfEachSide)
{
    preview.SetZoom(4);
    UiTestHook::PumpPending();
    EXPECT_EQ("ggbb", Row(2));
    EXPECT_EQ("ggbb", Row(7));
}

}  // namespace
