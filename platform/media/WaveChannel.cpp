#include "platform/media/WaveChannel.h"

#include <algorithm>

WaveChannel::WaveChannel(bool input, std::unique_ptr<WaveStream> stream, const WAVEFORMATEX& format,
                         DWORD_PTR callback, DWORD_PTR instance, DWORD flags)
    : m_input(input), m_stream(std::move(stream)), m_format(format), m_callback(callback), m_instance(instance),
      m_flags(flags), m_running(!input)
{
}

WaveChannel::~WaveChannel()
{
    if (m_thread.joinable()) {
        {
            std::lock_guard lock(m_mutex);
            m_closing = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
}

void WaveChannel::Begin(void* handle)
{
    m_handle = handle;
    m_thread = std::thread([this] { Loop(); });
}

MMRESULT WaveChannel::Prepare(WAVEHDR* header, UINT size)
{
    if (!header || size < sizeof(WAVEHDR) || (!header->lpData && header->dwBufferLength))
        return MMSYSERR_INVALPARAM;
    std::lock_guard lock(m_mutex);
    if (header->dwFlags & WHDR_INQUEUE)
        return WAVERR_STILLPLAYING;
    header->dwFlags |= WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT WaveChannel::Unprepare(WAVEHDR* header, UINT size)
{
    if (!header || size < sizeof(WAVEHDR))
        return MMSYSERR_INVALPARAM;
    std::lock_guard lock(m_mutex);
    if (header->dwFlags & WHDR_INQUEUE)
        return WAVERR_STILLPLAYING;
    header->dwFlags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT WaveChannel::Queue(WAVEHDR* header, UINT size)
{
    if (!header || size < sizeof(WAVEHDR))
        return MMSYSERR_INVALPARAM;
    std::lock_guard lock(m_mutex);
    if (!(header->dwFlags & WHDR_PREPARED))
        return WAVERR_UNPREPARED;
    if (header->dwFlags & WHDR_INQUEUE)
        return WAVERR_STILLPLAYING;
    if (m_gone)
        return MMSYSERR_NODRIVER;
    header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
    header->dwBytesRecorded = 0;
    m_queue.push_back(header);
    m_wake.notify_all();
    return MMSYSERR_NOERROR;
}

MMRESULT WaveChannel::Run()
{
    std::lock_guard lock(m_mutex);
    m_running = true;
    m_stream->SetPaused(false);
    m_wake.notify_all();
    return MMSYSERR_NOERROR;
}

MMRESULT WaveChannel::Pause()
{
    std::lock_guard lock(m_mutex);
    m_running = false;
    m_stream->SetPaused(true);
    return MMSYSERR_NOERROR;
}

MMRESULT WaveChannel::Reset()
{
    std::unique_lock lock(m_mutex);
    if (OnDeviceThread()) {
        CompleteAll(lock);
    } else {
        m_resetPending = true;
        m_wake.notify_all();
        m_resetDone.wait(lock, [this] { return !m_resetPending; });
    }
    m_running = !m_input;
    m_stream->SetPaused(false);
    m_position = 0;
    return MMSYSERR_NOERROR;
}

MMRESULT WaveChannel::Close()
{
    if (OnDeviceThread())
        return MMSYSERR_NOTSUPPORTED;  // the device thread cannot wait for its own end
    {
        std::lock_guard lock(m_mutex);
        if (!m_queue.empty())
            return WAVERR_STILLPLAYING;
        m_closing = true;
    }
    m_wake.notify_all();
    m_thread.join();
    return MMSYSERR_NOERROR;
}

DWORD WaveChannel::PositionBytes() const
{
    std::lock_guard lock(m_mutex);
    return m_position;
}

size_t WaveChannel::ChunkBytes() const
{
    size_t align = std::max<size_t>(1, m_format.nBlockAlign);
    size_t tenMs = m_format.nAvgBytesPerSec / 100;
    return std::max(align, tenMs / align * align);
}

void WaveChannel::Loop()
{
    Notify(m_input ? WIM_OPEN : WOM_OPEN, nullptr);
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_closing || m_resetPending || (m_running && !m_queue.empty()); });
        if (m_resetPending) {
            CompleteAll(lock);
            m_resetPending = false;
            m_resetDone.notify_all();
            continue;
        }
        if (m_closing)
            break;
        if (!Transfer(lock)) {
            m_gone = true;
            m_running = false;
            CompleteAll(lock);
        }
    }
    lock.unlock();
    Notify(m_input ? WIM_CLOSE : WOM_CLOSE, nullptr);
}

// Moves one chunk of the front header; the lock is released while the device works.
bool WaveChannel::Transfer(std::unique_lock<std::mutex>& lock)
{
    WAVEHDR* header = m_queue.front();
    size_t done = m_input ? header->dwBytesRecorded : m_frontOffset;
    size_t length = header->dwBufferLength;
    if (m_input)
        length -= length % std::max<size_t>(1, m_format.nBlockAlign);  // a torn frame at the end stays empty
    size_t chunk = std::min(ChunkBytes(), length - done);
    BYTE* at = reinterpret_cast<BYTE*>(header->lpData) + done;
    long moved = 0;
    lock.unlock();
    if (chunk == 0)
        moved = 0;
    else if (m_input)
        moved = m_stream->Read(at, chunk);
    else
        moved = m_stream->Write(at, chunk) ? long(chunk) : -1;
    lock.lock();
    if (moved < 0)
        return false;
    if (m_queue.empty() || m_queue.front() != header)
        return true;  // a reset took it back meanwhile
    m_position += DWORD(moved);
    if (m_input)
        header->dwBytesRecorded += DWORD(moved);
    else
        m_frontOffset += size_t(moved);
    if (done + size_t(moved) >= length) {
        m_queue.pop_front();
        m_frontOffset = 0;
        Complete(lock, header);
    }
    return true;
}

void WaveChannel::Complete(std::unique_lock<std::mutex>& lock, WAVEHDR* header)
{
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    lock.unlock();
    Notify(m_input ? WIM_DATA : WOM_DONE, header);
    lock.lock();
}

// Hands back what is queued now; headers queued by these callbacks stay for later.
void WaveChannel::CompleteAll(std::unique_lock<std::mutex>& lock)
{
    std::deque<WAVEHDR*> queued;
    queued.swap(m_queue);
    m_frontOffset = 0;
    for (WAVEHDR* header : queued)
        Complete(lock, header);
}

void WaveChannel::Notify(UINT message, WAVEHDR* header)
{
    if ((m_flags & CALLBACK_TYPEMASK) != CALLBACK_FUNCTION || !m_callback)
        return;
    auto param = reinterpret_cast<DWORD_PTR>(header);
    if (m_input)
        reinterpret_cast<WAVEINPROC>(m_callback)(static_cast<HWAVEIN>(m_handle), message, m_instance, param, 0);
    else
        reinterpret_cast<WAVEOUTPROC>(m_callback)(static_cast<HWAVEOUT>(m_handle), message, m_instance, param, 0);
}
