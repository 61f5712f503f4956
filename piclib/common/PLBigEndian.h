// Big-endian numbers from a data source and from bytes already read.
#pragma once

#include "piclib/common/PLDataSource.h"

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
