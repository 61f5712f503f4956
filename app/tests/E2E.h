// Starts the real program on a virtual display with a script of user steps, and hands back
// what it left: its exit code and the step log.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// A new picture opens the Edit Bitmap dialog: Load... takes the file the script queued, Link is
// unticked so the picture is kept in the document, and OK inserts it.
inline const std::string kLoadPicture =
    "wait 300\nclick dialog 334 140\nwait 300\nclick dialog 298 245\nclick dialog 334 21\nwait 300\n";

struct Run {
    int exitCode = -1;   // -1: did not start, was killed at the time limit or as asked
    std::string log;     // one line per step, and "box: <text>" for every message box
    bool killed = false; // killed as asked, once the log held the asked text
};

// What a start gets besides its script: the arguments after the program's name, and the
// runtime folder (sockets) when it is to be another start's, not the one below its own home.
struct Start {
    std::vector<std::string> arguments;
    std::string runtime;
};

// A fresh folder for one test: settings, documents and screenshots go there.
std::string TempFolder();

// Plays `script` (lines of steps) in Vantrel under xvfb-run with its settings and data in `home`.
Run RunVantrel(const std::string& script, const std::string& home, int timeoutSeconds = 90);

// The same with the start's arguments and runtime folder.
Run RunVantrelWith(const std::string& script, const std::string& home, const Start& start, int timeoutSeconds = 90);

// The same, but the program is killed with SIGKILL, as a crash would end it, as soon as its
// log holds `logText` (a step line such as "step: wait 60000").
Run RunVantrelKilledAt(const std::string& script, const std::string& home, const std::string& logText,
                       int timeoutSeconds = 90);

// The same, killed as soon as `killNow` answers true; it is asked every 50 ms.
Run RunVantrelKilledWhen(const std::string& script, const std::string& home, const std::function<bool()>& killNow,
                         int timeoutSeconds = 90);

// The same for another program of the tree, started from `home` with its settings there.
Run RunProgram(const std::string& program, const std::string& script, const std::string& home,
               int timeoutSeconds = 90);

// True when the machine can run the program on a virtual display.
bool CanRun();

} // namespace e2e
