// Replacing a file without ever leaving it half-written: the new content goes to a fresh
// file beside it, is flushed to disk, and then renamed over the old one.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// `path` is a native (UTF-8) path. Returns false and leaves any old file untouched on failure;
// with replace == false it also fails when the file exists (checked atomically).
bool WriteFileAtomically(const std::string& path, std::string_view bytes, bool replace = true);

// Test seam: called with the finished temporary file just before the rename; returning
// false fails the write there. An empty function removes the hook.
void SetAtomicWriteHook(std::function<bool(const std::string& tempPath)> hook);
