// The game window: keys, mouse, menu commands, activation and painting, and the frame step
// that the program's loop runs between messages.
#pragma once

#include "game/Game.h"
#include "game/GameInput.h"
#include "game/GameScreen.h"
#include "platform/ui/Wnd.h"

class CGameWnd : public CWnd {
public:
    explicit CGameWnd(CGame::Random random);

    // Creates the "WindowedMode" window "Stack Well" with a 320 x 375 client area.
    BOOL CreateGameWindow();
    // Starts the display and a new game with the Normal set.
    HRESULT StartDisplay();
    // One step of the loop at time now: a tick, the display check, a frame.
    HRESULT FrameStep(DWORD now);

    CGame& Game() { return m_game; }
    CGameScreen& Screen() { return m_screen; }
    bool FrameActive() const { return m_frameActive; }

    void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnSize(UINT type, int cx, int cy);
    void OnMove(int x, int y);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnExitMenuLoop(BOOL trackPopup);
    LRESULT OnExitSizeMove(WPARAM, LPARAM);
    LRESULT OnQueryNewPalette(WPARAM, LPARAM);
    void OnPaint();
    void OnDestroy();
    void OnNewGame();
    void OnExit();
    void OnSound();
    void OnNormal();
    void OnCrazy();
    void OnLevel(UINT id);
    void OnAbout();

private:
    HRESULT DrawOrRestore();
    void CheckItems(UINT first, UINT last, UINT chosen);

    CGame m_game;
    CGameScreen m_screen;
    CPieceDrag m_drag;
    bool m_frameActive = true;

    DECLARE_MESSAGE_MAP()
};

// The window size for the game's client area with this style and a menu.
SIZE GameWindowSize(DWORD style, DWORD exStyle);
