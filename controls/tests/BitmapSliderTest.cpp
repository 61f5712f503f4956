// The bitmap slider: its drawing (channel, active part, transparent thumb), position
// mapping, mouse dragging with its reports, and the keyboard.
#include "PictureKit.h"

#include "controls/BitmapSlider.h"
#include "controls/SliderAudio.h"
#include "platform/ui/Resources.h"

namespace {

constexpr UINT IDB_CHANNEL = 9501, IDB_ACTIVE = 9502, IDB_THUMB = 9503, IDC_SLIDER = 77;
constexpr COLORREF kChannel = RGB(128, 128, 128), kActive = RGB(0, 0, 255), kThumb = RGB(255, 0, 0),
                   kClear = RGB(255, 0, 255);

struct AudioLog : CSliderAudio {
    int stops = 0;
    std::vector<int> positions;
    void StopSound() override { ++stops; }
    BOOL OnSliderPos(UINT, int position) override
    {
        positions.push_back(position);
        return TRUE;
    }
};

class BitmapSliderTest : public UiTest {
protected:
    static void SetUpTestSuite()
    {
        UiTest::SetUpTestSuite();
        RegisterBinaryResource(ResourceKind::Bitmap, IDB_CHANNEL, SolidBmp(100, 10, kChannel));
        RegisterBinaryResource(ResourceKind::Bitmap, IDB_ACTIVE, SolidBmp(100, 10, kActive));
        // A thumb whose outer columns are the transparent colour.
        RegisterBinaryResource(ResourceKind::Bitmap, IDB_THUMB,
                               MakeBmp(10, 10, [](int x, int) { return x == 0 || x == 9 ? kClear : kThumb; }));
    }
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(parent.Open());
        ASSERT_TRUE(slider.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(10, 20, 60, 30), &parent, IDC_SLIDER));
        ASSERT_TRUE(slider.SetChannelBitmaps(IDB_CHANNEL, IDB_ACTIVE, FALSE));
        ASSERT_TRUE(slider.SetThumbBitmaps(IDB_THUMB, 0, TRUE));
        slider.SetRange(0, 100);
        SetSliderAudio(&audio);
    }
    void TearDown() override
    {
        SetSliderAudio(nullptr);
        slider.DestroyWindow();
        parent.DestroyWindow();
        UiTest::TearDown();
    }
    COLORREF At(int x)
    {
        slider.Invalidate();
        UiTestHook::PumpPending();
        return UiTestHook::PixelAt(slider.GetSafeHwnd(), CPoint(x, 5));
    }
    // Screen position of a point on the slider's axis (the parent sits at the origin).
    static POINT Screen(int x) { return POINT{10 + x, 25}; }

    RecordingWindow parent;
    CBitmapSlider slider;
    AudioLog audio;
};

TEST_F(BitmapSliderTest, TakesTheChannelsSizeAndDrawsActivePartAndTransparentThumb)
{
    CRect client;
    slider.GetClientRect(&client);
    EXPECT_EQ(client.Size(), CSize(100, 10));
    slider.SetPos(50); // thumb centre at 5 + 45 = 50: columns 45..54
    struct Probe {
        int x;
        COLORREF colour;
    } probes[] = {{20, kActive}, {45, kActive}, {46, kThumb}, {50, kThumb}, {53, kThumb}, {54, kChannel}, {80, kChannel}};
    for (const Probe& p : probes)
        EXPECT_EQ(At(p.x), p.colour) << "x " << p.x;

    slider.Enable(FALSE); // no thumb, no active part
    for (int x : {20, 50, 80})
        EXPECT_EQ(At(x), kChannel) << "x " << x;
}

TEST_F(BitmapSliderTest, PositionsClampAndMapToPixels)
{
    struct Case {
        int min, max, set, pos, pixel;
    } cases[] = {
        {0, 100, 50, 50, 50}, {0, 100, 150, 100, 95}, {0, 100, -7, 0, 5},
        {10, 20, 15, 15, 50}, {30, 20, 25, 30, 5}, // a minimum above the maximum: the minimum
        {40, 40, 40, 40, 5},                       // an empty range does not divide by zero
    };
    for (const Case& c : cases) {
        slider.SetRange(c.min, c.max);
        slider.SetPos(c.set);
        EXPECT_EQ(slider.GetPos(), c.pos) << c.min << ".." << c.max << " set " << c.set;
        EXPECT_EQ(slider.PosToPixel(slider.GetPos()), c.pixel) << c.min << ".." << c.max << " set " << c.set;
    }
    slider.SetRange(0, 100);
    EXPECT_EQ(slider.PixelToPos(50), 50);
    EXPECT_EQ(slider.PixelToPos(5), 0);
    EXPECT_EQ(slider.PixelToPos(95), 100);
}

