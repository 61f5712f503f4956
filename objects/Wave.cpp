#include "objects/Wave.h"

#include "objects/WaveFile.h"

#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/core/FileException.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_SERIAL(CWave, CObject, 1)

namespace {

// The earlier layout's header after "RIFF": size, "WAVEfmt ", chunk size, 16 bytes of format,
// "data", data size.
#pragma pack(push, 1)
struct OldHeader {
    DWORD riffSize;
    char waveFmt[8];
    DWORD formatSize;
    WORD formatTag, channels;
    DWORD samplesPerSecond, bytesPerSecond;
    WORD blockAlign, bitsPerSample;
    char data[4];
    DWORD dataSize;
};
#pragma pack(pop)
static_assert(sizeof(OldHeader) == 40);

[[noreturn]] void ThrowInvalid(CArchive& archive)
{
    AfxThrowFileException(CFileException::invalidFile, -1, archive.GetFile()->GetFilePath());
}

void SkipFileBytes(CArchive& archive, ULONGLONG bytes)
{
    RequireFileBytes(archive, bytes);
    archive.GetFile()->Seek(LONGLONG(bytes), CFile::current);
}

}  // namespace

WaveFormatBlock MakePcmFormatBlock(WORD channels, DWORD samplesPerSecond, WORD bitsPerSample)
{
    CWave wave;
    wave.SetFormat(channels, samplesPerSecond, bitsPerSample);
    return wave.GetFormatBlock();
}

WAVEFORMATEX ReadFormat(const WaveFormatBlock& block)
{
    WAVEFORMATEX format;
    std::memcpy(&format, block.data(), sizeof format);
    return format;
}

CWave::CWave()
{
    WORD pcm = WAVE_FORMAT_PCM;
    std::memcpy(m_format.data(), &pcm, sizeof pcm);
}

CWave::CWave(const CWave& other) : CObject()
{
    *this = other;
}

CWave& CWave::operator=(const CWave& other)
{
    if (this == &other)
        return *this;
    m_format = other.m_format;
    m_buffer.Allocate(other.GetFrameCount(), other.GetBlockAlign());
    if (m_buffer.GetData()) {
        std::memset(m_buffer.GetData(), 0, m_buffer.GetSize());
        std::memcpy(m_buffer.GetData(), other.GetData(), std::min(m_buffer.GetSize(), other.GetBufferSize()));
    }
    return *this;
}

void CWave::SetFormat(WORD channels, DWORD samplesPerSecond, WORD bitsPerSample)
{
    WAVEFORMATEX format = GetFormat();
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = channels;
    format.nSamplesPerSec = samplesPerSecond;
    format.wBitsPerSample = bitsPerSample;
    format.nBlockAlign = WORD(channels * bitsPerSample / 8);
    format.nAvgBytesPerSec = DWORD(ULONGLONG(channels) * bitsPerSample * samplesPerSecond / 8);
    std::memcpy(m_format.data(), &format, sizeof format);
    m_buffer.Allocate(0, format.nBlockAlign);
}

void CWave::SetSamples(BYTE* data, DWORD frameCount, BOOL copy)
{
    if (copy) {
        m_buffer.Attach(nullptr, 0, 0);
        m_buffer.CopyFrom(data, frameCount, GetBlockAlign());
        m_buffer.SetElementSize(GetBlockAlign());
    } else {
        m_buffer.Attach(data, frameCount, GetBlockAlign());
    }
}

void CWave::Serialize(CArchive& archive)
{
    archive.Flush();
    if (archive.IsStoring())
        Store(archive);
    else
        Load(archive);
    archive.Flush();
}

void CWave::Store(CArchive& archive)
{
    archive.GetFile()->Write(m_format.data(), UINT(m_format.size()));
    m_buffer.Serialize(archive);
}

void CWave::Load(CArchive& archive)
{
    CFile* file = archive.GetFile();
    ULONGLONG start = file->GetPosition();
    char magic[4];
    ReadFileExact(archive, magic, sizeof magic);
    if (std::memcmp(magic, "RIFF", 4) == 0) {
        LoadRiff(archive);
        return;
    }
    file->Seek(LONGLONG(start), CFile::begin);
    WaveFormatBlock format;
    ReadFileExact(archive, format.data(), format.size());
    CWaveBuffer samples;
    samples.Serialize(archive);
    if (samples.GetCount() && samples.GetElementSize() != ReadFormat(format).nBlockAlign)
        ThrowInvalid(archive);
    m_format = format;
    TakeSamples(samples);
}

void CWave::TakeSamples(CWaveBuffer& samples)
{
    DWORD count = samples.GetCount(), size = samples.GetElementSize();
    m_buffer.Attach(samples.Release(), count, size);
}

void CWave::TakeFormatBlock(const WaveFormatBlock& block)
{
    m_format = block;
    if (m_buffer.GetElementSize() != GetBlockAlign())
        m_buffer.Allocate(0, GetBlockAlign());
}

// A block alignment of 0 cannot say how long a frame is, and a format that gives frames of
// another size than the header would not fit the samples, so such records are refused; data
// that ends in part of a frame loses that part.
void CWave::LoadRiff(CArchive& archive)
{
    OldHeader header;
    ReadFileExact(archive, &header, sizeof header);
    if (std::memcmp(header.waveFmt, "WAVEfmt ", 8) != 0 || std::memcmp(header.data, "data", 4) != 0 ||
        header.blockAlign == 0)
        ThrowInvalid(archive);
    RequireFileBytes(archive, ULONGLONG(header.dataSize) + OldFormatBytes);
    CWaveBuffer samples;
    samples.Allocate(header.dataSize / header.blockAlign, header.blockAlign);
    ReadFileExact(archive, samples.GetData(), samples.GetSize());
    SkipFileBytes(archive, header.dataSize - samples.GetSize());
    WaveFormatBlock format = m_format;
    ReadFileExact(archive, format.data(), OldFormatBytes);
    if (ReadFormat(format).nBlockAlign != header.blockAlign)
        ThrowInvalid(archive);
    m_format = format;
    TakeSamples(samples);
}
