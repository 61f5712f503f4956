#include "game/GameInput.h"
#include "game/GameShape.h"
#include "GameFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(ShapeTable, KindsRotationsAndCellsAsStored)
{
    struct Case {
        int kind, rotations, cells, rotation;
        std::vector<int16_t> offsets;
    } cases[] = {
        {0, 2, 4, 1, {1, 2, 2, 2, 2, 1, 3, 1}},
        {1, 2, 4, 0, {1, 2, 2, 2, 3, 2, 4, 2}},
        {3, 1, 4, 0, {2, 1, 3, 1, 3, 2, 2, 2}},
        {4, 4, 4, 3, {1, 2, 2, 2, 3, 2, 3, 3}},
        {6, 4, 4, 2, {1, 2, 2, 2, 3, 2, 2, 3}},
        {8, 1, 8, 0, {1, 1, 2, 1, 3, 1, 1, 2, 3, 2, 1, 3, 2, 3, 3, 3}},
        {9, 4, 5, 3, {2, 1, 3, 1, 3, 2, 2, 3, 3, 3}},
        {10, 1, 5, 0, {2, 1, 1, 2, 2, 2, 3, 2, 2, 3}},
    };
    EXPECT_EQ(ShapeTable::KindCount(), 11);
    for (const Case& c : cases) {
        EXPECT_EQ(ShapeTable::RotationCount(c.kind), c.rotations) << c.kind;
        EXPECT_EQ(ShapeTable::CellCount(c.kind), c.cells) << c.kind;
        auto cells = ShapeTable::Cells(c.kind, c.rotation);
        EXPECT_EQ(std::vector<int16_t>(cells.begin(), cells.end()), c.offsets) << c.kind;
    }
    EXPECT_TRUE(ShapeTable::Cells(11, 0).empty());
    EXPECT_TRUE(ShapeTable::Cells(3, 1).empty());
    EXPECT_TRUE(ShapeTable::Cells(-1, 0).empty());
}

TEST(Pieces, BuildTestsWallsFloorTopAndStack)
{
    struct Case {
        int kind, rotation, x, y;
        bool fits;
    } cases[] = {
        {1, 0, 5, 0, true},    // columns 6..9
        {1, 0, 6, 0, false},   // column 10 is outside
        {1, 0, 0, 0, true},    // columns 1..4
        {1, 0, -1, 0, false},  // column 0 is outside
        {1, 1, 0, 12, true},   // rows 13..16
        {1, 1, 0, 13, false},  // row 17 is below the floor
        {1, 1, 0, -6, true},   // rows -5..-2 exist above the field
        {1, 1, 0, -7, false},  // row -6 does not
        {3, 0, 3, 8, false},   // covers the board cell (5, 10)
        {3, 0, 2, 7, true},
    };
    for (const Case& c : cases) {
        CGameBoard board(1, -5, 9, 16);
        board.Insert(SBlock{5, 10}, 0);
        CGameShape piece(board);
        EXPECT_EQ(piece.Build(c.kind, c.rotation, c.x, c.y), c.fits) << c.kind << "@" << c.x << "," << c.y;
        EXPECT_EQ(piece.IsEmpty(), !c.fits);
    }
}

TEST(Pieces, MovesStopAtWallsFloorAndStack)
{
    struct Case {
        int x, y;
        bool (CGameShape::*move)();
        bool moved;
    } cases[] = {
        {0, 0, &CGameShape::MoveLeft, false},  {1, 0, &CGameShape::MoveLeft, true},
        {5, 0, &CGameShape::MoveRight, false}, {4, 0, &CGameShape::MoveRight, true},
        {0, 14, &CGameShape::MoveDown, false}, {0, 13, &CGameShape::MoveDown, true},
        {3, 7, &CGameShape::MoveDown, false},  // onto the board cell (5, 10)
    };
    for (const Case& c : cases) {
        CGameBoard board(1, -5, 9, 16);
        board.Insert(SBlock{5, 10}, 0);
        CGameShape piece(board);
        ASSERT_TRUE(piece.Build(1, 0, c.x, c.y));  // cells (x+1..x+4, y+2)
        EXPECT_EQ((piece.*c.move)(), c.moved) << c.x << "," << c.y;
        EXPECT_EQ(piece.X() != c.x || piece.Y() != c.y, c.moved);
    }
}

TEST(Pieces, RotationWrapsAndKeepsTheOldOneWhenBlocked)
{
    CGameBoard board(1, -5, 9, 16);
    CGameShape piece(board);
    ASSERT_TRUE(piece.Build(4, 0, 3, 3));
    for (int expected : {1, 2, 3, 0}) {
        EXPECT_TRUE(piece.Rotate());
        EXPECT_EQ(piece.Rotation(), expected);
    }

    ASSERT_TRUE(piece.Build(1, 1, 7, 3));  // upright in column 9
    EXPECT_FALSE(piece.Rotate());         // lying it would reach column 11
    EXPECT_EQ(piece.Rotation(), 1);

    board.Insert(SBlock{3, 5}, 0);
    ASSERT_TRUE(piece.Build(1, 1, 2, 3));  // column 4, next to the cell
    EXPECT_FALSE(piece.Rotate());
    EXPECT_EQ(piece.Rotation(), 1);
    EXPECT_TRUE(piece.Contains(2, 4));
}

