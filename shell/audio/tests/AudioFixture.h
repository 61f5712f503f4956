// An in-memory sound card and a log of what the recorder and player report to the audio
// manager, for one test.
#pragma once

#include "shell/audio/AudioReport.h"

#include "platform/media/tests/WaveFixture.h"

#include <mutex>
#include <vector>

struct ReportLog : CAudioReport {
    mutable std::mutex mutex;
    std::vector<int> positions;
    std::vector<DWORD> levelFrames;
    std::vector<int> ranges;

    void AddVolumeSample(const BYTE*, DWORD frameCount, const WaveFormatBlock&) override
    {
        std::lock_guard lock(mutex);
        levelFrames.push_back(frameCount);
    }
    void SetPlayPosition(int frame) override
    {
        std::lock_guard lock(mutex);
        positions.push_back(frame);
    }
    void SetSliderRange(int length) override
    {
        std::lock_guard lock(mutex);
        ranges.push_back(length);
    }
    std::vector<int> Positions() const
    {
        std::lock_guard lock(mutex);
        return positions;
    }
    std::vector<DWORD> LevelFrames() const
    {
        std::lock_guard lock(mutex);
        return levelFrames;
    }
};

struct AudioFixture : WaveFixture {
    ReportLog report;

    void SetUp() override
    {
        WaveFixture::SetUp();
        SetAudioReport(&report);
    }
    void TearDown() override
    {
        SetAudioReport(nullptr);
        WaveFixture::TearDown();
    }

    static std::vector<BYTE> Ramp(size_t n)
    {
        std::vector<BYTE> bytes(n);
        for (size_t i = 0; i < n; ++i)
            bytes[i] = BYTE(i * 7 + i / 256);
        return bytes;
    }
    // A sound of 16-bit stereo at 22050 Hz holding these bytes.
    static CWave Sound(const std::vector<BYTE>& bytes, WORD channels = 2, DWORD rate = 22050)
    {
        CWave wave;
        wave.SetFormat(channels, rate, 16);
        wave.SetSamples(const_cast<BYTE*>(bytes.data()), DWORD(bytes.size() / wave.GetBlockAlign()), TRUE);
        return wave;
    }
};
