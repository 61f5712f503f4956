#include "shell/audio/WaveWorker.h"

void CWaveWorker::Start()
{
    if (m_thread.joinable())
        return;
    m_quit = false;
    m_thread = std::thread([this] { Loop(); });
}

void CWaveWorker::Post(WAVEHDR* header)
{
    std::lock_guard lock(m_mutex);
    m_queue.push_back(header);
    m_wake.notify_one();
}

void CWaveWorker::Drain()
{
    std::unique_lock lock(m_mutex);
    if (m_thread.joinable())
        m_idle.wait(lock, [this] { return m_queue.empty() && !m_busy; });
}

void CWaveWorker::Stop()
{
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_wake.notify_one();
    }
    m_thread.join();
}

void CWaveWorker::Loop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || !m_queue.empty(); });
        if (m_queue.empty())
            return;
        WAVEHDR* header = m_queue.front();
        m_queue.pop_front();
        m_busy = true;
        lock.unlock();
        m_handler(header);
        lock.lock();
        m_busy = false;
        if (m_queue.empty())
            m_idle.notify_all();
    }
}
