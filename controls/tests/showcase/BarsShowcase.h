// What the bars showcase and its end-to-end test share: commands, colours and places.
#pragma once

#include "platform/ui/ControlBar.h"

namespace bars_showcase {

constexpr UINT kNew = 9901, kOpen = 9902, kSave = 9903, kPrint = 9904, kToolBar = 9910, kNotesId = 0xE830;
constexpr LPCTSTR kStateKey = "Bars";
constexpr int kWidth = 640, kHeight = 480, kNotesWidth = 160;

struct CommandText {
    UINT command;
    LPCTSTR text;
};
constexpr CommandText kCommands[] = {
    {kNew, "Makes a page\nNew"}, {kOpen, "Opens a page\nOpen"}, {kSave, "Keeps the page\nSave"},
    {kPrint, "Prints the page\nPrint"}};

// The pictures of New, Open, Save and Print.
constexpr COLORREF kPictureColours[] = {RGB(220, 0, 0), RGB(0, 170, 0), RGB(0, 0, 220), RGB(230, 200, 0)};

// An enabled button of the table the customize dialog offers.
inline TBBUTTON Offer(UINT command, int image)
{
    TBBUTTON b{};
    b.iBitmap = image;
    b.idCommand = static_cast<int>(command);
    b.fsState = TBSTATE_ENABLED;
    b.iString = -1;
    return b;
}

} // namespace bars_showcase
