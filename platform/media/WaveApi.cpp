#include "platform/media/WaveApi.h"

#include "platform/media/WaveChannel.h"

#include <map>
#include <memory>
#include <mutex>

namespace {

// Open devices by handle, so a stale or foreign handle is refused instead of used.
struct Channels {
    std::mutex mutex;
    std::map<void*, std::shared_ptr<WaveChannel>> open;
};

Channels& Table()
{
    static Channels table;
    return table;
}

std::shared_ptr<WaveChannel> Find(void* handle)
{
    std::lock_guard lock(Table().mutex);
    auto it = Table().open.find(handle);
    return it == Table().open.end() ? nullptr : it->second;
}

template <typename Handle>
MMRESULT Open(bool input, Handle* handle, UINT device, LPCWAVEFORMATEX format, DWORD_PTR callback,
              DWORD_PTR instance, DWORD flags)
{
    if (!format)
        return MMSYSERR_INVALPARAM;
    DWORD kind = flags & CALLBACK_TYPEMASK;
    if (kind != CALLBACK_NULL && kind != CALLBACK_FUNCTION)
        return MMSYSERR_INVALFLAG;
    auto provider = CurrentWaveDeviceProvider();
    bool query = flags & WAVE_FORMAT_QUERY;
    if (!query && !handle)
        return MMSYSERR_INVALPARAM;
    std::unique_ptr<WaveStream> stream;
    std::unique_ptr<WaveStream>* out = query ? nullptr : &stream;
    MMRESULT result = input ? provider->OpenInput(device, *format, out) : provider->OpenOutput(device, *format, out);
    if (result != MMSYSERR_NOERROR || query)
        return result;
    auto channel = std::make_shared<WaveChannel>(input, std::move(stream), *format, callback, instance, flags);
    {
        std::lock_guard lock(Table().mutex);
        Table().open[channel.get()] = channel;
    }
    *handle = reinterpret_cast<Handle>(channel.get());
    channel->Begin(channel.get());
    return MMSYSERR_NOERROR;
}

MMRESULT Close(void* handle)
{
    auto channel = Find(handle);
    if (!channel)
        return MMSYSERR_INVALHANDLE;
    MMRESULT result = channel->Close();
    if (result == MMSYSERR_NOERROR) {
        std::lock_guard lock(Table().mutex);
        Table().open.erase(handle);
    }
    return result;
}

template <typename Call>
MMRESULT With(void* handle, Call call)
{
    auto channel = Find(handle);
    return channel ? call(*channel) : MMSYSERR_INVALHANDLE;
}

}  // namespace

UINT waveInGetNumDevs() { return CurrentWaveDeviceProvider()->InputCount(); }
UINT waveOutGetNumDevs() { return CurrentWaveDeviceProvider()->OutputCount(); }

MMRESULT waveInOpen(LPHWAVEIN handle, UINT device, LPCWAVEFORMATEX format, DWORD_PTR callback,
                    DWORD_PTR instance, DWORD flags)
{
    return Open(true, handle, device, format, callback, instance, flags);
}

MMRESULT waveInPrepareHeader(HWAVEIN h, LPWAVEHDR header, UINT size)
{
    return With(h, [&](WaveChannel& c) { return c.Prepare(header, size); });
}

MMRESULT waveInUnprepareHeader(HWAVEIN h, LPWAVEHDR header, UINT size)
{
    return With(h, [&](WaveChannel& c) { return c.Unprepare(header, size); });
}

MMRESULT waveInAddBuffer(HWAVEIN h, LPWAVEHDR header, UINT size)
{
    return With(h, [&](WaveChannel& c) { return c.Queue(header, size); });
}

MMRESULT waveInStart(HWAVEIN h) { return With(h, [](WaveChannel& c) { return c.Run(); }); }
MMRESULT waveInReset(HWAVEIN h) { return With(h, [](WaveChannel& c) { return c.Reset(); }); }
MMRESULT waveInClose(HWAVEIN h) { return Close(h); }

MMRESULT waveOutOpen(LPHWAVEOUT handle, UINT device, LPCWAVEFORMATEX format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags)
{
    return Open(false, handle, device, format, callback, instance, flags);
}

MMRESULT waveOutPrepareHeader(HWAVEOUT h, LPWAVEHDR header, UINT size)
{
    return With(h, [&](WaveChannel& c) { return c.Prepare(header, size); });
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT h, LPWAVEHDR header, UINT size)
{
    return With(h, [&](WaveChannel& c) { return c.Unprepare(header, size); });
}

MMRESULT waveOutWrite(HWAVEOUT h, LPWAVEHDR header, UINT size)
{
    return With(h, [&](WaveChannel& c) { return c.Queue(header, size); });
}

MMRESULT waveOutPause(HWAVEOUT h) { return With(h, [](WaveChannel& c) { return c.Pause(); }); }
MMRESULT waveOutRestart(HWAVEOUT h) { return With(h, [](WaveChannel& c) { return c.Run(); }); }
MMRESULT waveOutReset(HWAVEOUT h) { return With(h, [](WaveChannel& c) { return c.Reset(); }); }
MMRESULT waveOutClose(HWAVEOUT h) { return Close(h); }

MMRESULT waveOutGetPosition(HWAVEOUT h, LPMMTIME time, UINT size)
{
    if (!time || size < sizeof(MMTIME))
        return MMSYSERR_INVALPARAM;
    return With(h, [&](WaveChannel& c) {
        DWORD bytes = c.PositionBytes();
        const WAVEFORMATEX& f = c.Format();
        if (time->wType == TIME_SAMPLES && f.nBlockAlign) {
            time->u.sample = bytes / f.nBlockAlign;
        } else if (time->wType == TIME_MS && f.nAvgBytesPerSec) {
            time->u.ms = DWORD(uint64_t(bytes) * 1000 / f.nAvgBytesPerSec);
        } else {
            time->wType = TIME_BYTES;
            time->u.cb = bytes;
        }
        return MMSYSERR_NOERROR;
    });
}
