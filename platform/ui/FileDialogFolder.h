// Where a file dialog that names no folder of its own starts: the folder the user last chose a
// document in, else the folder of the most recent file, else the user's documents folder, else
// home. Never the process's current folder, which the program moves into its own folders.
#pragma once

#include <string>

namespace FileDialogFolder {

// The folder the dialog shows first, with the proposed file name appended when there is one.
// An initial folder or an absolute proposed name is taken as it stands.
std::string StartOf(const char* initialFolder, const char* proposedName);

// The user chose this file in a dialog without a folder of its own: the next one starts beside it.
void Remember(const std::string& chosenPath);

// Forgets the remembered folder (tests).
void Forget();

} // namespace FileDialogFolder
