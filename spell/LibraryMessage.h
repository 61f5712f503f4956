// Messages the library shows the user ("You must open dictionary first!"). They go to a
// handler that the window layer, or a test, installs; without one they go to stderr.
#pragma once

using LibraryMessageHandler = void (*)(const char* text);

void ShowLibraryMessage(const char* text);
// Installs a handler (null: back to stderr) and returns the one it replaces.
LibraryMessageHandler SetLibraryMessageHandler(LibraryMessageHandler handler);
