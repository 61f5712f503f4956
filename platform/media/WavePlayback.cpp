// The built-in sound player: one sound at a time on the default wave output, played by a
// thread of its own for SND_ASYNC. The device callback only signals; the player thread makes
// every device call.
#include "platform/media/Sound.h"

#include "platform/media/RiffWave.h"
#include "platform/media/WaveApi.h"
#include "platform/ui/Resources.h"

#include <condition_variable>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <thread>

namespace {

struct Playing {
    WaveImage image;
    bool loop = false;
    HWAVEOUT out = nullptr;
    WAVEHDR header{};
    std::mutex mutex;
    std::condition_variable changed;
    bool done = false;
    bool stop = false;

    static void Callback(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR)
    {
        if (message != WOM_DONE)
            return;
        auto* self = reinterpret_cast<Playing*>(instance);
        std::lock_guard lock(self->mutex);
        self->done = true;
        self->changed.notify_all();
    }

    bool Open()
    {
        return waveOutOpen(&out, WAVE_MAPPER, &image.Format(), DWORD_PTR(&Callback), DWORD_PTR(this),
                           CALLBACK_FUNCTION) == MMSYSERR_NOERROR;
    }

    void Run()
    {
        header.lpData = reinterpret_cast<LPSTR>(image.data.data());
        header.dwBufferLength = DWORD(image.data.size());
        waveOutPrepareHeader(out, &header, sizeof header);
        std::unique_lock lock(mutex);
        do {
            done = false;
            lock.unlock();
            waveOutWrite(out, &header, sizeof header);
            lock.lock();
            changed.wait(lock, [this] { return done || stop; });
        } while (loop && !stop);
        lock.unlock();
        waveOutReset(out);
        waveOutUnprepareHeader(out, &header, sizeof header);
        waveOutClose(out);
    }

    void Stop()
    {
        std::lock_guard lock(mutex);
        stop = true;
        changed.notify_all();
    }
};

struct Channel {
    // A sound still playing, or played to its end but not yet joined, when the program ends.
    ~Channel();
    std::mutex mutex;
    std::shared_ptr<Playing> current;
    std::thread thread;
};

Channel& Sounds()
{
    static Channel channel;
    return channel;
}

// Stops and forgets the sound in the background; the caller holds the channel's mutex.
void StopCurrent(Channel& channel)
{
    if (channel.current)
        channel.current->Stop();
    if (channel.thread.joinable())
        channel.thread.join();
    channel.current.reset();
}

Channel::~Channel()
{
    std::lock_guard lock(mutex);
    StopCurrent(*this);
}

std::optional<std::vector<BYTE>> Bytes(const SoundRequest& request)
{
    if ((request.flags & SND_RESOURCE) == SND_RESOURCE) {
        const std::vector<BYTE>* found = request.resourceId ? FindBinaryResource(ResourceKind::Wave, request.resourceId)
                                                            : FindBinaryResource(ResourceKind::Wave, request.name);
        return found ? std::optional(*found) : std::nullopt;
    }
    if (request.flags & SND_MEMORY) {
        // A wave image in memory carries its own length.
        auto* image = reinterpret_cast<const BYTE*>(request.name);
        size_t size = RiffWaveSize(image);
        return size ? std::optional(std::vector<BYTE>(image, image + size)) : std::nullopt;
    }
    std::ifstream file(request.name, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::vector<BYTE>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

bool PlayWaveSound(const SoundRequest& request)
{
    Channel& channel = Sounds();
    std::lock_guard lock(channel.mutex);
    if (!request.name && !request.resourceId) {
        StopCurrent(channel);
        return true;
    }
    if ((request.flags & SND_NOSTOP) && channel.current && channel.thread.joinable())
        return false;
    auto bytes = Bytes(request);
    auto image = bytes ? ParseRiffWave(bytes->data(), bytes->size()) : std::nullopt;
    if (!image)
        return false;
    StopCurrent(channel);
    auto playing = std::make_shared<Playing>();
    playing->image = std::move(*image);
    playing->loop = (request.flags & SND_LOOP) && (request.flags & SND_ASYNC);
    if (!playing->Open())
        return false;
    if (!(request.flags & SND_ASYNC)) {
        playing->Run();
        return true;
    }
    channel.current = playing;
    channel.thread = std::thread([playing] { playing->Run(); });
    return true;
}
