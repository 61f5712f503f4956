#include "platform/media/Acm.h"
#include "platform/media/AcmFormats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

// A format block as the sound note keeps it: WAVEFORMATEX and room for format information.
struct Block {
    std::vector<BYTE> bytes = std::vector<BYTE>(2066);
    explicit Block(const AcmFormat& f) { std::memcpy(bytes.data(), f.Bytes().data(), f.Bytes().size()); }
    Block(WORD tag, WORD channels, DWORD rate, WORD bits)
    {
        WORD align = WORD(channels * bits / 8);
        WAVEFORMATEX f{tag, channels, rate, rate * align, align, bits, 0};
        std::memcpy(bytes.data(), &f, sizeof f);
    }
    LPWAVEFORMATEX Format() { return reinterpret_cast<LPWAVEFORMATEX>(bytes.data()); }
};

AcmFormat Ima(WORD channels, DWORD rate)
{
    for (const AcmFormat& f : ConvertibleFormats())
        if (f.wfx.wFormatTag == WAVE_FORMAT_IMA_ADPCM && f.wfx.nChannels == channels && f.wfx.nSamplesPerSec == rate)
            return f;
    return {};
}

std::vector<short> Sine(double hz, DWORD rate, size_t frames, WORD channels = 1, double amplitude = 20000)
{
    std::vector<short> s;
    for (size_t i = 0; i < frames; ++i)
        for (WORD c = 0; c < channels; ++c)
            s.push_back(short(std::lround(amplitude * std::sin(2 * M_PI * hz * double(i) / rate))));
    return s;
}

std::vector<BYTE> AsBytes(const std::vector<short>& s)
{
    std::vector<BYTE> b(s.size() * 2);
    std::memcpy(b.data(), s.data(), b.size());
    return b;
}

std::vector<short> FromBytes(const std::vector<BYTE>& b, WORD bits)
{
    std::vector<short> s;
    if (bits == 8)
        for (BYTE v : b)
            s.push_back(short((v - 128) * 256));
    else
        s.assign(reinterpret_cast<const short*>(b.data()), reinterpret_cast<const short*>(b.data()) + b.size() / 2);
    return s;
}

// The calls in the order a sound note makes them; fails the test on any error.
std::vector<BYTE> Convert(LPWAVEFORMATEX from, LPWAVEFORMATEX to, std::vector<BYTE> source)
{
    HACMSTREAM stream = nullptr;
    EXPECT_EQ(acmStreamOpen(&stream, nullptr, from, to, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME), 0u);
    DWORD size = 0;
    EXPECT_EQ(acmStreamSize(stream, DWORD(source.size()), &size, ACM_STREAMSIZEF_SOURCE), 0u);
    std::vector<BYTE> out(size);
    ACMSTREAMHEADER h{};
    h.cbStruct = sizeof h;
    h.pbSrc = source.data();
    h.cbSrcLength = DWORD(source.size());
    h.pbDst = out.data();
    h.cbDstLength = size;
    EXPECT_EQ(acmStreamPrepareHeader(stream, &h, 0), 0u);
    EXPECT_EQ(acmStreamConvert(stream, &h, 0), 0u);
    EXPECT_EQ(acmStreamUnprepareHeader(stream, &h, 0), 0u);
    EXPECT_EQ(acmStreamClose(stream, 0), 0u);
    out.resize(h.cbDstLengthUsed);
    return out;
}

// Frequency of the first channel from its rising zero crossings, interpolated.
double Frequency(const std::vector<short>& s, WORD channels, DWORD rate)
{
    double first = -1, last = -1;
    int crossings = 0;
    for (size_t i = channels; i < s.size(); i += channels) {
        short a = s[i - channels], b = s[i];
        if (a < 0 && b >= 0) {
            double t = double(i / channels - 1) + double(-a) / double(b - a);
            if (first < 0)
                first = t;
            last = t;
            ++crossings;
        }
    }
    return crossings > 1 ? (crossings - 1) * double(rate) / (last - first) : 0;
}

// Signal to error ratio in dB over the samples both have.
double Snr(const std::vector<short>& a, const std::vector<short>& b)
{
    double signal = 0, noise = 0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        signal += double(a[i]) * a[i];
        noise += double(a[i] - b[i]) * (a[i] - b[i]);
    }
    return 10 * std::log10(signal / std::max(noise, 1.0));
}

