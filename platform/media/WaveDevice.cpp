#include "platform/media/WaveDevice.h"

#include "platform/media/PortAudioDevices.h"

#include <mutex>

namespace {

struct Installed {
    std::mutex mutex;
    std::shared_ptr<WaveDeviceProvider> provider;
};

Installed& Current()
{
    static Installed installed;
    return installed;
}

}  // namespace

std::shared_ptr<WaveDeviceProvider> SetWaveDeviceProvider(std::shared_ptr<WaveDeviceProvider> provider)
{
    std::lock_guard lock(Current().mutex);
    std::swap(Current().provider, provider);
    return provider;
}

std::shared_ptr<WaveDeviceProvider> CurrentWaveDeviceProvider()
{
    std::lock_guard lock(Current().mutex);
    if (!Current().provider)
        Current().provider = MakePortAudioDevices();
    return Current().provider;
}

bool IsPlayablePcm(const WAVEFORMATEX& f)
{
    return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec >= 1 &&
           f.nSamplesPerSec <= 192000 && f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8;
}
