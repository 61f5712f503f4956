#include "platform/media/AcmCodec.h"

#include "platform/media/RiffWave.h"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cstring>

namespace {

// A file in memory for libsndfile's virtual I/O, read from or written to.
struct MemoryFile {
    std::vector<BYTE> bytes;
    sf_count_t pos = 0;

    static MemoryFile& Of(void* user) { return *static_cast<MemoryFile*>(user); }
    static sf_count_t Length(void* user) { return sf_count_t(Of(user).bytes.size()); }
    static sf_count_t Tell(void* user) { return Of(user).pos; }
    static sf_count_t Seek(sf_count_t offset, int whence, void* user)
    {
        MemoryFile& f = Of(user);
        sf_count_t base = whence == SEEK_CUR ? f.pos : whence == SEEK_END ? sf_count_t(f.bytes.size()) : 0;
        f.pos = std::max<sf_count_t>(0, base + offset);
        return f.pos;
    }
    static sf_count_t Read(void* out, sf_count_t count, void* user)
    {
        MemoryFile& f = Of(user);
        sf_count_t n = std::clamp<sf_count_t>(sf_count_t(f.bytes.size()) - f.pos, 0, count);
        std::memcpy(out, f.bytes.data() + f.pos, size_t(n));
        f.pos += n;
        return n;
    }
    static sf_count_t Write(const void* in, sf_count_t count, void* user)
    {
        MemoryFile& f = Of(user);
        if (size_t(f.pos + count) > f.bytes.size())
            f.bytes.resize(size_t(f.pos + count));
        std::memcpy(f.bytes.data() + f.pos, in, size_t(count));
        f.pos += count;
        return count;
    }
};

SF_VIRTUAL_IO kMemoryIo = {MemoryFile::Length, MemoryFile::Seek, MemoryFile::Read, MemoryFile::Write,
                           MemoryFile::Tell};

int SubFormat(const WAVEFORMATEX& f)
{
    switch (f.wFormatTag) {
    case WAVE_FORMAT_MULAW: return SF_FORMAT_ULAW;
    case WAVE_FORMAT_ALAW: return SF_FORMAT_ALAW;
    case WAVE_FORMAT_IMA_ADPCM: return SF_FORMAT_IMA_ADPCM;
    default: return f.wBitsPerSample == 8 ? SF_FORMAT_PCM_U8 : SF_FORMAT_PCM_16;
    }
}

}  // namespace

std::optional<std::vector<short>> DecodeToPcm16(const AcmFormat& format, const BYTE* bytes, size_t size)
{
    size_t whole = format.FramesIn(size) / format.samplesPerBlock * format.wfx.nBlockAlign;
    std::vector<BYTE> header = format.Bytes();
    MemoryFile file{MakeRiffWave(*reinterpret_cast<const WAVEFORMATEX*>(header.data()), bytes, whole)};
    SF_INFO info{};
    SNDFILE* sf = sf_open_virtual(&kMemoryIo, SFM_READ, &info, &file);
    if (!sf)
        return std::nullopt;
    std::vector<short> samples(size_t(info.frames) * size_t(info.channels));
    sf_count_t got = sf_readf_short(sf, samples.data(), info.frames);
    sf_close(sf);
    if (info.channels != format.wfx.nChannels || got < 0)
        return std::nullopt;
    samples.resize(size_t(got) * size_t(info.channels));
    return samples;
}

std::optional<std::vector<BYTE>> EncodeFromPcm16(const AcmFormat& format, const std::vector<short>& samples)
{
    MemoryFile file;
    SF_INFO info{};
    info.samplerate = int(format.wfx.nSamplesPerSec);
    info.channels = format.wfx.nChannels;
    info.format = SF_FORMAT_WAV | SubFormat(format.wfx);
    SNDFILE* sf = sf_open_virtual(&kMemoryIo, SFM_WRITE, &info, &file);
    if (!sf)
        return std::nullopt;
    sf_count_t frames = sf_count_t(samples.size() / format.wfx.nChannels);
    sf_count_t wrote = sf_writef_short(sf, samples.data(), frames);
    sf_close(sf);
    auto image = ParseRiffWave(file.bytes.data(), file.bytes.size());
    if (wrote != frames || !image || image->Format().nBlockAlign != format.wfx.nBlockAlign)
        return std::nullopt;
    return std::move(image->data);
}

std::vector<short> ConvertChannels(const std::vector<short>& samples, WORD from, WORD to)
{
    if (from == to)
        return samples;
    std::vector<short> out;
    if (from == 1) {
        out.reserve(samples.size() * 2);
        for (short s : samples)
            out.insert(out.end(), {s, s});
        return out;
    }
    out.reserve(samples.size() / 2);
    for (size_t i = 0; i + 1 < samples.size(); i += 2)
        out.push_back(short((samples[i] + samples[i + 1]) / 2));
    return out;
}

size_t ResampledFrames(size_t frames, DWORD from, DWORD to)
{
    return size_t((uint64_t(frames) * to + from - 1) / from) + 1;
}

std::optional<std::vector<short>> Resample(const std::vector<short>& samples, WORD channels, DWORD from, DWORD to)
{
    if (from == to || samples.empty())
        return samples;
    size_t frames = samples.size() / channels;
    std::vector<float> in(samples.size());
    src_short_to_float_array(samples.data(), in.data(), int(in.size()));
    std::vector<float> out(ResampledFrames(frames, from, to) * channels);
    SRC_DATA data{};
    data.data_in = in.data();
    data.data_out = out.data();
    data.input_frames = long(frames);
    data.output_frames = long(out.size() / channels);
    data.src_ratio = double(to) / double(from);
    data.end_of_input = 1;
    if (src_simple(&data, SRC_SINC_MEDIUM_QUALITY, channels) != 0)
        return std::nullopt;
    std::vector<short> result(size_t(data.output_frames_gen) * channels);
    src_float_to_short_array(out.data(), result.data(), int(result.size()));
    return result;
}
