// The playback callback path: three buffers of 10 ms at 44.1 kHz stereo circulate through the
// in-memory device at its real rate. The callback only hands the buffer back; a feeder thread
// refills and queues it, as the sound notes do. Reports the underruns the device counted.
#include "platform/media/MemoryWaveDevice.h"
#include "platform/media/WaveApi.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

namespace {

struct Feeder {
    std::mutex mutex;
    std::condition_variable returned;
    std::deque<WAVEHDR*> free;

    static void Callback(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR param, DWORD_PTR)
    {
        if (message != WOM_DONE)
            return;
        auto* self = reinterpret_cast<Feeder*>(instance);
        std::lock_guard lock(self->mutex);
        self->free.push_back(reinterpret_cast<WAVEHDR*>(param));
        self->returned.notify_one();
    }
};

void StreamTenMillisecondBuffers(benchmark::State& state)
{
    auto device = std::make_shared<MemoryWaveDevice>();
    device->SetSpeed(1);
    auto previous = SetWaveDeviceProvider(device);
    WAVEFORMATEX f{WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
    Feeder feeder;
    HWAVEOUT out = nullptr;
    waveOutOpen(&out, WAVE_MAPPER, &f, DWORD_PTR(&Feeder::Callback), DWORD_PTR(&feeder), CALLBACK_FUNCTION);
    std::vector<std::vector<char>> blocks(3, std::vector<char>(1764));
    std::vector<WAVEHDR> headers(3);
    size_t delivered = 0;
    for (auto _ : state) {
        for (size_t i = 0; i < 3; ++i) {
            headers[i] = WAVEHDR{blocks[i].data(), 1764, 0, 0, 0, 0, nullptr, 0};
            waveOutPrepareHeader(out, &headers[i], sizeof(WAVEHDR));
            waveOutWrite(out, &headers[i], sizeof(WAVEHDR));
        }
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(state.range(0));
        while (std::chrono::steady_clock::now() < end) {
            std::unique_lock lock(feeder.mutex);
            feeder.returned.wait(lock, [&] { return !feeder.free.empty(); });
            WAVEHDR* h = feeder.free.front();
            feeder.free.pop_front();
            lock.unlock();
            waveOutWrite(out, h, sizeof(WAVEHDR));
            ++delivered;
        }
        waveOutReset(out);
    }
    for (WAVEHDR& h : headers)
        waveOutUnprepareHeader(out, &h, sizeof(WAVEHDR));
    waveOutClose(out);
    SetWaveDeviceProvider(previous);
    state.counters["buffers"] = double(delivered);
    state.counters["underruns"] = double(device->Underruns());
}

BENCHMARK(StreamTenMillisecondBuffers)->Arg(60)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
