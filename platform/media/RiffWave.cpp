#include "platform/media/RiffWave.h"

#include <algorithm>
#include <cstring>

namespace {

DWORD ReadDword(const BYTE* p) { return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24; }

void AppendDword(std::vector<BYTE>& out, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(BYTE(v >> (8 * i)));
}

void AppendTag(std::vector<BYTE>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(BYTE(tag[i]));
}

}  // namespace

size_t RiffWaveSize(const BYTE* header)
{
    if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0)
        return 0;
    return size_t(ReadDword(header + 4)) + 8;
}

std::optional<WaveImage> ParseRiffWave(const BYTE* bytes, size_t size)
{
    if (!bytes || size < 12 || RiffWaveSize(bytes) == 0)
        return std::nullopt;
    WaveImage image;
    bool haveData = false;
    for (size_t at = 12; at + 8 <= size && !haveData;) {
        const BYTE* chunk = bytes + at;
        size_t length = ReadDword(chunk + 4);
        size_t present = std::min(length, size - at - 8);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (present < 16 || present != length)
                return std::nullopt;
            image.format.assign(chunk + 8, chunk + 8 + present);
            image.format.resize(std::max(present, sizeof(WAVEFORMATEX)));
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            image.data.assign(chunk + 8, chunk + 8 + present);
            haveData = true;
        }
        at += 8 + present + (present & 1);
    }
    if (image.format.empty() || !haveData)
        return std::nullopt;
    return image;
}

std::vector<BYTE> MakeRiffWave(const WAVEFORMATEX& format, const BYTE* data, size_t size)
{
    size_t formatSize = sizeof(WAVEFORMATEX) + format.cbSize;
    std::vector<BYTE> out;
    out.reserve(20 + formatSize + 8 + size + 1);
    AppendTag(out, "RIFF");
    AppendDword(out, DWORD(4 + 8 + formatSize + (formatSize & 1) + 8 + size + (size & 1)));
    AppendTag(out, "WAVE");
    AppendTag(out, "fmt ");
    AppendDword(out, DWORD(formatSize));
    const BYTE* f = reinterpret_cast<const BYTE*>(&format);
    out.insert(out.end(), f, f + formatSize);
    if (formatSize & 1)
        out.push_back(0);
    AppendTag(out, "data");
    AppendDword(out, DWORD(size));
    out.insert(out.end(), data, data + size);
    if (size & 1)
        out.push_back(0);
    return out;
}
