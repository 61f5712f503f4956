// Scripted answers and synthetic input for tests: message boxes and pop-up menus take their
// results from queues filled here, and input goes through the same routing as real input.
#pragma once

#include "platform/ui/UiTypes.h"

#include <string>
#include <vector>

namespace UiTestHook {

// Answers for the next message boxes, first in first out. While answers are queued no box is
// shown; every box shown is recorded.
void QueueMessageBoxAnswer(int answer);
int PendingMessageBoxAnswers();
std::string LastMessageBoxText();
UINT LastMessageBoxStyle();
int MessageBoxCount();

// Command ids that the next pop-up menus return (0 dismisses the menu).
void QueueMenuPick(UINT command);
// The next pop-up menu is pictured to a PNG file, as it shows, before it takes its pick.
void QueueMenuSnapshot(const std::string& pngPath);

// File names that the next file dialogs return; an empty name cancels.
void QueueFileDialogAnswer(const std::string& path);
bool TakeFileDialogAnswer(std::string& path);

// Synthetic input in screen coordinates; keys are MK_* flags.
void MouseMove(POINT screenPt, UINT keys = 0);
void MouseDown(UINT buttonMessage, POINT screenPt, UINT keys);
void MouseUp(UINT buttonMessage, POINT screenPt, UINT keys = 0);
void KeyDown(int vk);
void KeyUp(int vk);

// Dispatches every message that is ready now (paints and due timers included).
void PumpPending();

// The colour of a pixel of a window's client area as last painted; CLR_INVALID (0xFFFFFFFF)
// outside the window or before it was ever painted.
COLORREF PixelAt(HWND hwnd, POINT clientPt);

// A dropped-files handle as the display hands it over with WM_DROPFILES.
HDROP MakeDrop(const std::vector<std::string>& files, POINT clientPt = {0, 0});

// Writes a picture of the pop-up menu, drawn as it shows on the display, to a PNG file.
bool SnapshotPopupMenu(HMENU menu, const std::string& pngPath);
// The texts of the menu's items as the display shows them, sub-menus' items after their own.
std::vector<std::string> ShownMenuTexts(HMENU menu);

// Forgets every queued answer and record.
void Reset();

} // namespace UiTestHook

// Used by the layer itself: the scripted answer when one is queued.
bool TakeScriptedMessageBoxAnswer(const char* text, UINT style, int& answer);
bool TakeScriptedMenuPick(UINT& command);
bool TakeScriptedMenuSnapshot(std::string& pngPath);
