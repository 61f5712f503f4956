#include "platform/ink/InkOverlay.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/UiApi.h"

#include <QApplication>
#include <QPointingDevice>
#include <QTabletEvent>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Counts what reaches the window itself, and what the sink is told.
int g_windowClicks = 0;
LRESULT CountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN)
        ++g_windowClicks;
    return DefWindowProc(hwnd, message, wParam, lParam);
}

struct Sink : InkCollectorEvents {
    int downs = 0, packets = 0, strokes = 0, deleting = 0;
    std::vector<InkCursor> inRange;
    bool cancel = false;
    bool dropSelection = false;
    void CursorDown(const InkCursor&, const std::shared_ptr<InkStrokeDisp>&) override { ++downs; }
    void NewPackets(const InkCursor&, const std::shared_ptr<InkStrokeDisp>&, int n) override { packets += n; }
    void Stroke(const InkCursor&, const std::shared_ptr<InkStrokeDisp>&, bool& c) override
    {
        ++strokes;
        c = cancel;
    }
    void CursorInRange(const InkCursor& cursor, bool) override { inRange.push_back(cursor); }
    void SelectionChanging(InkStrokes& s) override
    {
        if (dropSelection)
            s.Clear();
    }
    void StrokesDeleting(const InkStrokes& s) override { deleting += int(s.Count()); }
    void Gesture(const InkCursor&, const InkStrokes& s, const std::vector<InkGesture>& g, bool& c) override
    {
        gestures.push_back(g.front().Id);
        gestureStrokes += int(s.Count());
        c = cancelGesture;
    }
    std::vector<InkApplicationGesture> gestures;
    int gestureStrokes = 0;
    bool cancelGesture = false;
};

class InkInput : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "platform_ink_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            new QApplication(argc, argv);  // lives until the process ends
        WNDCLASS wc{};
        wc.lpfnWndProc = CountingProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
        wc.lpszClassName = "InkTestWindow";
        RegisterClass(&wc);
    }
    void SetUp() override
    {
        UiTestHook::Reset();
        g_windowClicks = 0;
        window = CreateWindowEx(0, "InkTestWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 150, nullptr, nullptr,
                                nullptr, nullptr);
        ASSERT_TRUE(window);
        overlay.SetHWnd(window);
        overlay.DefaultDrawingAttributes().Color = RGB(255, 0, 0);
        overlay.DefaultDrawingAttributes().AntiAliased = false;
        cookie = overlay.Advise(&sink);
        ASSERT_TRUE(overlay.SetEnabled(true));
    }
    void TearDown() override
    {
        overlay.SetEnabled(false);
        DestroyWindow(window);
        UiTestHook::PumpPending();
    }
    void Drag(std::vector<POINT> path)
    {
        UiTestHook::MouseDown(WM_LBUTTONDOWN, path.front(), MK_LBUTTON);
        UiTestHook::PumpPending();
        for (size_t i = 1; i < path.size(); ++i) {
            UiTestHook::MouseMove(path[i], MK_LBUTTON);
            UiTestHook::PumpPending();  // moves waiting together are merged into one
        }
        UiTestHook::MouseUp(WM_LBUTTONUP, path.back());
        UiTestHook::PumpPending();
    }
    static POINT InkOf(POINT pixel) { return {LONG(std::lround(pixel.x * 2540 / 96.0)), LONG(std::lround(pixel.y * 2540 / 96.0))}; }

    HWND window = nullptr;
    InkOverlay overlay;
    Sink sink;
    DWORD cookie = 0;
};

TEST_F(InkInput, ADraggedStrokeIsCollectedDrawnAndStoredUnchanged)
{
    Drag({{12, 24}, {48, 24}, {96, 72}});
    auto ink = overlay.Ink();
    ASSERT_EQ(ink->StrokeCount(), 1u);
    auto stroke = ink->Stroke(1);
    ASSERT_EQ(stroke->Points().size(), 3u);
    EXPECT_EQ(stroke->Points()[2].x, InkOf({96, 72}).x);
    EXPECT_EQ(stroke->Points()[2].y, InkOf({96, 72}).y);
    EXPECT_EQ(stroke->DrawingAttributes().Color, RGB(255, 0, 0));
    EXPECT_EQ(sink.downs, 1);
    EXPECT_EQ(sink.packets, 2);
    EXPECT_EQ(sink.strokes, 1);
    EXPECT_EQ(g_windowClicks, 0);  // the pen's input is the overlay's
    EXPECT_EQ(UiTestHook::PixelAt(window, {30, 24}), RGB(255, 0, 0));
    EXPECT_EQ(UiTestHook::PixelAt(window, {30, 60}), GetSysColor(COLOR_WINDOW));

    std::vector<BYTE> saved = ink->Save();
    auto loaded = InkDisp::Create();
    ASSERT_TRUE(loaded->Load(saved));
    EXPECT_EQ(loaded->Save(), saved);
}

