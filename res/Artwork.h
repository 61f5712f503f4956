// The program's pictures, icons and cursors, made from the artwork table res/artwork/artwork.txt
// whose pictures the build renders from the icon theme and from our own SVGs.
#pragma once

#include "platform/core/Types.h"

#include <string>
#include <vector>

enum class ArtworkKind { Command, Strip, Bitmap, Icon, Cursor };

struct ArtworkRow {
    ArtworkKind kind = ArtworkKind::Bitmap;
    std::string id; // a number, or the name of a named bitmap
    int width = 0;
    int height = 0;
    COLORREF background = 0;
    POINT hotSpot{};
    std::vector<std::string> pictures;
};

const std::vector<ArtworkRow>& ArtworkTable();
// The picture of a tool bar button's command; empty when the table has none.
std::string CommandPicture(UINT command);
// A 24-bit bitmap file of one width x height cell per picture, each picture centred on the
// background colour; a picture the build did not render leaves its cell plain.
std::vector<BYTE> ArtworkStrip(const std::vector<std::string>& pictures, int width, int height, COLORREF background);
// The strip of a tool bar's buttons (separators, 0, take no cell), in cells of 16 x 15 or,
// for large icons, 32 x 32.
std::vector<BYTE> CommandStrip(const std::vector<UINT>& commands, int width = 16, int height = 15);
// Registers every strip, bitmap, icon and cursor of the table.
void RegisterArtwork();
