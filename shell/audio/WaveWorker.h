// Takes the headers that a wave device hands back and deals with them on a thread of its own,
// so that no wave call is made inside the device's callback and the user-interface thread
// never waits on it while the device resets.
#pragma once

#include "platform/media/WaveTypes.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class CWaveWorker {
public:
    explicit CWaveWorker(std::function<void(WAVEHDR*)> handler) : m_handler(std::move(handler)) {}
    CWaveWorker(const CWaveWorker&) = delete;
    CWaveWorker& operator=(const CWaveWorker&) = delete;
    ~CWaveWorker() { Stop(); }

    void Start();
    // From the device's callback: never waits for the handler.
    void Post(WAVEHDR* header);
    // Returns once every header posted so far has been dealt with.
    void Drain();
    // Drains, then ends the thread.
    void Stop();

private:
    void Loop();

    std::function<void(WAVEHDR*)> m_handler;
    std::mutex m_mutex;
    std::condition_variable m_wake, m_idle;
    std::deque<WAVEHDR*> m_queue;
    bool m_busy = false, m_quit = false;
    std::thread m_thread;
};
