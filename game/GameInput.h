// What keys and the mouse do to the game.
#pragma once

#include "game/Game.h"

enum class GameAction { None, MoveLeft, MoveRight, Rotate, DropStep, LandAndStep, DropToLanding, NewGame };

// Key presses (virtual-key codes); the game ignores them while it is over.
GameAction ActionForKeyDown(unsigned vk);
// Typed characters; these act after game over too, and space only then.
GameAction ActionForChar(unsigned ch);
void Perform(CGame& game, GameAction action);
void PressKey(CGame& game, unsigned vk);
void TypeChar(CGame& game, unsigned ch);

// Dragging the piece with the left button: every full 20 pixels moves it one cell; a
// click without a move rotates it.
class CPieceDrag {
public:
    // True when the press lies on the piece and a drag starts (capture the mouse).
    bool ButtonDown(const CGame& game, int x, int y);
    void MouseMove(CGame& game, int x, int y);
    // True when a drag ended (release the capture).
    bool ButtonUp(CGame& game);
    // The right button: the piece goes down up to 18 rows and any drag ends. True when a
    // drag ended.
    bool RightButtonUp(CGame& game);
    bool Dragging() const { return m_dragging; }

private:
    bool m_dragging = false;
    bool m_moved = false;
    int m_lastX = 0, m_lastY = 0;
    int m_sumX = 0, m_sumY = 0;
};
