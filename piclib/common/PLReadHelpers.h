// Reading helpers of the decoders: big-endian numbers, lengths taken from the file,
// 16-bit samples.
#pragma once

#include "piclib/common/PLDataSource.h"
#include "piclib/common/PLTextException.h"

#include <cstdint>

inline uint16_t PLWordBE(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

inline uint32_t PLDWordBE(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

inline uint16_t PLReadWordBE(PLDataSource* source)
{
    return PLWordBE(source->ReadBytes(2));
}

inline uint32_t PLReadDWordBE(PLDataSource* source)
{
    return PLDWordBE(source->ReadBytes(4));
}

// A 16-bit sample brought to 8 bits, rounded.
inline uint8_t PLScale16To8(uint32_t value)
{
    return static_cast<uint8_t>((value * 255 + 32767) / 65535);
}

// Skips a length read from the file; one that passes the end of the data ends the file.
inline void PLSkipLength(PLDataSource* source, uint32_t length)
{
    if (length > static_cast<uint32_t>(source->GetBytesLeft()))
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
    source->Skip(static_cast<int>(length));
}