TEST_F(InkInput, ACancelledStrokeLeavesNoInkAndDisablingGivesTheWindowItsInputBack)
{
    sink.cancel = true;
    Drag({{10, 10}, {40, 40}});
    EXPECT_EQ(overlay.Ink()->StrokeCount(), 0u);
    ASSERT_TRUE(overlay.SetEnabled(false));
    Drag({{10, 10}, {40, 40}});
    EXPECT_EQ(g_windowClicks, 1);
    EXPECT_EQ(sink.strokes, 1);
    EXPECT_TRUE(overlay.Unadvise(cookie));
    EXPECT_FALSE(overlay.Unadvise(cookie));
}

TEST_F(InkInput, AStrokeOfAGesturesShapeIsOfferedAsTheGestureAndLeavesTheInk)
{
    const std::vector<POINT> zigzag = {{20, 20}, {120, 25}, {20, 30}, {120, 35}, {20, 40}};
    const std::vector<POINT> straight = {{20, 100}, {120, 100}};
    struct Case {
        const char* name;
        InkCollectionMode mode;
        bool cancel;
        std::vector<POINT> path;
        size_t inkLeft;
        int strokeEvents;
        int gestureEvents;
    };
    const Case cases[] = {
        {"ink only: no gestures", InkCollectionMode::InkOnly, false, zigzag, 1, 1, 0},
        {"taken as a gesture", InkCollectionMode::InkAndGesture, false, zigzag, 0, 0, 1},
        {"cancelled: it stays ink", InkCollectionMode::InkAndGesture, true, zigzag, 1, 1, 1},
        {"no gesture's shape", InkCollectionMode::InkAndGesture, false, straight, 1, 1, 0},
        {"gestures only: never ink", InkCollectionMode::GestureOnly, true, zigzag, 0, 0, 1},
        {"gestures only: other strokes go", InkCollectionMode::GestureOnly, false, straight, 0, 0, 0},
    };
    for (const Case& c : cases) {
        overlay.SetEnabled(false);
        overlay.Ink()->DeleteStrokes();
        ASSERT_TRUE(overlay.SetCollectionMode(c.mode)) << c.name;
        ASSERT_TRUE(overlay.SetEnabled(true));
        sink = Sink();
        sink.cancelGesture = c.cancel;
        Drag(c.path);
        EXPECT_EQ(overlay.Ink()->StrokeCount(), c.inkLeft) << c.name;
        EXPECT_EQ(sink.strokes, c.strokeEvents) << c.name;
        ASSERT_EQ(int(sink.gestures.size()), c.gestureEvents) << c.name;
        if (c.gestureEvents) {
            EXPECT_EQ(sink.gestures.front(), InkApplicationGesture::Scratchout) << c.name;
            EXPECT_EQ(sink.gestureStrokes, 1) << c.name;
        }
    }
    EXPECT_EQ(UiTestHook::PixelAt(window, {70, 25}), GetSysColor(COLOR_WINDOW)) << "a gesture leaves no ink drawn";
}

TEST_F(InkInput, PenPressureIsKeptWithEachPoint)
{
    overlay.PenDown({10, 10}, 200);
    overlay.PenMove({20, 10}, 700);
    overlay.PenMove({30, 10});  // a packet without pressure repeats the last
    overlay.PenUp({30, 10});
    auto stroke = overlay.Ink()->Stroke(1);
    EXPECT_EQ(stroke->Pressures(), (std::vector<WORD>{200, 700, 700}));
}

void SendTablet(QEvent::Type type, QPointF at, qreal pressure, const QPointingDevice& device)
{
    Qt::MouseButtons held = type == QEvent::TabletRelease ? Qt::NoButton : Qt::LeftButton;
    QTabletEvent event(type, &device, at, at, pressure, 0, 0, 0, 0, 0, Qt::NoModifier, Qt::LeftButton, held);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &event);
}

