// Telling the desktop about the program and its document types: a desktop entry, a
// shared-mime-info package and the default-application choice, all in the user's own data
// and config folders. Nothing is rewritten, and no tool run, when it is already so.
#pragma once

#include <string>
#include <vector>

struct ShellFileType {
    std::string extension; // ".trn"
    std::string typeId; // "VantrelQ8.Document"
    std::string typeName; // shown by file managers (UTF-8)
};

struct ShellProgram {
    std::string id; // the desktop entry's name without ".desktop"
    std::string name; // UTF-8
    std::string program; // native path of the program
};

// "VantrelQ8.Document" -> "application/x-vantrelq8-document".
std::string MimeTypeOf(const std::string& typeId);

// False when a file could not be written or the mime database not be updated.
bool RegisterShellFileTypes(const ShellProgram& program, const std::vector<ShellFileType>& types);
