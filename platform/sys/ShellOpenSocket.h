// Documents opened while the program runs go to the running program: it listens on a local
// socket in the user's runtime folder, and a later start sends its files there and ends.
#pragma once

#include <string>
#include <vector>

// The socket of the program `name` in the user's runtime folder; empty when the user has no
// private runtime folder.
std::string ShellOpenSocketPath(const std::string& name);

// A program accepts connections on the socket; false for a missing socket or one a crashed
// program left behind.
bool IsSocketListening(const std::string& socket);

// Hands the native absolute paths to the program listening on `socket`. True once it has
// taken them; false when none listens, the files cannot be sent, or no answer comes in time.
bool SendShellOpen(const std::string& socket, const std::vector<std::string>& files);