TEST(Pieces, HitBoxIs80PixelsFromPositionTimes20)
{
    CGameBoard board(1, -5, 9, 16);
    CGameShape piece(board);
    ASSERT_TRUE(piece.Build(3, 0, 3, 2));
    struct Case {
        int x, y;
        bool hit;
    } cases[] = {{60, 40, true}, {139, 119, true}, {140, 40, false}, {59, 40, false}, {60, 120, false}};
    for (const Case& c : cases)
        EXPECT_EQ(piece.HitTest(c.x, c.y), c.hit) << c.x << "," << c.y;
}

TEST(Board, KeepsCellsOrderedAndRefusesDuplicates)
{
    CGameBoard board(1, -5, 9, 16);
    for (auto [x, y] : {std::pair{4, 16}, {2, 16}, {9, 3}, {1, -5}})
        EXPECT_TRUE(board.Insert(SBlock{int16_t(x), int16_t(y)}, 0));
    EXPECT_FALSE(board.Insert(SBlock{2, 16}, 3));
    EXPECT_EQ(board.Dump(), "[X:01,Y:-5]\n[X:09,Y:03]\n[X:02,Y:16][X:04,Y:16]\n");
}

TEST(Board, RemovesFullRowsAndMovesTheRowsAboveDown)
{
    struct Case {
        std::vector<int> fullRows;
        int removed;
    } cases[] = {{{}, 0}, {{16}, 1}, {{15, 16}, 2}, {{12, 14}, 2}, {{13, 14, 15, 16}, 4}};
    for (const Case& c : cases) {
        CGameBoard board(1, -5, 9, 16);
        for (int y : c.fullRows)
            for (int x = 1; x <= 9; ++x)
                board.Insert(SBlock{int16_t(x), int16_t(y)}, 1);
        board.Insert(SBlock{9, 11}, 2);
        board.Insert(SBlock{2, 13}, 2);  // below 12, above 14
        EXPECT_EQ(board.RemoveFullRows(), c.removed);
        const bool row13Full = std::count(c.fullRows.begin(), c.fullRows.end(), 13) > 0;
        const int above13 = int(std::count_if(c.fullRows.begin(), c.fullRows.end(), [](int y) { return y > 13; }));
        const std::string expect = "[X:09,Y:" + std::to_string(11 + c.removed) + "]\n" +
                                   (row13Full ? "" : "[X:02,Y:" + std::to_string(13 + above13) + "]\n");
        EXPECT_EQ(board.Dump(), expect) << c.removed;
    }
}

TEST(Board, APartialRowStays)
{
    CGameBoard board(1, -5, 9, 16);
    for (int x = 2; x <= 9; ++x)
        board.Insert(SBlock{int16_t(x), 16}, 1);
    board.Insert(SBlock{1, 15}, 1);
    EXPECT_EQ(board.RemoveFullRows(), 0);
    EXPECT_FALSE(board.ReachesTop());
    board.Insert(SBlock{4, 1}, 1);
    EXPECT_TRUE(board.ReachesTop());
}

TEST(Scoring, RowsTimesRowsTimesTenTimesElevenLessInterval)
{
    struct Case {
        int level, rows, score;
    } cases[] = {{1, 1, 10}, {1, 2, 40}, {2, 3, 450}, {3, 1, 80}, {4, 4, 1600}, {1, 0, 0}};
    for (const Case& c : cases) {
        ScriptedGame s;
        ASSERT_TRUE(s.game.SetLevel(c.level));
        for (int i = 0; i < c.rows; ++i)
            s.FillRow(16 - i);
        s.game.DropStep();
        EXPECT_EQ(s.game.Score(), c.score) << c.level << "/" << c.rows;
        EXPECT_TRUE(s.game.Board().IsEmpty());
    }
}

TEST(Scoring, LevelsAndShapeSetsRefuseOutOfRange)
{
    ScriptedGame s;
    struct Case {
        int level;
        bool ok;
        int interval;
    } levels[] = {{1, true, 10}, {2, true, 6}, {3, true, 3}, {4, true, 1}, {0, false, 1}, {5, false, 1}};
    for (const Case& c : levels) {
        EXPECT_EQ(s.game.SetLevel(c.level), c.ok);
        EXPECT_EQ(s.game.DropInterval(), c.interval);
    }
    struct SetCase {
        int size;
        bool ok;
        int kept;
    } sets[] = {{11, true, 11}, {12, false, 11}, {0, false, 11}, {7, true, 7}, {1, true, 1}};
    for (const SetCase& c : sets) {
        EXPECT_EQ(s.game.SetShapeSetSize(c.size), c.ok) << c.size;
        EXPECT_EQ(s.game.ShapeSetSize(), c.kept);
    }
}

