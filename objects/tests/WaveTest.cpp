// The sound record: byte-exact storing, the earlier RIFF layout, and refusals of bad records.
#include "objects/Wave.h"

#include "platform/core/Archive.h"
#include "platform/core/FileException.h"
#include "platform/core/MemFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

void Put32(Bytes& out, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(BYTE(v >> (8 * i)));
}
void Put16(Bytes& out, WORD v)
{
    out.push_back(BYTE(v)), out.push_back(BYTE(v >> 8));
}
void PutText(Bytes& out, const char* text)
{
    out.insert(out.end(), text, text + std::strlen(text));
}

// Writes a marker word, the sound and another marker through one archive.
Bytes Store(CWave& wave)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << DWORD(0x11111111);
        wave.Serialize(ar);
        ar << DWORD(0x22222222);
        ar.Close();
    }
    ULONGLONG size = file.GetLength();
    Bytes bytes(size);
    file.SeekToBegin();
    file.Read(bytes.data(), UINT(size));
    return bytes;
}

// Reads a sound between the two markers; the second marker proves the archive resumes in place.
void Load(Bytes bytes, CWave& wave)
{
    CMemFile file(bytes.data(), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load);
    DWORD marker = 0;
    ar >> marker;
    ASSERT_EQ(marker, 0x11111111u);
    wave.Serialize(ar);
    ar >> marker;
    EXPECT_EQ(marker, 0x22222222u);
}

