// Each paint tool driven by the mouse on an 8 x 8 canvas, compared pixel by pixel, and the
// undo and redo of every stroke.
#include "PaintFixture.h"

#include <chrono>
#include <functional>
#include <thread>

namespace {

using Art = std::vector<std::string>;

struct ToolCase {
    const char* name;
    int mode;
    std::vector<CPoint> path;
    Art before;
    Art after;
    // Draws the expected result on a blank canvas where the shape is not written as art.
    std::function<void(CDIBSection&)> reference;
};

const std::vector<ToolCase>& toolCases()
{
    static const std::vector<ToolCase> cases = {
        {"pencil follows every move", CPntCtrl::ModePencil, {{1, 1}, {4, 1}, {4, 4}}, {},
         {"........", ".####...", "....#...", "....#...", "....#...", "........"}, nullptr},
        {"line keeps only the last rubber band", CPntCtrl::ModeLine, {{1, 1}, {6, 2}, {5, 5}}, {},
         {"........", ".#......", "..#.....", "...#....", "....#...", ".....#..", "........", "........"}, nullptr},
        {"rectangle outline", CPntCtrl::ModeRect, {{1, 1}, {7, 7}, {5, 4}}, {},
         {"........", ".#####..", ".#...#..", ".#...#..", ".#####..", "........", "........", "........"}, nullptr},
        {"flood fill stops at the outline", CPntCtrl::ModeFill, {{3, 3}},
         {"........", ".#####..", ".#...#..", ".#...#..", ".#####..", "........"},
         {"........", ".#####..", ".#rrr#..", ".#rrr#..", ".#####..", "........", "........", "........"}, nullptr},
        {"ellipse", CPntCtrl::ModeEllipse, {{1, 1}, {6, 6}}, {}, {},
         [](CDIBSection& c) { c.DrawEllipse(1, 1, 6, 6, 1, kBlack, FALSE); }},
        {"filled ellipse", CPntCtrl::ModeFilledEllipse, {{0, 1}, {7, 6}}, {}, {},
         [](CDIBSection& c) { c.DrawEllipse(0, 1, 7, 6, 1, kBlack, TRUE); }},
        {"round rectangle", CPntCtrl::ModeRoundRect, {{0, 0}, {7, 6}}, {}, {},
         [](CDIBSection& c) { c.DrawRect(0, 0, 7, 6, 1, kBlack, FALSE, TRUE); }},
        {"filled rectangle", CPntCtrl::ModeFilledRect, {{2, 2}, {5, 6}}, {}, {},
         [](CDIBSection& c) { c.DrawRect(2, 2, 5, 6, 1, kBlack, TRUE, FALSE); }},
        {"filled round rectangle", CPntCtrl::ModeFilledRoundRect, {{0, 0}, {7, 7}}, {}, {},
         [](CDIBSection& c) { c.DrawRect(0, 0, 7, 7, 1, kBlack, TRUE, TRUE); }},
    };
    return cases;
}

std::vector<COLORREF> referencePixels(const ToolCase& c)
{
    CDIBSection canvas;
    canvas.Create(8, 8, 1, 24, nullptr, nullptr);
    canvas.FillSolid(kWhite);
    c.reference(canvas);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pixels.push_back(canvas.GetPixel(x, y) & 0xFFFFFF);
    return pixels;
}

} // namespace

TEST_F(PaintTest, EachToolDrawsWhatTheMouseTraced_AndUndoRedoTakeItBackAndAgain)
{
    for (const ToolCase& c : toolCases()) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(ctrl.CreateImage(8, 8, 1, 24));
        ctrl.SetFillColour(kRed);
        Paint(c.before);
        const std::vector<COLORREF> original = Pixels();
        ctrl.SetMode(c.mode);
        Drag(c.path);
        const std::vector<COLORREF> drawn = Pixels();
        if (c.reference)
            EXPECT_EQ(drawn, referencePixels(c));
        else
            EXPECT_EQ(Differences(c.after), "");
        EXPECT_NE(drawn, original);

        ASSERT_TRUE(ctrl.CanUndo());
        ctrl.Undo();
        EXPECT_EQ(Pixels(), original);
        EXPECT_FALSE(ctrl.CanUndo());
        ASSERT_TRUE(ctrl.CanRedo());
        ctrl.Redo();
        EXPECT_EQ(Pixels(), drawn);
        EXPECT_FALSE(ctrl.CanRedo());
    }
}

