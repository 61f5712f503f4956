// Starting outside programs: the one place where the platform creates processes. Arguments
// go to the program as they are, never through a command interpreter.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct ShellLaunch {
    std::vector<std::string> argv; // native (UTF-8); argv[0] is looked up on PATH when it has no '/'
    std::string folder; // working folder; empty keeps the current one
    // How long to wait for the exit code: desktop tools (xdg-open, xdg-email) report a missing
    // handler through it. 0 leaves the program running.
    int waitMilliseconds = 0;
};

// What became of a launch: the exit code when the program ended within the wait, or one of these.
constexpr int kLaunchNotFound = -1;
constexpr int kLaunchRunning = -2;
constexpr int kLaunchFailed = -3;

// Long enough for a desktop tool to find its handler, short enough not to stall the caller.
constexpr int kDesktopToolWait = 1500;

using ShellLauncher = std::function<int(const ShellLaunch&)>;

int LaunchProgram(const ShellLaunch& launch);
// Test seam: every launch goes to `launcher` instead; an empty function restores the real one.
void SetShellLauncher(ShellLauncher launcher);