// The cause of the framework exception of type E that loading throws, or -1 for none.
template <class E>
int LoadFailure(const Bytes& bytes, CWave& wave)
{
    try {
        Load(bytes, wave);
    } catch (E* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

Bytes Framed(const Bytes& record)
{
    Bytes bytes;
    Put32(bytes, 0x11111111);
    bytes.insert(bytes.end(), record.begin(), record.end());
    Put32(bytes, 0x22222222);
    return bytes;
}

// The earlier layout: "RIFF", a canonical header with a format chunk of `formatSize` bytes
// (16 read), the data, then 146 bytes of format information.
Bytes OldRecord(WORD blockAlign, const Bytes& data, DWORD formatSize = 16, const char* dataTag = "data",
                int trailingBlockAlign = -1)
{
    WORD trailingAlign = trailingBlockAlign < 0 ? blockAlign : WORD(trailingBlockAlign);
    Bytes r;
    PutText(r, "RIFF");
    Put32(r, 36 + DWORD(data.size()));
    PutText(r, "WAVEfmt ");
    Put32(r, formatSize);
    Put16(r, WAVE_FORMAT_PCM), Put16(r, 1), Put32(r, 8000), Put32(r, 8000u * blockAlign), Put16(r, blockAlign),
        Put16(r, WORD(8 * blockAlign));
    for (DWORD i = 16; i < formatSize; ++i)
        r.push_back(0);
    PutText(r, dataTag);
    Put32(r, DWORD(data.size()));
    r.insert(r.end(), data.begin(), data.end());
    // The format information: the same format, then bytes of a pattern.
    Put16(r, WAVE_FORMAT_PCM), Put16(r, 1), Put32(r, 8000), Put32(r, 8000u * trailingAlign), Put16(r, trailingAlign),
        Put16(r, WORD(8 * trailingAlign)), Put16(r, 0);
    for (int i = 18; i < int(CWave::OldFormatBytes); ++i)
        r.push_back(BYTE(0xA0 + i % 16));
    return r;
}

TEST(Wave, AFreshSoundIsEmptyPcm)
{
    CWave wave;
    EXPECT_EQ(wave.GetFormat().wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_FALSE(wave.HoldsSamples());
    WaveFormatBlock block = wave.GetFormatBlock();
    EXPECT_TRUE(std::all_of(block.begin() + 2, block.end(), [](BYTE b) { return b == 0; }));
}

TEST(Wave, SetFormatMakesPcmAndDropsTheSamples)
{
    CWave wave;
    wave.SetFormat(1, 8000, 8);
    BYTE samples[3] = {1, 2, 3};
    wave.SetSamples(samples, 3, TRUE);
    ASSERT_TRUE(wave.HoldsSamples());
    wave.SetFormat(2, 22050, 16);
    WAVEFORMATEX f = wave.GetFormat();
    EXPECT_EQ(f.nBlockAlign, 4);
    EXPECT_EQ(f.nAvgBytesPerSec, 88200u);
    EXPECT_EQ(f.wBitsPerSample, 16);
    EXPECT_FALSE(wave.HoldsSamples());
}

TEST(Wave, StoresTheRawBlockCountSizeAndSamples)
{
    CWave wave;
    wave.SetFormat(1, 8000, 16);
    WaveFormatBlock block = wave.GetFormatBlock();
    block[18] = 0x5A;  // extra bytes beyond the size field travel too
    block[2065] = 0xC3;
    wave.SetFormatBlock(block);
    BYTE samples[6] = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60};
    wave.SetSamples(samples, 3, TRUE);

    Bytes expected(block.begin(), block.end());
    Put32(expected, 3);  // frames
    Put32(expected, 2);  // bytes per frame
    expected.insert(expected.end(), samples, samples + 6);
    EXPECT_EQ(Store(wave), Framed(expected));

    CWave back;
    Load(Framed(expected), back);
    EXPECT_EQ(back.GetFormatBlock(), block);
    ASSERT_EQ(back.GetFrameCount(), 3u);
    EXPECT_EQ(std::memcmp(back.GetData(), samples, 6), 0);
}

TEST(Wave, AnEmptySoundStoresNoSampleBytes)
{
    CWave wave;
    wave.SetFormat(2, 22050, 16);
    Bytes bytes = Store(wave);
    ASSERT_EQ(bytes.size(), 4 + WaveFormatBlockSize + 8 + 4);
    EXPECT_EQ(Bytes(bytes.begin() + 4 + 2066, bytes.begin() + 4 + 2074), (Bytes{0, 0, 0, 0, 4, 0, 0, 0}));
    CWave back;
    Load(bytes, back);
    EXPECT_FALSE(back.HoldsSamples());
}

TEST(Wave, ReadsTheEarlierRiffLayout)
{
    Bytes data = {1, 2, 3, 4, 5, 6, 7, 8, 9};  // four frames of two bytes and one stray byte
    CWave wave;
    Load(Framed(OldRecord(2, data)), wave);
    ASSERT_EQ(wave.GetFrameCount(), 4u);
    EXPECT_EQ(Bytes(wave.GetData(), wave.GetData() + 8), Bytes(data.begin(), data.begin() + 8));
    WaveFormatBlock block = wave.GetFormatBlock();
    EXPECT_EQ(wave.GetBlockAlign(), 2);
    EXPECT_EQ(block[18], 0xA0 + 18 % 16);
    EXPECT_EQ(block[145], 0xA0 + 145 % 16);
    EXPECT_EQ(block[146], 0);
}

struct BadRecord {
    const char* name;
    Bytes record;
};

TEST(Wave, RefusesBadEarlierRecordsAsInvalidFiles)
{
    Bytes wrongFmt = OldRecord(2, {1, 2});
    wrongFmt[8] = 'X';
    const BadRecord cases[] = {
        {"format chunk of 18 bytes", OldRecord(2, {1, 2}, 18)},
        {"no data tag", OldRecord(2, {1, 2}, 16, "list")},
        {"no WAVEfmt tag", wrongFmt},
        {"block alignment 0", OldRecord(0, {1, 2})},
        {"format information of another frame size", OldRecord(2, {1, 2}, 16, "data", 4)},
    };
    for (const BadRecord& c : cases) {
        CWave wave;
        EXPECT_EQ(LoadFailure<CFileException>(Framed(c.record), wave), CFileException::invalidFile) << c.name;
    }
}

TEST(Wave, TruncatedOrOversizedRecordsEndWithAnArchiveErrorAndKeepTheSound)
{
    CWave stored;
    stored.SetFormat(1, 8000, 16);
    BYTE samples[4] = {9, 8, 7, 6};
    stored.SetSamples(samples, 2, TRUE);
    Bytes record = Store(stored);
    record.erase(record.end() - 4, record.end());  // no closing marker

    Bytes huge = record;
    huge[4 + 2066 + 3] = 0x7F;  // a frame count far beyond the bytes present

    Bytes oldShort = OldRecord(2, {1, 2, 3, 4});
    oldShort.erase(oldShort.end() - 10, oldShort.end());

    for (const Bytes& bad : {Bytes(record.begin(), record.end() - 1), huge, Framed(oldShort), Bytes(record.begin(), record.begin() + 100)}) {
        CWave wave;
        wave.SetFormat(1, 8000, 16);
        BYTE kept[2] = {0x42, 0x43};
        wave.SetSamples(kept, 1, TRUE);
        EXPECT_EQ(LoadFailure<CArchiveException>(bad, wave), CArchiveException::endOfFile);
        ASSERT_EQ(wave.GetFrameCount(), 1u);
        EXPECT_EQ(wave.GetData()[0], 0x42);
    }
}

TEST(Wave, RefusesSamplesWhoseFrameSizeDisagreesWithTheFormat)
{
    CWave stored;
    stored.SetFormat(1, 8000, 16);
    BYTE samples[4] = {9, 8, 7, 6};
    stored.SetSamples(samples, 2, TRUE);
    Bytes bytes = Store(stored);
    bytes[4 + 2066 + 4] = 1;  // one byte per frame for a two-byte format
    bytes.erase(bytes.end() - 6, bytes.end() - 4);
    CWave wave;
    EXPECT_EQ(LoadFailure<CFileException>(bytes, wave), CFileException::invalidFile);
    EXPECT_FALSE(wave.HoldsSamples());
}

TEST(Wave, CopiesTakeFormatAndSamples)
{
    CWave wave;
    wave.SetFormat(2, 11025, 8);
    BYTE samples[4] = {1, 2, 3, 4};
    wave.SetSamples(samples, 2, TRUE);
    CWave copy(wave);
    EXPECT_EQ(copy.GetFormatBlock(), wave.GetFormatBlock());
    ASSERT_EQ(copy.GetFrameCount(), 2u);
    EXPECT_EQ(std::memcmp(copy.GetData(), samples, 4), 0);
    copy = copy;
    EXPECT_EQ(copy.GetFrameCount(), 2u);
}

TEST(Wave, TakingAnotherFrameSizeDropsTheSamples)
{
    CWave wave;
    wave.SetFormat(1, 8000, 8);
    BYTE samples[2] = {1, 2};
    wave.SetSamples(samples, 2, TRUE);
    wave.TakeFormatBlock(MakePcmFormatBlock(1, 16000, 8));
    EXPECT_EQ(wave.GetFrameCount(), 2u);
    wave.TakeFormatBlock(MakePcmFormatBlock(2, 8000, 16));
    EXPECT_FALSE(wave.HoldsSamples());
    EXPECT_EQ(wave.GetFormat().nChannels, 2);
}

}  // namespace
