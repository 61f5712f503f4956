#include "platform/media/PortAudioDevices.h"

#include <portaudio.h>

#include <mutex>
#include <vector>

namespace {

bool Initialised()
{
    static bool ok = [] { return Pa_Initialize() == paNoError; }();
    return ok;
}

class PortAudioStream : public WaveStream {
public:
    PortAudioStream(PaStream* stream, UINT blockAlign) : m_stream(stream), m_blockAlign(blockAlign) {}
    ~PortAudioStream() override
    {
        Pa_AbortStream(m_stream);
        Pa_CloseStream(m_stream);
    }

    bool Write(const BYTE* data, size_t bytes) override
    {
        PaError e = Pa_WriteStream(m_stream, data, bytes / m_blockAlign);
        return e == paNoError || e == paOutputUnderflowed;
    }

    long Read(BYTE* data, size_t bytes) override
    {
        unsigned long frames = bytes / m_blockAlign;
        PaError e = Pa_ReadStream(m_stream, data, frames);
        if (e != paNoError && e != paInputOverflowed)
            return -1;
        return long(frames * m_blockAlign);
    }

private:
    PaStream* m_stream;
    UINT m_blockAlign;
};

class PortAudioDevices : public WaveDeviceProvider {
public:
    UINT OutputCount() override { return UINT(Devices(false).size()); }
    UINT InputCount() override { return UINT(Devices(true).size()); }

    MMRESULT OpenOutput(UINT device, const WAVEFORMATEX& f, std::unique_ptr<WaveStream>* stream) override
    {
        return Open(false, device, f, stream);
    }
    MMRESULT OpenInput(UINT device, const WAVEFORMATEX& f, std::unique_ptr<WaveStream>* stream) override
    {
        return Open(true, device, f, stream);
    }

private:
    std::mutex m_mutex;

    static std::vector<PaDeviceIndex> Devices(bool input)
    {
        std::vector<PaDeviceIndex> found;
        if (!Initialised())
            return found;
        for (PaDeviceIndex i = 0; i < Pa_GetDeviceCount(); ++i) {
            const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
            if (info && (input ? info->maxInputChannels : info->maxOutputChannels) > 0)
                found.push_back(i);
        }
        return found;
    }

    MMRESULT Open(bool input, UINT device, const WAVEFORMATEX& f, std::unique_ptr<WaveStream>* stream)
    {
        std::lock_guard lock(m_mutex);
        auto devices = Devices(input);
        if (devices.empty())
            return MMSYSERR_NODRIVER;
        PaDeviceIndex index = device == WAVE_MAPPER ? (input ? Pa_GetDefaultInputDevice() : Pa_GetDefaultOutputDevice())
                              : device < devices.size() ? devices[device]
                                                        : paNoDevice;
        if (index == paNoDevice)
            return device == WAVE_MAPPER ? MMSYSERR_NODRIVER : MMSYSERR_BADDEVICEID;
        if (!IsPlayablePcm(f))
            return WAVERR_BADFORMAT;
        PaStreamParameters p{};
        p.device = index;
        p.channelCount = f.nChannels;
        p.sampleFormat = f.wBitsPerSample == 8 ? paUInt8 : paInt16;
        const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
        p.suggestedLatency = input ? info->defaultLowInputLatency : info->defaultLowOutputLatency;
        const PaStreamParameters* in = input ? &p : nullptr;
        const PaStreamParameters* out = input ? nullptr : &p;
        if (Pa_IsFormatSupported(in, out, f.nSamplesPerSec) != paFormatIsSupported)
            return WAVERR_BADFORMAT;
        if (!stream)
            return MMSYSERR_NOERROR;
        PaStream* s = nullptr;
        if (Pa_OpenStream(&s, in, out, f.nSamplesPerSec, paFramesPerBufferUnspecified, paNoFlag, nullptr, nullptr) !=
            paNoError)
            return MMSYSERR_ALLOCATED;
        if (Pa_StartStream(s) != paNoError) {
            Pa_CloseStream(s);
            return MMSYSERR_ALLOCATED;
        }
        *stream = std::make_unique<PortAudioStream>(s, f.nBlockAlign);
        return MMSYSERR_NOERROR;
    }
};

}  // namespace

std::shared_ptr<WaveDeviceProvider> MakePortAudioDevices() { return std::make_shared<PortAudioDevices>(); }
