#include "game/GameResources.h"
#include "game/GameWnd.h"
#include "platform/media/Sound.h"
#include "platform/ui/Menu.h"
#include "TestBitmap.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kGrey = RGB(128, 128, 128), kYellow = RGB(255, 255, 0);
const COLORREF kTiles[5] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255), RGB(0, 255, 255)};

// White background, solid tiles, grey elsewhere.
COLORREF TestGraphics(int x, int y)
{
    if (x < kClientWidth && y < kClientHeight)
        return kWhite;
    if (y >= 379 && x < 105)
        return kTiles[x / 21];
    return kGrey;
}

struct Screen : ::testing::Test {
    void SetUp() override
    {
        RegisterNamedBitmap(kGraphicsName, MakeBitmapFile(kGraphicsWidth, kGraphicsHeight, TestGraphics));
        RegisterGameResources();
        wnd = std::make_unique<CGameWnd>([this] { return draws[next++ % draws.size()]; });
        ASSERT_TRUE(wnd->CreateGameWindow());
        ASSERT_EQ(wnd->StartDisplay(), DD_OK);
    }
    void TearDown() override
    {
        if (wnd->m_hWnd)
            wnd->DestroyWindow();
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    CGame& game() { return wnd->Game(); }
    COLORREF Pixel(int x, int y)
    {
        IDirectDrawSurface7* back = wnd->Screen().Display()->GetBackBuffer();
        DDSURFACEDESC2 desc;
        if (back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK)
            return CLR_INVALID;
        DWORD v;
        std::memcpy(&v, static_cast<BYTE*>(desc.lpSurface) + y * desc.lPitch + x * 4, 4);
        back->Unlock(nullptr);
        return RGB(BYTE(v >> 16), BYTE(v >> 8), BYTE(v));
    }
    // How many pixels of the rectangle have the colour.
    int Count(RECT r, COLORREF c)
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += Pixel(x, y) == c;
        return n;
    }
    std::vector<int> draws{1, 3};  // green squares
    size_t next = 0;
    std::unique_ptr<CGameWnd> wnd;
};

TEST_F(Screen, CellsAreTilesAt21PixelStepsFromRowOne)
{
    game().AddBoardCell(1, 16, 0);
    game().AddBoardCell(9, 1, 2);
    game().AddBoardCell(4, 0, 3);   // above the field: not drawn
    game().AddBoardCell(6, -5, 4);
    ASSERT_EQ(wnd->Screen().DrawFrame(game()), DD_OK);
    struct Case {
        int x, y;
        COLORREF c;
    } cases[] = {
        {19, 336, kTiles[0]},  {39, 356, kTiles[0]},  {18, 336, kWhite},     {40, 336, kWhite},
        {19, 335, kWhite},     {187, 21, kTiles[2]},  {207, 41, kTiles[2]},  {208, 21, kWhite},
        {82, 0, kWhite},       {124, 20, kWhite},     {80, 10, kWhite},
        // the next piece, a square at (10, 6): cells (12..13, 7..8)
        {250, 147, kTiles[1]}, {291, 188, kTiles[1]}, {249, 147, kWhite},    {250, 146, kWhite},
        {292, 188, kWhite},    {250, 189, kWhite},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pixel(c.x, c.y), c.c) << c.x << "," << c.y;
    EXPECT_EQ(Count(RECT{0, 0, kClientWidth, kClientHeight}, kGrey), 0);
}

TEST_F(Screen, TheFallingPieceIsDrawnWhereItIs)
{
    game().Current().SetPosition(3, 2);  // square cells (5..6, 3..4)
    ASSERT_EQ(wnd->Screen().DrawFrame(game()), DD_OK);
    EXPECT_EQ(Count(RECT{103, 63, 145, 105}, kTiles[1]), 42 * 42);
    EXPECT_EQ(Pixel(102, 63), kWhite);
    EXPECT_EQ(Pixel(145, 104), kWhite);
}

