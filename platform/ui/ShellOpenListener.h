// The running program's side of opening documents from later starts (ShellOpenSocket.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

using ShellOpenHandler = std::function<void(const std::vector<std::string>& files)>;

// Listens on `socket`, replacing one a crashed program left behind. False when another
// running program listens there or the socket cannot be made. Each request reaches `handler`
// on the user-interface thread after its sender has been answered.
bool ListenForShellOpen(const std::string& socket, ShellOpenHandler handler);
// Stops listening and removes the socket.
void StopListeningForShellOpen();
