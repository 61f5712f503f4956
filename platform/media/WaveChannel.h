// One open wave device: the queue of headers, and the device thread that moves their bytes
// through the stream and hands each finished header back through the owner's callback.
// Private to the wave calls.
#pragma once

#include "platform/media/WaveDevice.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

class WaveChannel {
public:
    WaveChannel(bool input, std::unique_ptr<WaveStream> stream, const WAVEFORMATEX& format, DWORD_PTR callback,
                DWORD_PTR instance, DWORD flags);
    ~WaveChannel();

    // Runs the device thread; `handle` is what the callbacks receive.
    void Begin(void* handle);

    MMRESULT Prepare(WAVEHDR* header, UINT size);
    MMRESULT Unprepare(WAVEHDR* header, UINT size);
    MMRESULT Queue(WAVEHDR* header, UINT size);
    // Input: start capturing. Output: resume after Pause.
    MMRESULT Run();
    MMRESULT Pause();
    // Returns every queued header, marked done, before it returns (from the device thread's own
    // callback too), and sets the position back to 0.
    MMRESULT Reset();
    MMRESULT Close();
    DWORD PositionBytes() const;
    const WAVEFORMATEX& Format() const { return m_format; }

private:
    void Loop();
    bool Transfer(std::unique_lock<std::mutex>& lock);
    void Complete(std::unique_lock<std::mutex>& lock, WAVEHDR* header);
    void CompleteAll(std::unique_lock<std::mutex>& lock);
    void Notify(UINT message, WAVEHDR* header);
    bool OnDeviceThread() const { return std::this_thread::get_id() == m_thread.get_id(); }
    size_t ChunkBytes() const;

    const bool m_input;
    std::unique_ptr<WaveStream> m_stream;
    WAVEFORMATEX m_format;
    DWORD_PTR m_callback;
    DWORD_PTR m_instance;
    DWORD m_flags;
    void* m_handle = nullptr;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_resetDone;
    std::deque<WAVEHDR*> m_queue;
    size_t m_frontOffset = 0;  // output: bytes of the front header already played
    bool m_running;            // capturing (input) or not paused (output)
    bool m_resetPending = false;
    bool m_closing = false;
    bool m_gone = false;
    DWORD m_position = 0;
    std::thread m_thread;
};