TEST(AcmStream, PcmConversionsKeepTheFrequency)
{
    struct Case {
        WORD channels;
        DWORD rate;
        WORD bits;
    } cases[] = {{2, 44100, 16}, {1, 8000, 8}, {1, 11025, 16}};
    Block from(WAVE_FORMAT_PCM, 1, 22050, 16);
    std::vector<short> tone = Sine(441, 22050, 22050);
    for (const Case& c : cases) {
        Block to(WAVE_FORMAT_PCM, c.channels, c.rate, c.bits);
        std::vector<short> out = FromBytes(Convert(from.Format(), to.Format(), AsBytes(tone)), c.bits);
        size_t frames = out.size() / c.channels;
        EXPECT_NEAR(double(frames), double(c.rate), c.rate * 0.01) << c.rate;
        EXPECT_NEAR(Frequency(out, c.channels, c.rate), 441.0, 4.41) << c.rate;
        if (c.channels == 2) {
            EXPECT_EQ(out[1000], out[1001]);
        }
    }
}

TEST(AcmStream, TheSameFormatGivesTheSamplesUnchanged)
{
    Block pcm(WAVE_FORMAT_PCM, 2, 22050, 16);
    std::vector<BYTE> samples = AsBytes(Sine(300, 22050, 5000, 2));
    EXPECT_EQ(Convert(pcm.Format(), pcm.Format(), samples), samples);
}

TEST(AcmStream, CodecRoundTripsStayWithinTheirCodecsError)
{
    struct Case {
        Block codec;
        double minSnr;
    } cases[] = {{Block(WAVE_FORMAT_MULAW, 1, 8000, 8), 30},
                 {Block(WAVE_FORMAT_ALAW, 2, 8000, 8), 30},
                 {Block(Ima(1, 8000)), 20},
                 {Block(Ima(2, 22050)), 20}};
    for (Case& c : cases) {
        const WAVEFORMATEX& f = *c.codec.Format();
        Block pcm(WAVE_FORMAT_PCM, f.nChannels, f.nSamplesPerSec, 16);
        std::vector<short> tone = Sine(500, f.nSamplesPerSec, f.nSamplesPerSec / 2, f.nChannels);
        std::vector<BYTE> coded = Convert(pcm.Format(), c.codec.Format(), AsBytes(tone));
        EXPECT_EQ(coded.size() % f.nBlockAlign, 0u);
        std::vector<short> back = FromBytes(Convert(c.codec.Format(), pcm.Format(), coded), 16);
        EXPECT_GE(back.size(), tone.size()) << f.wFormatTag;
        EXPECT_GT(Snr(tone, back), c.minSnr) << f.wFormatTag << " " << f.nChannels;
    }
}

TEST(AcmStream, LawCodecsTakeOneByteASample)
{
    Block pcm(WAVE_FORMAT_PCM, 1, 8000, 16);
    Block mulaw(WAVE_FORMAT_MULAW, 1, 8000, 8);
    std::vector<BYTE> coded = Convert(pcm.Format(), mulaw.Format(), AsBytes({0, 32767, -32768, 100}));
    ASSERT_EQ(coded.size(), 4u);
    EXPECT_EQ(coded[0], 0xFF);  // silence
    EXPECT_EQ(coded[1], 0x80);  // loudest positive
    EXPECT_EQ(coded[2], 0x00);  // loudest negative
}

TEST(AcmStream, ImaBlocksHoldTheirSamplesPerBlock)
{
    AcmFormat ima = Ima(1, 8000);
    EXPECT_EQ(ima.wfx.nBlockAlign, 256);
    EXPECT_EQ(ima.samplesPerBlock, 505);
    Block pcm(WAVE_FORMAT_PCM, 1, 8000, 16);
    Block coded(ima);
    HACMSTREAM s = nullptr;
    ASSERT_EQ(acmStreamOpen(&s, nullptr, pcm.Format(), coded.Format(), nullptr, 0, 0, 0), 0u);
    DWORD size = 0;
    EXPECT_EQ(acmStreamSize(s, 1010 * 2, &size, ACM_STREAMSIZEF_SOURCE), 0u);
    EXPECT_EQ(size, 3u * 256);  // 1010 frames and the resampler's slack frame need three blocks
    EXPECT_EQ(acmStreamSize(s, 512, &size, ACM_STREAMSIZEF_DESTINATION), 0u);
    EXPECT_EQ(size, 1011u * 2);
    acmStreamClose(s, 0);
}

