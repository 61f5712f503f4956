// An in-memory sound card: one output that keeps what is played, one input that delivers
// what was fed to it. For tests and benchmarks, so nothing needs sound hardware. By default it
// plays as fast as it is fed; SetSpeed(1) keeps the real clock and counts underruns.
#pragma once

#include "platform/media/WaveDevice.h"

#include <vector>

class MemoryWaveDevice : public WaveDeviceProvider {
public:
    MemoryWaveDevice();

    UINT OutputCount() override;
    UINT InputCount() override;
    MMRESULT OpenOutput(UINT device, const WAVEFORMATEX& format, std::unique_ptr<WaveStream>* stream) override;
    MMRESULT OpenInput(UINT device, const WAVEFORMATEX& format, std::unique_ptr<WaveStream>* stream) override;

    // The microphone's bytes; once they are used up it stays silent until more are fed.
    void Feed(const std::vector<BYTE>& bytes);
    // Bytes the input has delivered so far.
    size_t Captured() const;
    // Everything the output has played, in order.
    std::vector<BYTE> Played() const;
    // 0: no waiting; 1: the format's real rate; the device holds `latencyMs` of sound ahead.
    void SetSpeed(double speed, int latencyMs = 20);
    // Times the output ran dry while playing at a real rate.
    size_t Underruns() const;
    // The device disappears: every open stream fails from now on.
    void Disconnect();
    // With no devices at all, opening fails as on a computer without a sound card.
    void SetPresent(bool present);

    struct State;

private:
    std::shared_ptr<State> m_state;
};