TEST_F(Screen, ScoreAndStateTexts)
{
    struct Case {
        bool over, paused;
        bool text;
    } cases[] = {{false, false, false}, {false, true, true}, {true, false, true}, {true, true, true}};
    for (const Case& c : cases) {
        game().NewGame();
        if (c.over) {
            game().AddBoardCell(9, 1, 0);
            game().DropStep();
        }
        game().SetPaused(c.paused);
        ASSERT_EQ(wnd->Screen().DrawFrame(game()), DD_OK);
        const RECT textArea{80, 150, 200, 170};
        EXPECT_EQ(Count(textArea, kYellow) > 0, c.text) << c.over << c.paused;
        EXPECT_EQ(Pixel(80, 150), c.text ? RGB(0, 0, 0) : kWhite);
        EXPECT_EQ(Pixel(79, 150), kWhite);
    }
    const RECT scoreArea{230, 105, 290, 125};
    EXPECT_GT(Count(scoreArea, kYellow), 10);
    EXPECT_EQ(Pixel(230, 105), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(229, 105), kWhite);
    EXPECT_EQ(Pixel(230, 104), kWhite);
}

TEST_F(Screen, LostSurfacesAreRestoredAndDrawnAgain)
{
    game().AddBoardCell(1, 16, 0);
    IDirectDraw7* dd = wnd->Screen().Display()->GetDirectDraw();
    DirectDrawTestHook::LoseSurfaces(dd);
    EXPECT_EQ(wnd->Screen().DrawFrame(game()), DDERR_SURFACELOST);
    ASSERT_EQ(wnd->Screen().RestoreSurfaces(game()), DD_OK);
    ASSERT_EQ(wnd->Screen().DrawFrame(game()), DD_OK);
    EXPECT_EQ(Pixel(19, 336), kTiles[0]);
    EXPECT_EQ(Pixel(0, 0), kWhite);
}

TEST_F(Screen, PaintingAfterALossRestoresAndDrawsAgain)
{
    game().AddBoardCell(1, 16, 0);
    DirectDrawTestHook::LoseSurfaces(wnd->Screen().Display()->GetDirectDraw());
    SendMessage(wnd->m_hWnd, WM_PAINT, 0, 0);
    EXPECT_EQ(wnd->Screen().Display()->GetBackBuffer()->IsLost(), DD_OK);
    EXPECT_EQ(Pixel(19, 336), kTiles[0]);
    EXPECT_EQ(Pixel(0, 0), kWhite);
}

TEST_F(Screen, SoundsGoToThePlayerAsResourcesWhenSwitchedOn)
{
    std::vector<UINT> heard;
    SoundPlayer old = SetSoundPlayer([&](const SoundRequest& r) {
        heard.push_back(r.resourceId);
        return true;
    });
    game().DropToLanding();
    game().DropStep();
    SendMessage(wnd->m_hWnd, WM_COMMAND, ID_SOUND, 0);
    game().DropToLanding();
    game().DropStep();
    SetSoundPlayer(old);
    EXPECT_EQ(heard, std::vector<UINT>{kLandSound});
}

TEST_F(Screen, FrameStepFollowsTheDisplayState)
{
    struct Case {
        HRESULT state;
        HRESULT result;
        bool newDisplay;
    } cases[] = {{DD_OK, DD_OK, false},
                 {DDERR_EXCLUSIVEMODEALREADYSET, DD_OK, false},
                 {DDERR_WRONGMODE, DD_OK, true},
                 {DDERR_GENERIC, DDERR_GENERIC, false}};
    DWORD now = 1000;
    for (const Case& c : cases) {
        CDDrawDisplay* before = wnd->Screen().Display();
        game().AddBoardCell(1, 16, 0);
        DirectDrawTestHook::SetCooperativeState(before->GetDirectDraw(), c.state);
        EXPECT_EQ(wnd->FrameStep(now += 100), c.result) << std::hex << c.state;
        EXPECT_EQ(wnd->Screen().Display() != before, c.newDisplay);
        if (c.newDisplay) {
            EXPECT_TRUE(game().Board().IsEmpty());  // a restart starts a new game
        }
        DirectDrawTestHook::SetCooperativeState(wnd->Screen().Display()->GetDirectDraw(), DD_OK);
    }
    EXPECT_EQ(wnd->FrameStep(now + 50), DD_OK);  // no tick due
}

