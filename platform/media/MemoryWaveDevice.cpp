#include "platform/media/MemoryWaveDevice.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

using Clock = std::chrono::steady_clock;

struct MemoryWaveDevice::State {
    std::mutex mutex;
    std::condition_variable fed;
    std::vector<BYTE> input;
    size_t captured = 0;
    std::vector<BYTE> played;
    double speed = 0;
    Clock::duration latency{};
    size_t underruns = 0;
    bool connected = true;
    bool present = true;
};

namespace {

class MemoryOutput : public WaveStream {
public:
    MemoryOutput(std::shared_ptr<MemoryWaveDevice::State> state, DWORD bytesPerSecond)
        : m_state(std::move(state)), m_bytesPerSecond(std::max<DWORD>(1, bytesPerSecond))
    {
    }

    bool Write(const BYTE* data, size_t bytes) override
    {
        std::unique_lock lock(m_state->mutex);
        if (!m_state->connected)
            return false;
        m_state->played.insert(m_state->played.end(), data, data + bytes);
        if (m_state->speed <= 0)
            return true;
        auto now = Clock::now();
        if (m_clockRuns && now > m_playedUntil)
            ++m_state->underruns;
        auto length = std::chrono::duration<double>(double(bytes) / m_bytesPerSecond / m_state->speed);
        m_playedUntil = std::max(now, m_playedUntil) + std::chrono::duration_cast<Clock::duration>(length);
        m_clockRuns = true;
        auto wake = m_playedUntil - m_state->latency;
        lock.unlock();
        std::this_thread::sleep_until(wake);
        return true;
    }

    long Read(BYTE*, size_t) override { return -1; }

    void SetPaused(bool paused) override
    {
        std::lock_guard lock(m_state->mutex);
        if (paused)
            m_clockRuns = false;
    }

private:
    std::shared_ptr<MemoryWaveDevice::State> m_state;
    DWORD m_bytesPerSecond;
    Clock::time_point m_playedUntil{};
    bool m_clockRuns = false;
};

class MemoryInput : public WaveStream {
public:
    explicit MemoryInput(std::shared_ptr<MemoryWaveDevice::State> state) : m_state(std::move(state)) {}

    bool Write(const BYTE*, size_t) override { return false; }

    long Read(BYTE* data, size_t bytes) override
    {
        std::unique_lock lock(m_state->mutex);
        auto ready = [&] { return !m_state->connected || m_state->captured < m_state->input.size(); };
        m_state->fed.wait_for(lock, std::chrono::milliseconds(5), ready);
        if (!m_state->connected)
            return -1;
        size_t n = std::min(bytes, m_state->input.size() - m_state->captured);
        std::memcpy(data, m_state->input.data() + m_state->captured, n);
        m_state->captured += n;
        return long(n);
    }

private:
    std::shared_ptr<MemoryWaveDevice::State> m_state;
};

}  // namespace

MemoryWaveDevice::MemoryWaveDevice() : m_state(std::make_shared<State>()) {}

UINT MemoryWaveDevice::OutputCount()
{
    std::lock_guard lock(m_state->mutex);
    return m_state->present ? 1 : 0;
}

UINT MemoryWaveDevice::InputCount() { return OutputCount(); }

MMRESULT MemoryWaveDevice::OpenOutput(UINT device, const WAVEFORMATEX& format, std::unique_ptr<WaveStream>* stream)
{
    if (OutputCount() == 0)
        return MMSYSERR_NODRIVER;
    if (device != 0 && device != WAVE_MAPPER)
        return MMSYSERR_BADDEVICEID;
    if (!IsPlayablePcm(format))
        return WAVERR_BADFORMAT;
    if (stream)
        *stream = std::make_unique<MemoryOutput>(m_state, format.nAvgBytesPerSec);
    return MMSYSERR_NOERROR;
}

MMRESULT MemoryWaveDevice::OpenInput(UINT device, const WAVEFORMATEX& format, std::unique_ptr<WaveStream>* stream)
{
    MMRESULT result = OpenOutput(device, format, nullptr);
    if (result == MMSYSERR_NOERROR && stream)
        *stream = std::make_unique<MemoryInput>(m_state);
    return result;
}

void MemoryWaveDevice::Feed(const std::vector<BYTE>& bytes)
{
    std::lock_guard lock(m_state->mutex);
    m_state->input.insert(m_state->input.end(), bytes.begin(), bytes.end());
    m_state->fed.notify_all();
}

size_t MemoryWaveDevice::Captured() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->captured;
}

std::vector<BYTE> MemoryWaveDevice::Played() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->played;
}

void MemoryWaveDevice::SetSpeed(double speed, int latencyMs)
{
    std::lock_guard lock(m_state->mutex);
    m_state->speed = speed;
    m_state->latency = std::chrono::milliseconds(latencyMs);
}

size_t MemoryWaveDevice::Underruns() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->underruns;
}

void MemoryWaveDevice::Disconnect()
{
    std::lock_guard lock(m_state->mutex);
    m_state->connected = false;
    m_state->fed.notify_all();
}

void MemoryWaveDevice::SetPresent(bool present)
{
    std::lock_guard lock(m_state->mutex);
    m_state->present = present;
}
