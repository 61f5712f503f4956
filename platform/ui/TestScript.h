// Plays a file of user steps (clicks, drags, the wheel, keys, menu picks, dialog answers, the
// picture of the next context menu, the PDF file or the queue of the next print dialog, the colour
// or button that ends the next colour or font dialog and the font its Apply shows, screenshots of the
// program or of one window, text, pictures or data of a registered format put on the
// clipboard as another program would, the clipboard's text written to a file, files dropped
// on a window, the program's clock set, the desktop session ending, everything on the screen
// painted anew, a window resized) into the running program, so end-to-end tests drive the real
// program as a user would.
// VANTREL_TEST_SCRIPT names the file; VANTREL_TEST_LOG, if set, receives one line per step and
// the text of every message box shown.
#pragma once

#include "platform/ui/UiTypes.h"

#include <string>
#include <vector>

namespace UiTestScript {

// Starts playing the script the environment names; does nothing without one.
void StartFromEnvironment();

// Parses and starts playing the given lines, one step per timer tick. Returns false and names
// the bad line in `error` when a line is not a step. A step that cannot be played (no such
// window, no menu holding the command) is logged as "error: ..." and ends the process with
// exit code 3 at once, so a test never waits for a program that lost its way.
bool Start(const std::vector<std::string>& lines, const std::string& logPath, std::string& error);

// A script has taken charge of this session: message boxes, menus and file dialogs never wait
// for a person, they take the scripted answer or their default.
bool Scripted();

// Steps are still to be played.
bool Playing();

// Menu bars that are not the window's own menu (command bars) answer whether one of their
// drop-downs holds a command, and pick it as a click on that item would.
using MenuCommandPicker = bool (*)(unsigned command);
void SetMenuCommandPicker(MenuCommandPicker picker);

// A drag and drop that the program starts during a drag step does not wait for the display:
// it is let go at the drag's end (screen point, MK_* keys). TRUE once per drag step.
bool TakeDragDrop(POINT& screen, unsigned& keys);

// Called by the message box layer: every box shown while a script plays is logged.
void NoteMessageBox(const std::string& text);
// What a person would see or hear that leaves no window behind (a flashing window, a sound)
// is logged as it happens while a script plays.
void NoteEvent(const std::string& text);

} // namespace UiTestScript
