#include "game/GameScreen.h"

#include "game/GameResources.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kCell = 21;
constexpr int kTileRow = 379;
constexpr const char* kGameOverText = "G A M E   O V E R";
constexpr const char* kPausedText = "Paused...";

HRESULT MakeText(CDDrawDisplay& display, std::unique_ptr<CDDrawSurface>& out, const char* text)
{
    CDDrawSurface* made = nullptr;
    HRESULT hr = display.CreateSurfaceFromText(&made, nullptr, text, kTextBackground, kTextColour);
    out.reset(made);
    return hr;
}

}  // namespace

HRESULT CGameScreen::Init(HWND hwnd)
{
    Release();
    m_display = std::make_unique<CDDrawDisplay>();
    HRESULT hr = m_display->CreateWindowedDisplay(hwnd, kClientWidth, kClientHeight);
    if (hr != DD_OK)
        return hr;
    if ((hr = m_display->CreatePaletteFromBitmap(&m_palette, kGraphicsName)) != DD_OK ||
        (hr = m_display->SetPalette(m_palette)) != DD_OK)
        return hr;
    CDDrawSurface* graphics = nullptr;
    hr = m_display->CreateSurfaceFromBitmap(&graphics, kGraphicsName, kGraphicsWidth, kGraphicsHeight);
    m_graphics.reset(graphics);
    if (hr != DD_OK)
        return hr;
    if ((hr = MakeText(*m_display, m_gameOver, kGameOverText)) != DD_OK || (hr = MakeScoreText()) != DD_OK)
        return hr;
    return MakeText(*m_display, m_paused, kPausedText);
}

// Made from "xxxxxx" but wide enough for six digits, which are wider in most fonts.
HRESULT CGameScreen::MakeScoreText()
{
    const SIZE placeholder = CDDrawDisplay::TextExtent(nullptr, "xxxxxx");
    const SIZE digits = CDDrawDisplay::TextExtent(nullptr, "000000");
    CDDrawSurface* made = nullptr;
    HRESULT hr = m_display->CreateSurface(&made, DWORD(std::max(placeholder.cx, digits.cx)),
                                          DWORD(std::max(placeholder.cy, digits.cy)));
    m_score.reset(made);
    if (hr != DD_OK)
        return hr;
    return m_score->DrawText(nullptr, "xxxxxx", 0, 0, kTextBackground, kTextColour);
}

void CGameScreen::Release()
{
    m_graphics.reset();
    m_gameOver.reset();
    m_score.reset();
    m_paused.reset();
    if (m_palette)
        m_palette->Release();
    m_palette = nullptr;
    m_display.reset();
}

void CGameScreen::DrawCell(int x, int y, int colour)
{
    if (y < 1 || colour < 0 || colour > 4 || m_cellResult != DD_OK)
        return;
    RECT tile{colour * kCell, kTileRow, colour * kCell + kCell, kTileRow + kCell};
    m_cellResult = m_display->BltSurface(x * kCell - 2, y * kCell, m_graphics.get(), &tile);
}

HRESULT CGameScreen::DrawFrame(const CGame& game)
{
    if (!m_display || !m_graphics || !m_gameOver || !m_score || !m_paused)
        return DDERR_GENERIC;
    RECT background{0, 0, kClientWidth, kClientHeight};
    HRESULT hr = m_display->BltSurface(0, 0, m_graphics.get(), &background);
    if (hr != DD_OK)
        return hr;
    m_cellResult = DD_OK;
    game.Draw(*this);
    if (m_cellResult != DD_OK)
        return m_cellResult;
    if (game.IsOver())
        hr = m_display->BltSurface(80, 150, m_gameOver.get());
    else if (game.Paused())
        hr = m_display->BltSurface(80, 150, m_paused.get());
    if (hr != DD_OK)
        return hr;
    char score[16];
    std::snprintf(score, sizeof(score), "%06d", game.Score());
    if ((hr = m_score->DrawText(nullptr, score, 0, 0, kTextBackground, kTextColour)) != DD_OK ||
        (hr = m_display->BltSurface(230, 105, m_score.get())) != DD_OK)
        return hr;
    return m_display->Present();
}

HRESULT CGameScreen::RestoreSurfaces(const CGame& game)
{
    if (!m_display || !m_display->GetDirectDraw() || !m_graphics || !m_gameOver)
        return DDERR_GENERIC;
    HRESULT hr = m_display->GetDirectDraw()->RestoreAllSurfaces();
    if (hr != DD_OK)
        return hr;
    if (m_palette)
        m_palette->Release();
    m_palette = nullptr;
    if ((hr = m_display->CreatePaletteFromBitmap(&m_palette, kGraphicsName)) != DD_OK ||
        (hr = m_display->SetPalette(m_palette)) != DD_OK ||
        (hr = m_display->ReloadBitmap(m_graphics.get(), kGraphicsName)) != DD_OK)
        return hr;
    m_cellResult = DD_OK;
    game.Draw(*this);
    if (game.IsOver())
        return m_gameOver->DrawText(nullptr, kGameOverText, 0, 0, kTextBackground, kTextColour);
    return m_cellResult;
}

HRESULT CGameScreen::ResetPalette() { return m_display ? m_display->SetPalette(m_palette) : DDERR_GENERIC; }
