// A bitmap file in memory: its header, colour table and pixels, checked against its size.
#pragma once

#include "platform/gdi/DibTypes.h"

#include <optional>
#include <vector>

struct PackedBitmap {
    // The header and colour table, copied to aligned storage.
    std::vector<DWORD> infoWords;
    const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(infoWords.data()); }
    const BYTE* bits = nullptr;
    int width = 0;
    int height = 0;
    int colours = 0;  // entries in the colour table
};

// nullopt for anything that is not a complete, uncompressed bitmap file.
std::optional<PackedBitmap> ParseBitmapFile(const std::vector<BYTE>& file);
// The file's bytes, or nothing when it cannot be read.
std::optional<std::vector<BYTE>> ReadWholeFile(const char* path);