TEST_F(InkInput, ATabletPenInksWithPressureAndItsEraserEndIsReported)
{
    auto caps = QInputDevice::Capability::Position | QInputDevice::Capability::Pressure;
    QPointingDevice pen("pen", 1, QInputDevice::DeviceType::Stylus, QPointingDevice::PointerType::Pen, caps, 1, 2);
    QPointingDevice eraser("eraser", 2, QInputDevice::DeviceType::Stylus, QPointingDevice::PointerType::Eraser, caps, 1, 2);
    SendTablet(QEvent::TabletPress, {20, 20}, 0.25, pen);
    SendTablet(QEvent::TabletMove, {40, 20}, 1.0, pen);
    SendTablet(QEvent::TabletRelease, {40, 20}, 0.0, pen);
    ASSERT_EQ(overlay.Ink()->StrokeCount(), 1u);
    EXPECT_EQ(overlay.Ink()->Stroke(1)->Pressures(), (std::vector<WORD>{256, 1023}));
    EXPECT_EQ(g_windowClicks, 0);
    SendTablet(QEvent::TabletPress, {60, 60}, 0.5, eraser);
    SendTablet(QEvent::TabletRelease, {60, 60}, 0.0, eraser);
    ASSERT_EQ(sink.inRange.size(), 2u);
    EXPECT_FALSE(sink.inRange[0].Inverted);
    EXPECT_TRUE(sink.inRange[1].Inverted);
    SendTablet(QEvent::TabletPress, {250, 140}, 0.5, pen);  // off the ink's window: not taken
    SendTablet(QEvent::TabletRelease, {250, 140}, 0.0, pen);
    EXPECT_EQ(overlay.Ink()->StrokeCount(), 2u);  // the pen's stroke and the eraser end's dot
    ASSERT_TRUE(overlay.SetEnabled(false));
    SendTablet(QEvent::TabletPress, {20, 20}, 0.5, pen);
    SendTablet(QEvent::TabletRelease, {20, 20}, 0.0, pen);
    EXPECT_EQ(overlay.Ink()->StrokeCount(), 2u);
}

TEST_F(InkInput, TheEraserTakesWholeStrokesOrTheirParts)
{
    Drag({{10, 20}, {60, 20}, {110, 20}});
    Drag({{10, 100}, {110, 100}});
    overlay.SetEditingMode(InkOverlayEditingMode::Delete);
    Drag({{60, 10}, {60, 20}, {60, 30}});
    EXPECT_EQ(overlay.Ink()->StrokeCount(), 1u);
    EXPECT_EQ(sink.deleting, 1);
    overlay.SetEraserMode(InkOverlayEraserMode::PointErase);
    Drag({{60, 100}});
    ASSERT_EQ(overlay.Ink()->StrokeCount(), 2u);  // cut in two, though it had points only at its ends
    EXPECT_EQ(overlay.Ink()->Strokes().Item(0)->Points().front().x, InkOf({10, 100}).x);
    EXPECT_LT(overlay.Ink()->Strokes().Item(0)->Points().back().x, InkOf({60, 100}).x - 100);
    EXPECT_EQ(g_windowClicks, 0);
}

TEST_F(InkInput, ADraggedRectangleSelectsTheStrokesInsideIt)
{
    Drag({{20, 20}, {40, 30}});
    Drag({{120, 20}, {150, 30}});
    overlay.SetEditingMode(InkOverlayEditingMode::Select);
    Drag({{10, 10}, {60, 50}});
    ASSERT_EQ(overlay.Selection().Count(), 1u);
    EXPECT_EQ(overlay.Selection().Item(0)->ID(), 1);
    EXPECT_EQ(overlay.Ink()->StrokeCount(), 2u);
    sink.dropSelection = true;
    Drag({{0, 0}, {199, 149}});
    EXPECT_EQ(overlay.Selection().Count(), 0u);
    sink.dropSelection = false;
    Drag({{0, 0}, {199, 149}});
    EXPECT_EQ(overlay.Selection().Count(), 2u);
    overlay.SetEditingMode(InkOverlayEditingMode::Ink);
    EXPECT_EQ(overlay.Selection().Count(), 0u);
}

TEST_F(InkInput, TheWindowAndInkChangeOnlyWhileCollectionIsOff)
{
    EXPECT_FALSE(overlay.SetHWnd(nullptr));
    EXPECT_FALSE(overlay.SetInk(InkDisp::Create()));
    InkOverlay second;
    second.SetHWnd(window);
    EXPECT_FALSE(second.SetEnabled(true));  // one collector per window
    InkOverlay unattached;
    EXPECT_FALSE(unattached.SetEnabled(true));
    EXPECT_FALSE(overlay.SetCollectionMode(InkCollectionMode::InkAndGesture));
    EXPECT_EQ(overlay.GetCollectionMode(), InkCollectionMode::InkOnly);
}

}  // namespace
