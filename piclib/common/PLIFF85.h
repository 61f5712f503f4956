// Chunk identifiers of IFF-85 files: the big-endian reading of their four characters.
#pragma once

#include <cstdint>

constexpr uint32_t PLIFFChunkId(const char (&id)[5])
{
    return uint32_t(uint8_t(id[0])) << 24 | uint32_t(uint8_t(id[1])) << 16 | uint32_t(uint8_t(id[2])) << 8 |
           uint8_t(id[3]);
}

inline constexpr uint32_t PL_IFF_FORM = PLIFFChunkId("FORM");
inline constexpr uint32_t PL_IFF_ILBM = PLIFFChunkId("ILBM");
inline constexpr uint32_t PL_IFF_PBM = PLIFFChunkId("PBM ");
inline constexpr uint32_t PL_IFF_BMHD = PLIFFChunkId("BMHD");
inline constexpr uint32_t PL_IFF_CMAP = PLIFFChunkId("CMAP");
inline constexpr uint32_t PL_IFF_CAMG = PLIFFChunkId("CAMG");
inline constexpr uint32_t PL_IFF_BODY = PLIFFChunkId("BODY");

static_assert(PL_IFF_FORM == 0x464F524D);
static_assert(PL_IFF_PBM == 0x50424D20);