TEST_F(PaintTest, EraserPaintsWhiteWithoutATransparencyColourAndThatColourWithOne)
{
    struct Case {
        COLORREF transparency;
        char expected;
    };
    for (Case c : {Case{CPntCtrl::NoColour, '.'}, Case{kBlue, 'b'}}) {
        ASSERT_TRUE(ctrl.CreateImage(8, 8, 1, 24));
        Fill(kBlack);
        ctrl.SetTransparencyColour(c.transparency);
        ctrl.m_nEraserWidth = 1;
        ctrl.SetMode(CPntCtrl::ModeEraser);
        Drag({{0, 2}, {7, 2}});
        EXPECT_EQ(Differences({"########", "########", std::string(8, c.expected), "########"}), "");
        ctrl.Undo();
        EXPECT_EQ(Differences({"########", "########", "########"}), "");
    }
}

TEST_F(PaintTest, ColourSamplerTakesForegroundAndFillAndReturnsToTheToolBefore)
{
    Paint({"........", "........", "..r....."});
    ctrl.SetForegroundColour(kBlue);
    EXPECT_EQ(ctrl.GetFillColour(), kBlack) << "the foreground alone leaves the fill colour";
    ctrl.SetMode(CPntCtrl::ModeLine);
    ctrl.SetMode(CPntCtrl::ModeSampler);
    parent.notes.clear();
    Click(2, 2);
    EXPECT_EQ(ctrl.GetForegroundColour() & 0xFFFFFF, kRed);
    EXPECT_EQ(ctrl.GetFillColour() & 0xFFFFFF, kRed);
    EXPECT_EQ(ctrl.GetMode(), CPntCtrl::ModeLine);
    EXPECT_EQ(parent.Codes(), (std::vector<UINT>{CPntCtrl::ColourSampledCode(), CPntCtrl::ModeChangedCode()}));
}

TEST_F(PaintTest, AirbrushSpraysAroundTheCursorWhileItsTimerRuns)
{
    ctrl.SetMode(CPntCtrl::ModeAirbrush);
    ctrl.m_nLineWidth = 1;
    // The 1 ms timer is always due again: take a bounded number of messages while it runs.
    auto pumpSome = [] {
        MSG msg;
        for (int i = 0; i < 20 && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    };
    UiTestHook::MouseDown(WM_LBUTTONDOWN, At(4, 4), MK_LBUTTON);
    for (int i = 0; i < 20; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        pumpSome();
    }
    UiTestHook::MouseUp(WM_LBUTTONUP, At(4, 4));
    UiTestHook::PumpPending();
    const std::vector<COLORREF> sprayed = Pixels();
    int dots = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            if (sprayed[size_t(y * 8 + x)] != kBlack)
                continue;
            ++dots;
            EXPECT_LE(std::abs(x - 4), 3) << x << "," << y;
            EXPECT_LE(std::abs(y - 4), 3) << x << "," << y;
        }
    EXPECT_GT(dots, 0);
    // The timer stopped with the button: nothing more appears.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    UiTestHook::PumpPending();
    EXPECT_EQ(Pixels(), sprayed);
    ctrl.Undo();
    EXPECT_EQ(Pixels(), std::vector<COLORREF>(64, kWhite));
    ctrl.Redo();
    EXPECT_EQ(Pixels(), sprayed);
}

TEST_F(PaintTest, SelectionMoveCutsWithoutCtrlAndCopiesWithIt_AndUndoRestores)
{
    struct Case {
        bool ctrlHeld;
        Art after;
    };
    for (const Case& c : {Case{false, {"........", "........", "........", "........", "...rr...", "...rr..."}},
                          Case{true, {"........", ".rr.....", ".rr.....", "........", "...rr...", "...rr..."}}}) {
        SCOPED_TRACE(c.ctrlHeld ? "with Ctrl" : "without Ctrl");
        ASSERT_TRUE(ctrl.CreateImage(8, 8, 1, 24));
        Paint({"........", ".rr.....", ".rr....."});
        const std::vector<COLORREF> original = Pixels();
        ctrl.SetMode(CPntCtrl::ModeSelect);
        TrackDrag({1, 1}, {3, 3});
        EXPECT_EQ(ctrl.GetSelection(), CRect(1, 1, 3, 3));
        TrackDrag({1, 1}, {3, 4}, c.ctrlHeld ? MK_CONTROL : 0);
        EXPECT_EQ(Differences(c.after), "");
        EXPECT_EQ(ctrl.GetSelection(), CRect(3, 4, 5, 6));
        ctrl.Undo();
        EXPECT_EQ(Pixels(), original);
    }
}

TEST_F(PaintTest, MovingTheSamePieceAgainTakesTheEarlierDropBack)
{
    Paint({"........", ".rr.....", ".rr....."});
    ctrl.SetMode(CPntCtrl::ModeSelect);
    TrackDrag({1, 1}, {3, 3});
    TrackDrag({1, 1}, {3, 1});
    TrackDrag({3, 1}, {5, 5});
    EXPECT_EQ(Differences({"........", "........", "........", "........", "........", ".....rr.", ".....rr."}), "");
}

