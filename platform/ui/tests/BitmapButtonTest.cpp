// Bitmap buttons: loading by id and by the caption's name, sizing to the picture, the
// picture drawn for each state, and missing or damaged bitmaps refused.
#include "ControlFixture.h"

#include "platform/gdi/DibTypes.h"
#include "platform/ui/tests/BmpBytes.h"
#include "platform/ui/BitmapButton.h"
#include "platform/ui/Resources.h"

#include <string>
#include <vector>

namespace {

constexpr COLORREF kUp = RGB(0, 128, 255), kDown = RGB(255, 64, 0), kFocus = RGB(0, 200, 0);

class BitmapButtonTest : public UiTest {
protected:
    static void SetUpTestSuite()
    {
        UiTest::SetUpTestSuite();
        RegisterBinaryResource(ResourceKind::Bitmap, "GoU", SolidBmp(24, 18, kUp));
        RegisterBinaryResource(ResourceKind::Bitmap, "GOD", SolidBmp(24, 18, kDown));
        RegisterBinaryResource(ResourceKind::Bitmap, "GOF", SolidBmp(24, 18, kFocus));
        RegisterBinaryResource(ResourceKind::Bitmap, "HalfU", SolidBmp(8, 8, kUp));
        std::vector<BYTE> cut = SolidBmp(8, 8, kUp);
        cut.resize(cut.size() - 10);
        RegisterBinaryResource(ResourceKind::Bitmap, "CutU", cut);
        RegisterBinaryResource(ResourceKind::Bitmap, "CutD", cut);
        RegisterBinaryResource(ResourceKind::Bitmap, 7101, SolidBmp(10, 6, kUp));
    }
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED | WS_VISIBLE, RECT{0, 0, 200, 100}, nullptr, 0));
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        UiTest::TearDown();
    }
    HWND Plain(const char* caption, UINT id)
    {
        AfxRegisterControlClasses();
        return CreateWindowEx(0, WC_BUTTON, caption, BS_OWNERDRAW | WS_CHILD | WS_VISIBLE, 10, 10, 60, 30, parent.m_hWnd,
                              reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, nullptr);
    }

    CWnd parent;
};

TEST_F(BitmapButtonTest, AutoLoadTakesTheCaptionsBitmapsAndTheirSize)
{
    Plain("go", 40);
    CBitmapButton button;
    ASSERT_TRUE(button.AutoLoad(40, &parent));
    CRect r;
    button.GetClientRect(&r);
    EXPECT_EQ(r.Width(), 24);
    EXPECT_EQ(r.Height(), 18);
    EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));

    const struct {
        BOOL pressed;
        bool focused;
        COLORREF shown;
    } states[] = {{FALSE, false, kUp}, {TRUE, false, kDown}, {FALSE, true, kFocus}, {TRUE, true, kDown}};
    for (const auto& s : states) {
        if (s.focused)
            button.SetFocus();
        else
            parent.SetFocus();
        button.SetState(s.pressed);
        button.RedrawWindow();
        EXPECT_EQ(UiTestHook::PixelAt(button.m_hWnd, POINT{5, 5}), s.shown) << s.pressed << s.focused;
    }
}

TEST_F(BitmapButtonTest, MissingOrDamagedBitmapsAreRefused)
{
    const struct {
        const char* caption;
        const char* why;
    } cases[] = {{"Nothing", "no bitmaps at all"}, {"Half", "the down bitmap is missing"},
                 {"Cut", "the bits run past the end"}, {"", "no caption to name them"}};
    UINT id = 50;
    for (const auto& c : cases) {
        Plain(c.caption, id);
        CBitmapButton button;
        EXPECT_FALSE(button.AutoLoad(id, &parent)) << c.why;
        button.RedrawWindow();
        ++id;
    }
    CBitmapButton unknown;
    EXPECT_FALSE(unknown.AutoLoad(99, &parent)) << "no such control";
}

TEST_F(BitmapButtonTest, LoadBitmapsByIdAndSizeToContent)
{
    CBitmapButton button;
    ASSERT_TRUE(button.Create("", BS_OWNERDRAW | WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 50}, &parent, 60));
    EXPECT_FALSE(button.LoadBitmaps(7999));
    EXPECT_FALSE(button.LoadBitmaps(7101, 7999)) << "a named down bitmap that is missing";
    ASSERT_TRUE(button.LoadBitmaps(7101));
    button.SizeToContent();
    CRect r;
    button.GetClientRect(&r);
    EXPECT_EQ(r.Width(), 10);
    EXPECT_EQ(r.Height(), 6);
    button.RedrawWindow();
    EXPECT_EQ(UiTestHook::PixelAt(button.m_hWnd, POINT{2, 2}), kUp);
}

} // namespace
