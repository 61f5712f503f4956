// The drag image: a window above all others that shows one image of a list and keeps its hot
// spot at the mouse while it moves, hides while asked to and goes with the end of the drag.
#include "platform/ui/DragImage.h"
#include "UiFixture.h"

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ImageList.h"

#include <vector>

namespace {

class DragImageTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        // A red 8 x 6 picture whose left column is the mask colour (clear).
        std::vector<DWORD> bits(8 * 6, 0x00FF0000);
        for (int y = 0; y < 6; ++y)
            bits[static_cast<size_t>(y * 8)] = 0x0000FF00;
        ASSERT_TRUE(picture.CreateBitmap(8, 6, 1, 32, bits.data()));
        ASSERT_TRUE(images.Create(8, 6, ILC_COLOR24 | ILC_MASK, 1, 0));
        ASSERT_EQ(images.Add(&picture, RGB(0, 255, 0)), 0);
    }
    void TearDown() override
    {
        ImageList_EndDrag();
        UiTest::TearDown();
    }

    static RECT Shown()
    {
        RECT rect {};
        GetWindowRect(ImageList_GetDragWindow(), &rect);
        return rect;
    }

    CBitmap picture;
    CImageList images;
};

TEST_F(DragImageTest, ThePictureFollowsTheMouseRightOfItsHotSpot)
{
    ASSERT_TRUE(ImageList_BeginDrag(images, 0, -15, 0));
    ASSERT_TRUE(ImageList_DragEnter(nullptr, 100, 50));
    HWND window = ImageList_GetDragWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(Shown().left, 115);
    EXPECT_EQ(Shown().top, 50);
    EXPECT_EQ(Shown().right - Shown().left, 8);
    EXPECT_EQ(Shown().bottom - Shown().top, 6);
    UiTestHook::PumpPending();
    EXPECT_EQ(UiTestHook::PixelAt(window, POINT {4, 3}), RGB(255, 0, 0));
    EXPECT_EQ(UiTestHook::PixelAt(window, POINT {0, 3}), GetSysColor(COLOR_WINDOW));

    ASSERT_TRUE(ImageList_DragMove(200, 70));
    EXPECT_EQ(Shown().left, 215);
    EXPECT_EQ(Shown().top, 70);
    ImageList_DragShowNolock(FALSE);
    EXPECT_FALSE(IsWindowVisible(window));
    ImageList_DragShowNolock(TRUE);
    EXPECT_TRUE(IsWindowVisible(window));

    ImageList_DragLeave(nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    ImageList_EndDrag();
    EXPECT_EQ(ImageList_GetDragWindow(), nullptr);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(DragImageTest, APointOfALockWindowIsTakenFromItsClientArea)
{
    HWND lock = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, {300, 200, 500, 400});
    POINT origin {0, 0};
    ClientToScreen(lock, &origin);
    ASSERT_TRUE(ImageList_BeginDrag(images, 0, 2, 3));
    ASSERT_TRUE(ImageList_DragEnter(lock, 10, 10));
    EXPECT_EQ(Shown().left, origin.x + 8);
    EXPECT_EQ(Shown().top, origin.y + 7);
}

TEST_F(DragImageTest, NoDragWithoutAPicture)
{
    EXPECT_FALSE(ImageList_BeginDrag(images, 1, 0, 0));
    EXPECT_FALSE(ImageList_BeginDrag(nullptr, 0, 0, 0));
    EXPECT_FALSE(ImageList_DragEnter(nullptr, 0, 0));
    EXPECT_FALSE(ImageList_DragMove(0, 0));
    EXPECT_EQ(ImageList_GetDragWindow(), nullptr);
}

} // namespace