TEST_F(PaintTest, AClickInsideAWholeImageSelectionStartsARubberBand)
{
    ctrl.SetMode(CPntCtrl::ModeSelect);
    TrackDrag({2, 2}, {6, 5});
    EXPECT_EQ(ctrl.GetSelection(), CRect(2, 2, 6, 5));
    EXPECT_EQ(Pixels(), std::vector<COLORREF>(64, kWhite));
}

TEST_F(PaintTest, TextToolDrawsTheTextInsideTheBoxAndFollowsChanges)
{
    ASSERT_TRUE(ctrl.CreateImage(40, 24, 1, 24));
    ctrl.SetZoomPercent(100);
    ctrl.SetMode(CPntCtrl::ModeText);
    TrackDrag({4, 4}, {30, 20});
    ASSERT_EQ(ctrl.GetSelection(), CRect(4, 4, 30, 20));
    ctrl.SetText("W");
    auto countIn = [&](bool inside, COLORREF colour) {
        int count = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 40; ++x)
                if (CRect(4, 4, 30, 20).PtInRect(CPoint(x, y)) == inside)
                    count += (ctrl.GetCanvas().GetPixel(x, y) & 0xFFFFFF) == colour;
        return count;
    };
    const int first = countIn(true, kBlack);
    EXPECT_GT(first, 0);
    EXPECT_EQ(countIn(false, kBlack), 0);
    ctrl.SetText("WWW");
    EXPECT_GT(countIn(true, kBlack), first) << "the new text replaces the old one";
    EXPECT_EQ(countIn(false, kBlack), 0);
    EXPECT_EQ(ctrl.GetSelection(), CRect(4, 4, 30, 20));
    ctrl.SetForegroundColour(kRed);
    EXPECT_EQ(countIn(true, kBlack), 0) << "a colour change redraws the placed text";
    EXPECT_GT(countIn(true, kRed), 0);
    ctrl.SetText("");
    EXPECT_EQ(Pixels(), std::vector<COLORREF>(40 * 24, kWhite));
}

TEST_F(PaintTest, EscapeWithoutADragUndoesTheLastChangeAndCancelsARubberBandLine)
{
    ctrl.SetMode(CPntCtrl::ModePencil);
    Drag({{1, 1}, {3, 1}});
    ctrl.SetFocus();
    ctrl.SendMessage(WM_CHAR, VK_ESCAPE, 0);
    EXPECT_EQ(Pixels(), std::vector<COLORREF>(64, kWhite));

    ctrl.SetMode(CPntCtrl::ModeLine);
    UiTestHook::MouseDown(WM_LBUTTONDOWN, At(1, 1), MK_LBUTTON);
    UiTestHook::PumpPending();
    UiTestHook::MouseMove(At(6, 6), MK_LBUTTON);
    UiTestHook::PumpPending();
    ctrl.SendMessage(WM_CHAR, VK_ESCAPE, 0);
    UiTestHook::MouseUp(WM_LBUTTONUP, At(6, 6));
    UiTestHook::PumpPending();
    EXPECT_EQ(Pixels(), std::vector<COLORREF>(64, kWhite));
    EXPECT_FALSE(ctrl.CanUndo());
}

TEST_F(PaintTest, ZoomToolStepsUpAndWithAltOrTheRightButtonDown)
{
    ctrl.SetZoomPercent(200);
    ctrl.SetMode(CPntCtrl::ModeZoom);
    Click(1, 1);
    EXPECT_EQ(ctrl.GetZoomPercent(), 300);
    Click(1, 1, WM_RBUTTONDOWN);
    EXPECT_EQ(ctrl.GetZoomPercent(), 200);
    UiTestHook::KeyDown(VK_MENU);
    Click(1, 1);
    UiTestHook::KeyUp(VK_MENU);
    UiTestHook::PumpPending();
    EXPECT_EQ(ctrl.GetZoomPercent(), 100);
}

TEST_F(PaintTest, DrawnPixelsReachTheScreenAtTheZoom)
{
    ctrl.SetMode(CPntCtrl::ModePencil);
    Drag({{2, 3}});
    ctrl.Invalidate();
    UiTestHook::PumpPending();
    const CPoint inside = ctrl.ImageToClient(CPoint(2, 3)) + CPoint(2, 2);
    const CPoint beside = ctrl.ImageToClient(CPoint(3, 3)) + CPoint(2, 2);
    EXPECT_EQ(UiTestHook::PixelAt(ctrl.GetSafeHwnd(), inside), kBlack);
    EXPECT_EQ(UiTestHook::PixelAt(ctrl.GetSafeHwnd(), beside), kWhite);
}
