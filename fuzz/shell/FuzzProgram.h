// The whole program started once on the offscreen display, with its settings in a private
// folder, for the fuzz targets and seed makers that go through its own commands.
#pragma once

#include <string>

class CDocument;
class CVantrelApp;

class FuzzProgram {
public:
    // Started on first use; it stays up until the process ends.
    static FuzzProgram& Get();

    // Opens the file as File > Open does when the user picks it, answering No to any question,
    // and lets every window paint once. The document opened, or null.
    CDocument* Open(const std::string& path);
    // A new untitled document, as File > New makes it.
    CDocument* New();
    // Closes every document without asking, and forgets the answers not taken.
    void CloseAll();
    // A file of the program's private folder.
    std::string File(const char* name) const;

private:
    FuzzProgram();
    static void Stop();
    CDocument* FirstDocument() const;

    std::string m_folder;
    CVantrelApp* m_app = nullptr;
};
