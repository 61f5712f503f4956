// Wave files in memory: the RIFF "WAVE" layout with a "fmt " and a "data" chunk.
#pragma once

#include "platform/media/WaveTypes.h"

#include <cstddef>
#include <optional>
#include <vector>

struct WaveImage {
    std::vector<BYTE> format;  // the whole "fmt " chunk, at least a WAVEFORMATEX
    std::vector<BYTE> data;

    const WAVEFORMATEX& Format() const { return *reinterpret_cast<const WAVEFORMATEX*>(format.data()); }
};

// Reads a wave file. Refuses anything but RIFF "WAVE" with a format of at least 16 bytes and a
// data chunk; a data chunk that runs past the end is cut to the bytes present.
std::optional<WaveImage> ParseRiffWave(const BYTE* bytes, size_t size);
// The size a RIFF image claims for itself (8 + its RIFF size), or 0 when it is not one.
size_t RiffWaveSize(const BYTE* header);
// A canonical wave file: the format (WAVEFORMATEX plus cbSize bytes) and the samples.
std::vector<BYTE> MakeRiffWave(const WAVEFORMATEX& format, const BYTE* data, size_t size);