TEST_F(Screen, MissingGraphicsFailTheStartCleanly)
{
    CDDrawSurface* surface = nullptr;
    CDDrawDisplay* display = wnd->Screen().Display();
    EXPECT_NE(display->CreateSurfaceFromBitmap(&surface, "/nonexistent/graphics.bmp", 0, 0), DD_OK);
    EXPECT_EQ(surface, nullptr);
    IDirectDrawPalette* palette = nullptr;
    EXPECT_NE(display->CreatePaletteFromBitmap(&palette, "/nonexistent/graphics.bmp"), DD_OK);
    EXPECT_EQ(palette, nullptr);
}

TEST_F(Screen, AnUnusableGraphicsBitmapFailsTheStartWithoutACrash)
{
    RegisterNamedBitmap(kGraphicsName, std::vector<BYTE>{'B', 'M', 1, 2, 3});
    EXPECT_NE(wnd->StartDisplay(), DD_OK);
    EXPECT_NE(wnd->Screen().DrawFrame(game()), DD_OK);
    EXPECT_NE(wnd->Screen().RestoreSurfaces(game()), DD_OK);
    EXPECT_NE(wnd->FrameStep(1000), DD_OK);
}

TEST_F(Screen, WindowMessagesDriveTheGame)
{
    HWND h = wnd->m_hWnd;
    const int x = game().Current().X();
    SendMessage(h, WM_KEYDOWN, 0x25, 0);
    EXPECT_EQ(game().Current().X(), x - 1);
    SendMessage(h, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_TRUE(game().Paused());
    SendMessage(h, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_FALSE(game().Paused());
    SendMessage(h, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_FALSE(wnd->FrameActive());
    SendMessage(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(320, 375));
    EXPECT_TRUE(wnd->FrameActive());

    MINMAXINFO info{};
    SendMessage(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, info.ptMaxTrackSize.x);
    EXPECT_EQ(info.ptMinTrackSize.y, info.ptMaxTrackSize.y);
    RECT client{};
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, kClientWidth);
    EXPECT_EQ(client.bottom, kClientHeight);
}

TEST_F(Screen, MenuCommandsSetLevelsShapeSetsAndSound)
{
    HWND h = wnd->m_hWnd;
    HMENU menu = GetMenu(h);
    struct Case {
        UINT command;
        int interval, shapes;
        bool sound;
        UINT checked, unchecked;
    } cases[] = {
        {ID_LEVEL_1 + 3, 1, 7, false, ID_LEVEL_1 + 3, ID_LEVEL_1},
        {ID_LEVEL_1 + 1, 6, 7, false, ID_LEVEL_1 + 1, ID_LEVEL_1 + 3},
        {ID_CRAZY, 6, 11, false, ID_CRAZY, ID_NORMAL},
        {ID_NORMAL, 6, 7, false, ID_NORMAL, ID_CRAZY},
        {ID_SOUND, 6, 7, true, ID_SOUND, ID_CRAZY},
    };
    EXPECT_EQ(GetMenuState(menu, ID_LEVEL_1, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    for (const Case& c : cases) {
        SendMessage(h, WM_COMMAND, c.command, 0);
        EXPECT_EQ(game().DropInterval(), c.interval) << c.command;
        EXPECT_EQ(game().ShapeSetSize(), c.shapes) << c.command;
        EXPECT_EQ(game().Sound(), c.sound) << c.command;
        EXPECT_EQ(GetMenuState(menu, c.checked, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED) << c.command;
        EXPECT_EQ(GetMenuState(menu, c.unchecked, MF_BYCOMMAND) & MF_CHECKED, 0u) << c.command;
    }
}

TEST_F(Screen, AClickOnThePieceRotatesItAndReleasesTheCapture)
{
    HWND h = wnd->m_hWnd;
    game().Current().SetPosition(3, 2);
    const int rotation = game().Current().Rotation();
    SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 50));
    EXPECT_EQ(GetCapture(), h);
    SendMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(70, 50));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(game().Current().Rotation(), rotation);  // a square has one rotation
    SendMessage(h, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(game().Current().Y(), 14);
}

}  // namespace
