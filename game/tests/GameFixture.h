// A game whose random pieces come from a fixed sequence and whose sounds are recorded.
#pragma once

#include "game/Game.h"

#include <algorithm>
#include <vector>

struct ScriptedGame {
    // Pairs of (colour, kind) for the pieces in the order they are made; repeats.
    explicit ScriptedGame(std::vector<int> draws = {0, 3})
        : draws(std::move(draws)),
          game([this] { return this->draws[next++ % this->draws.size()]; },
               [this](unsigned id) { sounds.push_back(id); })
    {
    }
    // Fills whole rows of the board, leaving the listed columns free.
    void FillRow(int y, std::vector<int> holes = {})
    {
        for (int x = 1; x <= 9; ++x)
            if (std::find(holes.begin(), holes.end(), x) == holes.end())
                game.AddBoardCell(x, y, 1);
    }

    std::vector<int> draws;
    size_t next = 0;
    std::vector<unsigned> sounds;
    CGame game;
};
