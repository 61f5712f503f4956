#include "PaintFixture.h"

#include "res/ResourceParts.h"

void PaintTest::SetUp()
{
    UiTest::SetUp();
    ASSERT_TRUE(parent.Open(RECT{0, 0, 300, 240}));
    ASSERT_TRUE(ctrl.Create(CPntCtrl::ClassName, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 220), &parent, CtrlId));
    ASSERT_TRUE(ctrl.CreateImage(8, 8, 1, 24));
    ctrl.SetZoomPercent(Zoom);
    UiTestHook::PumpPending();
}

void PaintTest::TearDown()
{
    ctrl.DestroyWindow();
    parent.DestroyWindow();
    UiTest::TearDown();
}

POINT PaintTest::At(int x, int y) const
{
    const int inside = ctrl.GetZoomPercent() / 200;
    CPoint client = ctrl.ImageToClient(CPoint(x, y)) + CPoint(inside, inside);
    ctrl.ClientToScreen(&client);
    return client;
}

void PaintTest::Drag(const std::vector<CPoint>& points, UINT keys)
{
    UiTestHook::MouseDown(WM_LBUTTONDOWN, At(points.front().x, points.front().y), MK_LBUTTON | keys);
    UiTestHook::PumpPending();
    for (size_t i = 1; i < points.size(); ++i) {
        UiTestHook::MouseMove(At(points[i].x, points[i].y), MK_LBUTTON | keys);
        UiTestHook::PumpPending();
    }
    UiTestHook::MouseUp(WM_LBUTTONUP, At(points.back().x, points.back().y), keys);
    UiTestHook::PumpPending();
}

void PaintTest::Click(int x, int y, UINT button)
{
    const UINT key = button == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON;
    UiTestHook::MouseDown(button, At(x, y), key);
    UiTestHook::MouseUp(button + 1, At(x, y));
    UiTestHook::PumpPending();
}

void PaintTest::TrackDrag(CPoint from, CPoint to, UINT keys)
{
    UiTestHook::MouseDown(WM_LBUTTONDOWN, At(from.x, from.y), MK_LBUTTON | keys);
    UiTestHook::MouseMove(At(to.x, to.y), MK_LBUTTON | keys);
    UiTestHook::MouseUp(WM_LBUTTONUP, At(to.x, to.y), keys);
    UiTestHook::PumpPending();
}

void PaintTest::Paint(const std::vector<std::string>& art)
{
    for (size_t y = 0; y < art.size(); ++y)
        for (size_t x = 0; x < art[y].size(); ++x)
            if (ArtColour(art[y][x]) != CLR_INVALID)
                ctrl.GetCanvas().SetPixel(int(x), int(y), 1, ArtColour(art[y][x]));
}

std::string PaintTest::Differences(const std::vector<std::string>& art)
{
    std::string report;
    CDIBSection& canvas = ctrl.GetCanvas();
    for (size_t y = 0; y < art.size(); ++y) {
        std::string row;
        bool differs = false;
        for (size_t x = 0; x < art[y].size(); ++x) {
            const COLORREF want = ArtColour(art[y][x]);
            const COLORREF got = canvas.GetPixel(int(x), int(y)) & 0xFFFFFF;
            char shown = '?';
            for (char c : std::string("#.rb"))
                if (ArtColour(c) == got)
                    shown = c;
            row += shown;
            differs |= want != CLR_INVALID && want != got;
        }
        if (differs)
            report += "row " + std::to_string(y) + ": " + row + " want " + art[y] + "\n";
    }
    return report;
}

std::vector<COLORREF> PaintTest::Pixels()
{
    std::vector<COLORREF> pixels;
    CDIBSection& canvas = ctrl.GetCanvas();
    for (int y = 0; y < canvas.GetHeight(); ++y)
        for (int x = 0; x < canvas.GetWidth(); ++x)
            pixels.push_back(canvas.GetPixel(x, y) & 0xFFFFFF);
    return pixels;
}

void PaintTest::Fill(COLORREF colour) { ctrl.GetCanvas().FillSolid(colour); }

void PaintDialogTest::SetUpTestSuite()
{
    PaintTest::SetUpTestSuite();
    RegisterPaintResources();
}

void PaintDialogTest::SetUp()
{
    PaintTest::SetUp();
    ASSERT_TRUE(driver.Open());
}

void PaintDialogTest::TearDown()
{
    driver.DestroyWindow();
    PaintTest::TearDown();
}

void PaintDialogTest::Press(UINT button)
{
    if (HWND active = ::GetActiveWindow())
        ::SendMessage(active, WM_COMMAND, button, 0);
}