TEST(Drops, LandingFixesCellsPlaysSoundAndBringsTheNextPiece)
{
    ScriptedGame s({2, 3, 4, 1});  // colour 2 square, then colour 4 bar
    s.game.SetSound(true);
    EXPECT_EQ(s.game.Current().Kind(), 3);
    EXPECT_EQ(s.game.Next().Kind(), 1);
    EXPECT_EQ(s.game.Next().X(), 10);
    EXPECT_EQ(s.game.Next().Y(), 6);
    EXPECT_FALSE(s.game.Next().IsEmpty());  // shown beside the field, never tested against it
    s.game.DropToLanding();  // square at (3, 14): cells (5..6, 15..16)
    EXPECT_EQ(s.game.Current().Y(), 14);
    s.game.DropStep();
    EXPECT_TRUE(s.game.Board().Contains(5, 16));
    EXPECT_TRUE(s.game.Board().Contains(6, 15));
    EXPECT_EQ(s.game.Board().First()->nColour, 2);
    EXPECT_EQ(s.game.Current().Kind(), 1);
    EXPECT_EQ(s.game.Current().X(), 3);
    EXPECT_EQ(s.game.Current().Y(), -3);
    EXPECT_EQ(s.sounds, std::vector<unsigned>{kLandSound});
    EXPECT_FALSE(s.game.IsOver());
}

TEST(Drops, SoundsOnlyWhenTheFlagIsSet)
{
    ScriptedGame s;
    s.game.DropToLanding();
    s.game.DropStep();
    EXPECT_TRUE(s.sounds.empty());
}

TEST(GameOver, ALandingThatReachesRowOneEndsTheGameBeforeItsRowIsRemoved)
{
    ScriptedGame s;  // squares in columns 5 and 6
    s.game.SetSound(true);
    for (int y = 2; y <= 16; ++y)
        for (int x : {5, 6})
            s.game.AddBoardCell(x, y, 1);
    s.FillRow(1, {5, 6});
    s.game.DropToLanding();
    s.game.DropStep();
    EXPECT_TRUE(s.game.IsOver());
    EXPECT_EQ(s.sounds, (std::vector<unsigned>{kLandSound, kGameOverSound}));
    EXPECT_EQ(s.game.Score(), 10);
    EXPECT_TRUE(s.game.Board().Contains(5, 1));  // the square's top half moved down
    EXPECT_FALSE(s.game.Board().Contains(1, 1));
    const int y = s.game.Current().Y();
    s.game.DropStep();
    EXPECT_EQ(s.game.Current().Y(), y);
    EXPECT_EQ(s.game.Score(), 10);
}

TEST(GameOver, OnlySpaceStartsANewGameAndFiveAndRStillAct)
{
    ScriptedGame s({0, 4});  // the L piece, four rotations
    s.game.AddBoardCell(9, 1, 0);
    s.game.DropStep();
    ASSERT_TRUE(s.game.IsOver());
    const int x = s.game.Current().X(), y = s.game.Current().Y();

    for (unsigned vk : {0x25u, 0x27u, 0x26u, 0x28u, 0x0Cu})
        PressKey(s.game, vk);
    EXPECT_EQ(s.game.Current().X(), x);
    EXPECT_EQ(s.game.Current().Y(), y);
    EXPECT_EQ(s.game.Current().Rotation(), 0);

    TypeChar(s.game, 'R');
    EXPECT_EQ(s.game.Current().Rotation(), 1);
    TypeChar(s.game, 'r');
    EXPECT_EQ(s.game.Current().Rotation(), 2);
    TypeChar(s.game, '5');
    EXPECT_GT(s.game.Current().Y(), y);
    EXPECT_TRUE(s.game.IsOver());

    TypeChar(s.game, ' ');
    EXPECT_FALSE(s.game.IsOver());
    EXPECT_EQ(s.game.Score(), 0);
    EXPECT_TRUE(s.game.Board().IsEmpty());
    TypeChar(s.game, ' ');
    EXPECT_FALSE(s.game.IsOver());
}

TEST(Clock, TicksAfterMoreThan99MsAndDropsEveryIntervalUnlessPaused)
{
    struct Case {
        int level;
        bool paused;
        int ticks;
        int rowsFallen;
    } cases[] = {{4, false, 5, 5}, {1, false, 10, 1}, {1, false, 9, 0}, {2, false, 12, 2}, {4, true, 5, 0}};
    for (const Case& c : cases) {
        ScriptedGame s;
        s.game.SetLevel(c.level);
        s.game.SetPaused(c.paused);
        s.game.ResetClock(1000);
        const int y = s.game.Current().Y();
        EXPECT_FALSE(s.game.Tick(1099));
        uint32_t now = 1000;
        for (int i = 0; i < c.ticks; ++i)
            EXPECT_TRUE(s.game.Tick(now += 100));
        EXPECT_EQ(s.game.Current().Y() - y, c.rowsFallen) << c.level;
    }
}

TEST(Clock, SurvivesTheMillisecondCounterWrapping)
{
    ScriptedGame s;
    s.game.ResetClock(0xFFFFFFC0u);
    EXPECT_FALSE(s.game.Tick(0x20));
    EXPECT_TRUE(s.game.Tick(0x30));
}

}  // namespace
