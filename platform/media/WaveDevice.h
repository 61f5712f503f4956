// The seam between the wave calls and the sound hardware. The program uses the desktop's
// devices through PortAudio; tests install an in-memory provider (MemoryWaveDevice.h).
#pragma once

#include "platform/media/WaveTypes.h"

#include <cstddef>
#include <memory>

// One open stream of one device. Both calls block and are made from the device thread only.
class WaveStream {
public:
    virtual ~WaveStream() = default;
    // Plays the bytes; false when the device is gone.
    virtual bool Write(const BYTE* data, size_t bytes) = 0;
    // Captures up to `bytes`; returns the count (0 when nothing came within a short wait), or -1
    // when the device is gone.
    virtual long Read(BYTE* data, size_t bytes) = 0;
    // Playback paused or resumed (the device's clock stops while paused).
    virtual void SetPaused(bool) {}
};

class WaveDeviceProvider {
public:
    virtual ~WaveDeviceProvider() = default;
    virtual UINT OutputCount() = 0;
    virtual UINT InputCount() = 0;
    // `device` is an index below the count, or WAVE_MAPPER for the desktop's default. With a
    // null `stream` only asks whether the format could be opened.
    virtual MMRESULT OpenOutput(UINT device, const WAVEFORMATEX& format, std::unique_ptr<WaveStream>* stream) = 0;
    virtual MMRESULT OpenInput(UINT device, const WAVEFORMATEX& format, std::unique_ptr<WaveStream>* stream) = 0;
};

// The provider in use: PortAudio unless another was installed. Install one only while no
// device is open; returns the previous one (null for the built-in PortAudio provider).
std::shared_ptr<WaveDeviceProvider> SetWaveDeviceProvider(std::shared_ptr<WaveDeviceProvider> provider);
std::shared_ptr<WaveDeviceProvider> CurrentWaveDeviceProvider();

// The formats the devices take: PCM with 1 or 2 channels of 8 or 16 bits, 1 Hz to 192 kHz,
// with a consistent block alignment.
bool IsPlayablePcm(const WAVEFORMATEX& format);
