#include "game/GameInput.h"

#include "platform/ui/UiTypes.h"

namespace {

constexpr unsigned kVkClear = 0x0C;  // the keypad centre key without Num Lock
constexpr int kDragStep = 20;
constexpr int kRightButtonDrops = 18;

}  // namespace

GameAction ActionForKeyDown(unsigned vk)
{
    switch (vk) {
    case VK_LEFT: return GameAction::MoveLeft;
    case VK_RIGHT: return GameAction::MoveRight;
    case VK_UP: return GameAction::Rotate;
    case VK_DOWN: return GameAction::DropStep;
    case kVkClear: return GameAction::LandAndStep;
    default: return GameAction::None;
    }
}

GameAction ActionForChar(unsigned ch)
{
    switch (ch) {
    case ' ': return GameAction::NewGame;
    case '5': return GameAction::DropToLanding;
    case 'R':
    case 'r': return GameAction::Rotate;
    default: return GameAction::None;
    }
}

void Perform(CGame& game, GameAction action)
{
    switch (action) {
    case GameAction::MoveLeft: game.MoveLeft(); break;
    case GameAction::MoveRight: game.MoveRight(); break;
    case GameAction::Rotate: game.Rotate(); break;
    case GameAction::DropStep: game.DropStep(); break;
    case GameAction::LandAndStep:
        game.DropToLanding();
        game.DropStep();
        break;
    case GameAction::DropToLanding: game.DropToLanding(); break;
    case GameAction::NewGame: game.NewGame(); break;
    case GameAction::None: break;
    }
}

void PressKey(CGame& game, unsigned vk)
{
    if (!game.IsOver())
        Perform(game, ActionForKeyDown(vk));
}

void TypeChar(CGame& game, unsigned ch)
{
    const GameAction action = ActionForChar(ch);
    if (action != GameAction::NewGame || game.IsOver())
        Perform(game, action);
}

bool CPieceDrag::ButtonDown(const CGame& game, int x, int y)
{
    if (!game.Current().HitTest(x, y))
        return false;
    m_dragging = true;
    m_moved = false;
    m_lastX = x;
    m_lastY = y;
    return true;
}

void CPieceDrag::MouseMove(CGame& game, int x, int y)
{
    if (!m_dragging)
        return;
    m_sumX += x - m_lastX;
    m_sumY += y - m_lastY;
    m_lastX = x;
    m_lastY = y;
    for (; m_sumY >= kDragStep; m_sumY -= kDragStep, m_moved = true)
        game.MoveDown();
    for (; m_sumX >= kDragStep; m_sumX -= kDragStep, m_moved = true)
        game.MoveRight();
    for (; m_sumX <= -kDragStep; m_sumX += kDragStep, m_moved = true)
        game.MoveLeft();
}

bool CPieceDrag::ButtonUp(CGame& game)
{
    if (!m_dragging)
        return false;
    m_dragging = false;
    if (!m_moved)
        game.Rotate();
    return true;
}

bool CPieceDrag::RightButtonUp(CGame& game)
{
    for (int i = 0; i < kRightButtonDrops; ++i)
        game.MoveDown();
    const bool ended = m_dragging;
    m_dragging = false;
    return ended;
}
