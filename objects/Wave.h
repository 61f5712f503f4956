// One sound in memory: a 2066-byte format block and its samples, stored in documents as the
// raw block, the frame count, the frame size and the samples. Records of the earlier layout,
// a RIFF "WAVE" image followed by 146 bytes of format, are still read.
#pragma once

#include "platform/core/Object.h"
#include "platform/media/WaveTypes.h"
#include "objects/WaveBuffer.h"

#include <array>

constexpr size_t WaveFormatBlockSize = 2066;
using WaveFormatBlock = std::array<BYTE, WaveFormatBlockSize>;

// A format block of PCM with the given layout; the rest of the block is zero.
WaveFormatBlock MakePcmFormatBlock(WORD channels, DWORD samplesPerSecond, WORD bitsPerSample);
WAVEFORMATEX ReadFormat(const WaveFormatBlock& block);

class CWave : public CObject {
    DECLARE_SERIAL(CWave)
public:
    static constexpr size_t OldFormatBytes = 146;

    CWave();
    CWave(const CWave& other);
    CWave& operator=(const CWave& other);
    ~CWave() override = default;

    void SetFormat(WORD channels, DWORD samplesPerSecond, WORD bitsPerSample);
    void SetFormatBlock(const WaveFormatBlock& block) { m_format = block; }
    // Takes another format block; samples whose frame size no longer fits are dropped, so the
    // samples always hold whole frames of the format.
    void TakeFormatBlock(const WaveFormatBlock& block);
    WaveFormatBlock GetFormatBlock() const { return m_format; }
    WAVEFORMATEX GetFormat() const { return ReadFormat(m_format); }
    LPWAVEFORMATEX FormatPointer() { return reinterpret_cast<LPWAVEFORMATEX>(m_format.data()); }

    BYTE* GetData() const { return m_buffer.GetData(); }
    DWORD GetFrameCount() const { return m_buffer.GetCount(); }
    WORD GetBlockAlign() const { return GetFormat().nBlockAlign; }
    DWORD GetDataSize() const { return m_buffer.GetCount() * GetBlockAlign(); }
    DWORD GetBufferSize() const { return m_buffer.GetSize(); }
    BOOL HoldsSamples() const { return GetBufferSize() != 0; }
    // With copy FALSE the sound takes ownership of `data` (made with new BYTE[]).
    void SetSamples(BYTE* data, DWORD frameCount, BOOL copy);

    void Serialize(CArchive& archive) override;

private:
    void Store(CArchive& archive);
    void Load(CArchive& archive);
    void LoadRiff(CArchive& archive);
    void TakeSamples(CWaveBuffer& samples);

    CWaveBuffer m_buffer;
    WaveFormatBlock m_format{};
};
