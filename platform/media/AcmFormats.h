// The wave formats the conversion streams read and write, checked and normalised, and the
// list the format chooser offers. Private to the conversion layer and its tests.
#pragma once

#include "platform/media/Acm.h"

#include <optional>
#include <string>
#include <vector>

struct AcmFormat {
    WAVEFORMATEX wfx{};          // cbSize is 2 for IMA ADPCM, else 0
    WORD samplesPerBlock = 1;    // frames per block of wfx.nBlockAlign bytes

    // The bytes a caller gets: WAVEFORMATEX followed by the format information.
    std::vector<BYTE> Bytes() const;
    size_t FramesIn(size_t bytes) const;      // whole blocks only
    size_t BytesFor(size_t frames) const;     // whole blocks, the last one partly used
    bool operator==(const AcmFormat& other) const;
};

// The block of IMA ADPCM at a sample rate: larger blocks for higher rates.
WORD ImaBlockAlign(DWORD samplesPerSec, WORD channels);

// Null, unknown or inconsistent formats give nothing.
std::optional<AcmFormat> ReadAcmFormat(const WAVEFORMATEX* format);

// What the chooser lists, in order.
const std::vector<AcmFormat>& ConvertibleFormats();
std::string FormatTagName(WORD tag);
std::string FormatDescription(const WAVEFORMATEX& format);