TEST(AcmStream, RefusesWhatItCannotConvert)
{
    Block pcm(WAVE_FORMAT_PCM, 2, 22050, 16);
    Block odd(WAVE_FORMAT_PCM, 2, 22050, 16);
    odd.Format()->nBlockAlign = 3;
    Block twelveBits(WAVE_FORMAT_PCM, 1, 22050, 12);
    Block unknown(0x55, 2, 44100, 16);
    Block ima(Ima(1, 8000));
    ima.Format()->nBlockAlign = 100;
    for (Block* bad : {&odd, &twelveBits, &unknown, &ima}) {
        HACMSTREAM s = nullptr;
        EXPECT_EQ(acmStreamOpen(&s, nullptr, pcm.Format(), bad->Format(), nullptr, 0, 0, 0), ACMERR_NOTPOSSIBLE);
        EXPECT_EQ(acmStreamOpen(nullptr, nullptr, bad->Format(), pcm.Format(), nullptr, 0, 0, ACM_STREAMOPENF_QUERY),
                  ACMERR_NOTPOSSIBLE);
    }
    EXPECT_EQ(acmStreamOpen(nullptr, nullptr, pcm.Format(), pcm.Format(), nullptr, 0, 0, ACM_STREAMOPENF_QUERY), 0u);

    HACMSTREAM s = nullptr;
    ASSERT_EQ(acmStreamOpen(&s, nullptr, pcm.Format(), pcm.Format(), nullptr, 0, 0, 0), 0u);
    std::vector<BYTE> src(400), dst(100);
    ACMSTREAMHEADER h{sizeof h, 0, 0, src.data(), 400, 0, 0, dst.data(), 100, 0, 0, {}};
    EXPECT_EQ(acmStreamConvert(s, &h, 0), ACMERR_UNPREPARED);
    EXPECT_EQ(acmStreamPrepareHeader(s, &h, 0), 0u);
    EXPECT_EQ(acmStreamConvert(s, &h, 0), ACMERR_NOTPOSSIBLE);  // the destination is too small
    EXPECT_EQ(acmStreamUnprepareHeader(s, &h, 0), 0u);
    EXPECT_EQ(acmStreamClose(s, 0), 0u);
    EXPECT_EQ(acmStreamClose(s, 0), MMSYSERR_INVALHANDLE);
    DWORD size = 0;
    EXPECT_EQ(acmStreamSize(s, 100, &size, 0), MMSYSERR_INVALHANDLE);
}

TEST(AcmStream, OnlyWholeSourceFramesAreUsed)
{
    Block pcm(WAVE_FORMAT_PCM, 2, 22050, 16);
    std::vector<BYTE> samples = AsBytes(Sine(300, 22050, 100, 2));
    samples.resize(samples.size() + 3);  // a torn frame at the end
    std::vector<BYTE> out = Convert(pcm.Format(), pcm.Format(), samples);
    EXPECT_EQ(out.size(), 400u);
}

TEST(AcmFormatChoose, WritesTheChosenFormatOrCancels)
{
    const auto& formats = ConvertibleFormats();
    size_t ima = size_t(std::find(formats.begin(), formats.end(), Ima(2, 44100)) - formats.begin());
    ASSERT_LT(ima, formats.size());
    Block block(WAVE_FORMAT_PCM, 2, 22050, 16);
    ACMFORMATCHOOSE c{};
    c.cbStruct = sizeof c;
    c.fdwStyle = ACMFORMATCHOOSE_STYLEF_INITTOWFXSTRUCT;
    c.pwfx = block.Format();
    c.cbwfx = 2066;
    AcmTestHook::QueueFormatChoice(int(ima));
    ASSERT_EQ(acmFormatChoose(&c), 0u);
    EXPECT_EQ(block.Format()->wFormatTag, WAVE_FORMAT_IMA_ADPCM);
    EXPECT_EQ(block.Format()->nBlockAlign, 2048);
    EXPECT_EQ(block.bytes[18] | block.bytes[19] << 8, 2041);
    EXPECT_STREQ(c.szFormatTag, "IMA ADPCM");

    AcmTestHook::QueueFormatChoice(-1);
    EXPECT_EQ(acmFormatChoose(&c), ACMERR_CANCELED);
    EXPECT_EQ(acmFormatChoose(&c), ACMERR_CANCELED);  // no script and no display
    c.cbwfx = sizeof(WAVEFORMATEX);
    AcmTestHook::QueueFormatChoice(int(ima));
    EXPECT_EQ(acmFormatChoose(&c), ACMERR_NOTPOSSIBLE);
    c.pwfx = nullptr;
    EXPECT_EQ(acmFormatChoose(&c), MMSYSERR_INVALPARAM);
}

TEST(AcmFormats, EveryListedFormatEncodes)
{
    for (const AcmFormat& f : ConvertibleFormats()) {
        Block pcm(WAVE_FORMAT_PCM, f.wfx.nChannels, f.wfx.nSamplesPerSec, 16);
        Block to(f);
        std::vector<BYTE> out = Convert(pcm.Format(), to.Format(), AsBytes(Sine(200, f.wfx.nSamplesPerSec, 3000, f.wfx.nChannels)));
        EXPECT_EQ(f.FramesIn(out.size()) >= 3000, true) << FormatTagName(f.wfx.wFormatTag) << " " << FormatDescription(f.wfx);
    }
}

}  // namespace
