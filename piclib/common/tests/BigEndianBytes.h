// Building big-endian test files byte by byte.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline void PutBE16(Bytes& out, uint32_t v)
{
    out.insert(out.end(), {uint8_t(v >> 8), uint8_t(v)});
}

inline void PutBE32(Bytes& out, uint32_t v)
{
    out.insert(out.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}

inline void PutText(Bytes& out, const std::string& text)
{
    out.insert(out.end(), text.begin(), text.end());
}

inline void PutBytes(Bytes& out, const Bytes& more)
{
    out.insert(out.end(), more.begin(), more.end());
}
