// What the game draws: the background, the cells, the texts and the score, composed in the
// display's back buffer and presented each frame.
#pragma once

#include "game/DDrawDisplay.h"
#include "game/Game.h"

#include <memory>

constexpr int kClientWidth = 320;
constexpr int kClientHeight = 375;
constexpr COLORREF kTextBackground = 0;
constexpr COLORREF kTextColour = 0xFFFF;

class CGameScreen : private ICellPainter {
public:
    // Starts the display on the window with the palette, graphics and text surfaces.
    HRESULT Init(HWND hwnd);
    void Release();
    // Draws one frame and presents it; DDERR_SURFACELOST when the surfaces need restoring.
    HRESULT DrawFrame(const CGame& game);
    // Brings lost surfaces back: palette, graphics, cells and the game-over text.
    HRESULT RestoreSurfaces(const CGame& game);

    // Puts the palette on the front buffer again.
    HRESULT ResetPalette();

    CDDrawDisplay* Display() const { return m_display.get(); }

private:
    void DrawCell(int x, int y, int colour) override;
    HRESULT MakeScoreText();

    std::unique_ptr<CDDrawDisplay> m_display;
    std::unique_ptr<CDDrawSurface> m_graphics;
    std::unique_ptr<CDDrawSurface> m_gameOver;
    std::unique_ptr<CDDrawSurface> m_score;
    std::unique_ptr<CDDrawSurface> m_paused;
    IDirectDrawPalette* m_palette = nullptr;
    HRESULT m_cellResult = DD_OK;
};
