#include "game/GameInput.h"
#include "GameFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(Keys, MapToActions)
{
    struct Case {
        bool typed;
        unsigned code;
        GameAction action;
    } cases[] = {
        {false, 0x25, GameAction::MoveLeft},   {false, 0x27, GameAction::MoveRight},
        {false, 0x26, GameAction::Rotate},     {false, 0x28, GameAction::DropStep},
        {false, 0x0C, GameAction::LandAndStep}, {false, 'R', GameAction::None},
        {false, 0x20, GameAction::None},       {true, ' ', GameAction::NewGame},
        {true, '5', GameAction::DropToLanding}, {true, 'R', GameAction::Rotate},
        {true, 'r', GameAction::Rotate},       {true, 'x', GameAction::None},
        {true, 0x25, GameAction::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.typed ? ActionForChar(c.code) : ActionForKeyDown(c.code), c.action) << c.code;
}

TEST(Keys, ActOnThePieceWhilePlaying)
{
    struct Case {
        unsigned vk;
        int dx, dy, rotation;
    } cases[] = {{0x25, -1, 0, 0}, {0x27, 1, 0, 0}, {0x26, 0, 0, 1}, {0x28, 0, 1, 0}};
    for (const Case& c : cases) {
        ScriptedGame s({0, 4});
        PressKey(s.game, c.vk);
        EXPECT_EQ(s.game.Current().X(), 3 + c.dx) << c.vk;
        EXPECT_EQ(s.game.Current().Y(), -3 + c.dy) << c.vk;
        EXPECT_EQ(s.game.Current().Rotation(), c.rotation) << c.vk;
    }
}

TEST(Keys, CentreKeyLandsThePieceAndRunsADropStep)
{
    ScriptedGame s;
    PressKey(s.game, 0x0C);
    EXPECT_TRUE(s.game.Board().Contains(5, 16));
    EXPECT_EQ(s.game.Current().Y(), -3);
    TypeChar(s.game, ' ');  // space while playing does nothing
    EXPECT_FALSE(s.game.Board().IsEmpty());
}

struct DragCase {
    const char* name;
    std::vector<std::pair<int, int>> moves;  // cursor positions after the press at (70, 10)
    int dx, dy;
    bool rotated;
};

TEST(Mouse, DragsMoveByWholeTwentyPixelStepsAndClicksRotate)
{
    const DragCase cases[] = {
        {"click", {}, 0, 0, true},
        {"19 down", {{70, 29}}, 0, 0, true},
        {"20 down", {{70, 30}}, 0, 1, false},
        {"45 down in steps", {{70, 20}, {70, 40}, {70, 55}}, 0, 2, false},
        {"41 right", {{111, 10}}, 2, 0, false},
        {"20 left", {{50, 10}}, -1, 0, false},
        {"up then down", {{70, -10}, {70, 20}}, 0, 0, true},
        {"up then more down", {{70, -10}, {70, 30}}, 0, 1, false},
    };
    for (const DragCase& c : cases) {
        ScriptedGame s({0, 4});
        s.game.Current().SetPosition(3, 0);  // hit box (60..139, 0..79)
        CPieceDrag drag;
        ASSERT_TRUE(drag.ButtonDown(s.game, 70, 10)) << c.name;
        for (auto [x, y] : c.moves)
            drag.MouseMove(s.game, x, y);
        EXPECT_TRUE(drag.ButtonUp(s.game));
        EXPECT_EQ(s.game.Current().X(), 3 + c.dx) << c.name;
        EXPECT_EQ(s.game.Current().Y(), c.dy) << c.name;
        EXPECT_EQ(s.game.Current().Rotation(), c.rotated ? 1 : 0) << c.name;
    }
}

TEST(Mouse, PressesOffThePieceDoNothingAndTotalsCarryOver)
{
    ScriptedGame s({0, 4});
    s.game.Current().SetPosition(3, 0);
    CPieceDrag drag;
    EXPECT_FALSE(drag.ButtonDown(s.game, 10, 10));
    drag.MouseMove(s.game, 10, 50);
    EXPECT_FALSE(drag.ButtonUp(s.game));
    EXPECT_EQ(s.game.Current().Y(), 0);

    ASSERT_TRUE(drag.ButtonDown(s.game, 70, 10));
    drag.MouseMove(s.game, 70, 25);  // 15 down
    drag.ButtonUp(s.game);           // no move: rotates
    ASSERT_TRUE(drag.ButtonDown(s.game, 70, 10));
    drag.MouseMove(s.game, 70, 15);  // 5 more makes 20
    drag.ButtonUp(s.game);
    EXPECT_EQ(s.game.Current().Y(), 1);
    EXPECT_EQ(s.game.Current().Rotation(), 1);
}

TEST(Mouse, RightButtonDropsUpTo18RowsAndEndsADrag)
{
    ScriptedGame s({0, 4});
    s.game.Current().SetPosition(3, -5);
    CPieceDrag drag;
    ASSERT_TRUE(drag.ButtonDown(s.game, 70, -90));
    EXPECT_TRUE(drag.RightButtonUp(s.game));
    EXPECT_FALSE(drag.Dragging());
    EXPECT_EQ(s.game.Current().Y(), 12);  // lowest cell at offset 4 reaches row 16
    EXPECT_FALSE(drag.RightButtonUp(s.game));
}

TEST(Mouse, DragsStillMoveThePieceAfterGameOver)
{
    ScriptedGame s({0, 4});
    s.game.AddBoardCell(9, 1, 0);
    s.game.DropStep();
    ASSERT_TRUE(s.game.IsOver());
    s.game.Current().SetPosition(3, 0);
    CPieceDrag drag;
    ASSERT_TRUE(drag.ButtonDown(s.game, 70, 10));
    drag.MouseMove(s.game, 50, 10);
    drag.ButtonUp(s.game);
    EXPECT_EQ(s.game.Current().X(), 2);
}

}  // namespace
