#include "platform/media/AcmFormats.h"

#include <cstring>

namespace {

constexpr DWORD kRates[] = {8000, 11025, 22050, 44100};
constexpr WORD kChannels[] = {1, 2};

AcmFormat Make(WORD tag, WORD channels, DWORD rate, WORD bits)
{
    AcmFormat f;
    f.wfx = {tag, channels, rate, 0, WORD(channels * bits / 8), bits, 0};
    if (tag == WAVE_FORMAT_IMA_ADPCM) {
        f.wfx.nBlockAlign = ImaBlockAlign(rate, channels);
        f.wfx.cbSize = 2;
        f.samplesPerBlock = WORD((f.wfx.nBlockAlign - 4 * channels) * 2 / channels + 1);
    }
    f.wfx.nAvgBytesPerSec = DWORD(uint64_t(rate) * f.wfx.nBlockAlign / f.samplesPerBlock);
    return f;
}

bool SaneRateAndChannels(const WAVEFORMATEX& f)
{
    return (f.nChannels == 1 || f.nChannels == 2) && f.nSamplesPerSec >= 1000 && f.nSamplesPerSec <= 192000;
}

}  // namespace

WORD ImaBlockAlign(DWORD samplesPerSec, WORD channels)
{
    DWORD product = samplesPerSec * channels;
    return product < 12000 ? 256 : product < 23000 ? 512 : product < 44000 ? 1024 : 2048;
}

std::vector<BYTE> AcmFormat::Bytes() const
{
    std::vector<BYTE> bytes(sizeof(WAVEFORMATEX) + wfx.cbSize);
    std::memcpy(bytes.data(), &wfx, sizeof wfx);
    if (wfx.cbSize >= 2)
        std::memcpy(bytes.data() + sizeof wfx, &samplesPerBlock, 2);
    return bytes;
}

size_t AcmFormat::FramesIn(size_t bytes) const { return bytes / wfx.nBlockAlign * samplesPerBlock; }

size_t AcmFormat::BytesFor(size_t frames) const
{
    return (frames + samplesPerBlock - 1) / samplesPerBlock * wfx.nBlockAlign;
}

bool AcmFormat::operator==(const AcmFormat& o) const
{
    return std::memcmp(&wfx, &o.wfx, sizeof wfx) == 0 && samplesPerBlock == o.samplesPerBlock;
}

std::optional<AcmFormat> ReadAcmFormat(const WAVEFORMATEX* format)
{
    if (!format || !SaneRateAndChannels(*format))
        return std::nullopt;
    const WAVEFORMATEX& f = *format;
    switch (f.wFormatTag) {
    case WAVE_FORMAT_PCM:
        if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16)
            return std::nullopt;
        break;
    case WAVE_FORMAT_MULAW:
    case WAVE_FORMAT_ALAW:
        if (f.wBitsPerSample != 8)
            return std::nullopt;
        break;
    case WAVE_FORMAT_IMA_ADPCM: {
        if (f.wBitsPerSample != 4 || f.cbSize < 2)
            return std::nullopt;
        AcmFormat ima = Make(f.wFormatTag, f.nChannels, f.nSamplesPerSec, 4);
        WORD samplesPerBlock;
        std::memcpy(&samplesPerBlock, reinterpret_cast<const BYTE*>(format) + sizeof(WAVEFORMATEX), 2);
        if (f.nBlockAlign != ima.wfx.nBlockAlign || samplesPerBlock != ima.samplesPerBlock)
            return std::nullopt;
        return ima;
    }
    default:
        return std::nullopt;
    }
    AcmFormat plain = Make(f.wFormatTag, f.nChannels, f.nSamplesPerSec, f.wBitsPerSample);
    if (f.nBlockAlign != plain.wfx.nBlockAlign)
        return std::nullopt;
    return plain;
}

const std::vector<AcmFormat>& ConvertibleFormats()
{
    static const std::vector<AcmFormat> list = [] {
        std::vector<AcmFormat> formats;
        for (DWORD rate : kRates)
            for (WORD bits : {WORD(8), WORD(16)})
                for (WORD channels : kChannels)
                    formats.push_back(Make(WAVE_FORMAT_PCM, channels, rate, bits));
        for (WORD tag : {WAVE_FORMAT_MULAW, WAVE_FORMAT_ALAW})
            for (WORD channels : kChannels)
                formats.push_back(Make(tag, channels, 8000, 8));
        for (DWORD rate : kRates)
            for (WORD channels : kChannels)
                formats.push_back(Make(WAVE_FORMAT_IMA_ADPCM, channels, rate, 4));
        return formats;
    }();
    return list;
}

std::string FormatTagName(WORD tag)
{
    switch (tag) {
    case WAVE_FORMAT_PCM: return "PCM";
    case WAVE_FORMAT_MULAW: return "u-Law";
    case WAVE_FORMAT_ALAW: return "A-Law";
    case WAVE_FORMAT_IMA_ADPCM: return "IMA ADPCM";
    default: return "Format " + std::to_string(tag);
    }
}

std::string FormatDescription(const WAVEFORMATEX& f)
{
    std::string kbps = std::to_string(f.nAvgBytesPerSec / 1024);
    return std::to_string(f.nSamplesPerSec) + " Hz, " + std::to_string(f.wBitsPerSample) + " bit, " +
           (f.nChannels == 1 ? "mono" : "stereo") + ", " + kbps + " KB/s";
}