TEST_F(BitmapSliderTest, ClickingTheChannelJumpsAndDraggingTheThumbKeepsTheGrip)
{
    slider.SetRange(0, 90); // one step per pixel of travel
    slider.SetPos(0);
    UiTestHook::MouseDown(WM_LBUTTONDOWN, Screen(70), MK_LBUTTON); // away from the thumb
    UiTestHook::PumpPending();
    EXPECT_EQ(slider.PosToPixel(slider.GetPos()), 70);
    EXPECT_EQ(audio.stops, 1);
    UiTestHook::MouseUp(WM_LBUTTONUP, Screen(70));
    UiTestHook::PumpPending();

    UiTestHook::MouseDown(WM_LBUTTONDOWN, Screen(73), MK_LBUTTON); // on the thumb, 3 right of its centre
    UiTestHook::PumpPending();
    EXPECT_EQ(slider.PosToPixel(slider.GetPos()), 70);
    UiTestHook::MouseMove(Screen(43), MK_LBUTTON);
    UiTestHook::PumpPending();
    EXPECT_EQ(slider.PosToPixel(slider.GetPos()), 40);
    UiTestHook::MouseMove(Screen(400), MK_LBUTTON); // past the end: the last place
    UiTestHook::PumpPending();
    EXPECT_EQ(slider.GetPos(), 90);
    UiTestHook::MouseUp(WM_LBUTTONUP, Screen(400));
    UiTestHook::PumpPending();
    EXPECT_FALSE(slider.IsDragging());

    std::vector<RecordedMessage> moving = parent.Take(WM_SLIDER_MOVING);
    ASSERT_EQ(moving.size(), 3u);
    EXPECT_EQ(moving.back().wParam, static_cast<WPARAM>(IDC_SLIDER));
    EXPECT_EQ(moving.back().lParam, 90);
    EXPECT_EQ(audio.positions, (std::vector<int>{65, 90}));
}

TEST_F(BitmapSliderTest, KeysStepThePositionAndReportToTheParent)
{
    struct Case {
        UINT key;
        int from, to;
    } cases[] = {{VK_PRIOR, 50, 30}, {VK_NEXT, 50, 70}, {VK_NEXT, 90, 100}, {VK_END, 10, 100}, {VK_HOME, 60, 0},
                 {VK_LEFT, 50, 49},  {VK_UP, 0, 0},     {VK_RIGHT, 50, 51}, {VK_DOWN, 100, 100}};
    for (const Case& c : cases) {
        slider.SetPos(c.from);
        slider.SendMessage(WM_KEYDOWN, c.key);
        EXPECT_EQ(slider.GetPos(), c.to) << "key " << c.key;
    }
    UiTestHook::PumpPending();
    EXPECT_EQ(parent.Take(WM_SLIDER_MOVED).size(), std::size(cases));
    EXPECT_EQ(audio.positions.size(), std::size(cases));

    slider.Enable(FALSE);
    slider.SetPos(50);
    slider.SendMessage(WM_KEYDOWN, VK_END);
    EXPECT_EQ(slider.GetPos(), 50);
    UiTestHook::MouseDown(WM_LBUTTONDOWN, Screen(80), MK_LBUTTON);
    UiTestHook::PumpPending();
    EXPECT_EQ(slider.GetPos(), 50);
    EXPECT_EQ(audio.stops, 0);
}

TEST_F(BitmapSliderTest, MissingBitmapsAreRefusedAndKeepTheSliderUsable)
{
    EXPECT_FALSE(slider.SetChannelBitmaps(4242, 0, FALSE));
    EXPECT_FALSE(slider.SetThumbBitmaps(IDB_THUMB, 4243, TRUE));
    EXPECT_TRUE(slider.SetChannelBitmaps(0, 0, FALSE));
    slider.SetPos(10);
    EXPECT_NE(At(5), CLR_INVALID);
}

} // namespace
