// Puts an in-memory sound card in place of the desktop's devices for one test.
#pragma once

#include "platform/media/MemoryWaveDevice.h"
#include "platform/media/WaveApi.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

struct WaveFixture : ::testing::Test {
    std::shared_ptr<MemoryWaveDevice> device = std::make_shared<MemoryWaveDevice>();
    std::shared_ptr<WaveDeviceProvider> previous;

    void SetUp() override { previous = SetWaveDeviceProvider(device); }
    void TearDown() override { SetWaveDeviceProvider(previous); }

    static WAVEFORMATEX Pcm(WORD channels, DWORD rate, WORD bits)
    {
        WORD align = WORD(channels * bits / 8);
        return WAVEFORMATEX{WAVE_FORMAT_PCM, channels, rate, rate * align, align, bits, 0};
    }

    // Waits up to five seconds for a condition that another thread makes true.
    template <typename Condition>
    static bool Eventually(Condition condition)
    {
        for (int i = 0; i < 5000 && !condition(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return condition();
    }
};
