// The pictures rendered at build time from res/artwork/artwork.txt, and the table itself.
#pragma once

#include <cstddef>
#include <string_view>

struct ArtworkPicture {
    const char* name;   // a theme icon's name or own:NAME
    int boxWidth;       // the box it was fitted into, keeping its proportions
    int boxHeight;
    const unsigned char* png;
    size_t size;
};

extern const ArtworkPicture kArtworkPictures[];
extern const size_t kArtworkPictureCount;
extern const std::string_view kArtworkTable;
