// The game state and its rules: new game, drop steps, scoring, levels, shape sets, the
// tick clock, and the moves that keys and the mouse ask for.
#pragma once

#include "game/GameBoard.h"
#include "game/GameShape.h"

#include <cstdint>
#include <functional>
#include <memory>

constexpr unsigned kLandSound = 115;
constexpr unsigned kGameOverSound = 124;
constexpr int kShapeSetNormal = 7;
constexpr int kShapeSetCrazy = 11;

class CGame {
public:
    using Random = std::function<int()>;
    using SoundOut = std::function<void(unsigned resourceId)>;

    explicit CGame(Random random, SoundOut sound = {});

    void NewGame();
    // Moves the piece down, or lands it; then game over and full rows; nothing when over.
    void DropStep();
    // Moves the piece down until it lands (at most the board's height, so a piece without
    // cells cannot fall for ever).
    void DropToLanding();
    void MoveLeft() { m_current->MoveLeft(); }
    void MoveRight() { m_current->MoveRight(); }
    void MoveDown() { m_current->MoveDown(); }
    void Rotate() { m_current->Rotate(); }

    // Level 1..4: drop interval 10, 6, 3, 1 ticks; other levels are refused.
    bool SetLevel(int level);
    int DropInterval() const { return m_dropInterval; }
    // 1..the table's kind count; other sizes are refused and leave the set as it was.
    bool SetShapeSetSize(int size);
    int ShapeSetSize() const { return m_shapeSetSize; }
    void SetSound(bool on) { m_sound = on; }
    bool Sound() const { return m_sound; }
    void SetPaused(bool paused) { m_paused = paused; }
    bool Paused() const { return m_paused; }

    // The clock: a tick is due when more than 99 ms passed since the last one; every
    // DropInterval-th tick runs a drop step unless paused. True when a tick happened.
    bool Tick(uint32_t now);
    void ResetClock(uint32_t now) { m_lastTick = now; }

    const CGameBoard& Board() const { return m_board; }
    const CGameShape& Current() const { return *m_current; }
    const CGameShape& Next() const { return *m_next; }
    CGameShape& Current() { return *m_current; }
    int Score() const { return m_score; }
    bool IsOver() const { return m_over; }

    // The board's cells, the current piece and the next piece, in drawing order.
    void Draw(ICellPainter& painter) const;

    // For tests and the board's own use: a fixed cell.
    bool AddBoardCell(int x, int y, int colour) { return m_board.Insert(SBlock{int16_t(x), int16_t(y)}, colour); }

private:
    void Play(unsigned sound) const;
    void Land();
    std::unique_ptr<CGameShape> MakePiece(int x, int y) const;

    CGameBoard m_board{1, -5, 9, 16};
    std::unique_ptr<CGameShape> m_current;
    std::unique_ptr<CGameShape> m_next;
    Random m_random;
    SoundOut m_soundOut;
    int m_score = 0;
    bool m_over = false;
    bool m_paused = false;
    bool m_sound = false;
    int m_dropInterval = 10;
    int m_shapeSetSize = kShapeSetNormal;
    uint32_t m_ticks = 0;
    uint32_t m_lastTick = 0;
};
