#include "game/Game.h"

#include "platform/core/Diagnostics.h"

namespace {

constexpr int kDropIntervals[] = {10, 6, 3, 1};
constexpr int kStartX = 3, kStartY = -3;
constexpr int kNextX = 10, kNextY = 6;

}  // namespace

CGame::CGame(Random random, SoundOut sound) : m_random(std::move(random)), m_soundOut(std::move(sound))
{
    NewGame();
}

std::unique_ptr<CGameShape> CGame::MakePiece(int x, int y) const
{
    auto piece = std::make_unique<CGameShape>(m_board);
    if (!piece->BuildRandom(x, y, m_shapeSetSize, m_random))
        TRACE("Creation of New Shape Failed\n");
    return piece;
}

void CGame::NewGame()
{
    m_board.RemoveAll();
    m_score = 0;
    m_over = false;
    m_current = MakePiece(0, 0);
    m_current->SetPosition(kStartX, kStartY);
    m_next = MakePiece(0, 0);
    m_next->SetPosition(kNextX, kNextY);
}

void CGame::Play(unsigned sound) const
{
    if (m_sound && m_soundOut)
        m_soundOut(sound);
}

void CGame::Land()
{
    Play(kLandSound);
    for (const CBlockList::Node* n = m_current->First(); n; n = n->pNext)
        m_board.Insert(SBlock{int16_t(n->Block.nX + m_current->X()), int16_t(n->Block.nY + m_current->Y())},
                       m_current->Colour());
    m_current = std::move(m_next);
    m_current->SetPosition(kStartX, kStartY);
    m_next = MakePiece(kStartX, -4);
    m_next->SetPosition(kNextX, kNextY);
}

void CGame::DropStep()
{
    if (m_over)
        return;
    if (!m_current->MoveDown())
        Land();
    if (m_board.ReachesTop()) {
        m_over = true;
        Play(kGameOverSound);
    }
    const int rows = m_board.RemoveFullRows();
    m_score += rows * 10 * rows * (11 - m_dropInterval);
}

void CGame::DropToLanding()
{
    const int height = m_board.Bottom() - m_board.Top() + 1;
    for (int i = 0; i < height && m_current->MoveDown(); ++i) {
    }
}

bool CGame::SetLevel(int level)
{
    if (level < 1 || level > int(std::size(kDropIntervals)))
        return false;
    m_dropInterval = kDropIntervals[level - 1];
    return true;
}

bool CGame::SetShapeSetSize(int size)
{
    if (size < 1 || size > ShapeTable::KindCount())
        return false;
    m_shapeSetSize = size;
    return true;
}

bool CGame::Tick(uint32_t now)
{
    if (now - m_lastTick <= 99)
        return false;
    ++m_ticks;
    m_lastTick = now;
    if (!m_paused && m_dropInterval > 0 && m_ticks % uint32_t(m_dropInterval) == 0)
        DropStep();
    return true;
}

void CGame::Draw(ICellPainter& painter) const
{
    m_board.Draw(painter, 0, 0);
    m_current->Draw(painter, m_current->X(), m_current->Y());
    m_next->Draw(painter, m_next->X(), m_next->Y());
}
