// The conversion steps of a stream: wave bytes of any convertible format to and from
// interleaved 16-bit samples (through libsndfile), channel mixing, and resampling (through
// libsamplerate). Private to the conversion layer.
#pragma once

#include "platform/media/AcmFormats.h"

#include <optional>
#include <vector>

std::optional<std::vector<short>> DecodeToPcm16(const AcmFormat& format, const BYTE* bytes, size_t size);
std::optional<std::vector<BYTE>> EncodeFromPcm16(const AcmFormat& format, const std::vector<short>& samples);
// Mono to stereo doubles each sample; stereo to mono takes the mean of the two.
std::vector<short> ConvertChannels(const std::vector<short>& samples, WORD from, WORD to);
std::optional<std::vector<short>> Resample(const std::vector<short>& samples, WORD channels, DWORD from, DWORD to);
// The largest number of frames resampling can make of `frames`.
size_t ResampledFrames(size_t frames, DWORD from, DWORD to);
