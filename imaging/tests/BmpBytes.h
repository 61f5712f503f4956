// Small ".bmp" images built byte by byte, for record and drawing tests.
#pragma once

#include "objects/tests/ArchiveBytes.h"
#include "platform/core/GlobalMemory.h"

#include <cstdint>
#include <cstring>

inline Bytes FileHeader(uint32_t total, uint32_t offBits)
{
    return Concat({{'B', 'M'}, Dword(total), Word(0), Word(0), Dword(offBits)});
}

inline Bytes InfoHeader(int32_t width, int32_t height, uint16_t bits, uint32_t compression = 0, uint32_t sizeImage = 0,
                        uint32_t clrUsed = 0)
{
    return Concat({Dword(40), Dword(uint32_t(width)), Dword(uint32_t(height)), Word(1), Word(bits), Dword(compression),
                   Dword(sizeImage), Dword(0), Dword(0), Dword(clrUsed), Dword(0)});
}

// 2 x 2, 24 bits, bottom-up. Top row: red, green; bottom row: blue, white.
inline Bytes Pixels24()
{
    return {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,  // bottom: blue, white, padding
            0, 0, 0xFF, 0, 0xFF, 0, 0, 0};       // top: red, green, padding
}

inline Bytes Bmp24()
{
    return Concat({FileHeader(70, 54), InfoHeader(2, 2, 24, 0, 16), Pixels24()});
}

// 3 x 2, 1 bit, table black and white. Top row: #.#, bottom row: .#.
inline Bytes Bmp1()
{
    return Concat({FileHeader(70, 62), InfoHeader(3, 2, 1, 0, 8), {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0},
                   {0xA0, 0, 0, 0}, {0x40, 0, 0, 0}});
}

// 4 x 2, 8 bits, four-colour table red, green, blue, white. Top row 0 1 2 3, bottom row 3 2 1 0.
inline Bytes Bmp8()
{
    return Concat({FileHeader(14 + 40 + 16 + 8, 14 + 40 + 16), InfoHeader(4, 2, 8, 0, 8, 4),
                   {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0}, {3, 2, 1, 0}, {0, 1, 2, 3}});
}

inline Bytes DibRecord(const Bytes& image, uint16_t tag = 0x4142)
{
    return Concat({Word(tag), Dword(uint32_t(image.size())), image});
}

// A movable global block holding the bytes.
inline HGLOBAL BlockOf(const Bytes& bytes)
{
    HGLOBAL handle = GlobalAlloc(GHND, bytes.size());
    std::memcpy(GlobalLock(handle), bytes.data(), bytes.size());
    GlobalUnlock(handle);
    return handle;
}
