// Feeds one input to a decoder the way the library does, skipping pictures of more than
// maxPixels, which take too long to allocate or draw; every failure must be a PLTextException.
// An empty row or column counts as one pixel wide: a picture of no width still gets a line
// table for all its rows.
#pragma once

#include "piclib/common/PLAnyBmp.h"
#include "piclib/common/PLMemSource.h"
#include "piclib/common/PLPicDecoder.h"
#include "piclib/common/PLTextException.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

inline void FuzzDecode(PLPicDecoder& decoder, const uint8_t* data, size_t size, int64_t maxPixels = 1 << 20)
{
    if (size > (1u << 20))
        return;
    PLMemSource source;
    source.OpenSource(data, static_cast<int>(size));
    decoder.Attach(&source);
    try {
        decoder.Open(&source);
        const int64_t width = std::max(decoder.GetWidth(), 1), height = std::max(decoder.GetHeight(), 1);
        if (width * height <= maxPixels) {
            PLAnyBmp bmp;
            decoder.MakeBmp(&bmp, 0);
        }
    } catch (const PLTextException&) {
    }
    decoder.Detach();
    decoder.Close();
}
