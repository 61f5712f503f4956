#include "platform/media/MmTimer.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct TimerEvent {
    std::mutex mutex;
    std::condition_variable wake;
    bool killed = false;
    std::thread thread;
};

struct Timers {
    std::mutex mutex;
    std::map<UINT, std::shared_ptr<TimerEvent>> events;
    UINT nextId = 1;
};

Timers& Table()
{
    static Timers timers;
    return timers;
}

std::shared_ptr<TimerEvent> TakeEvent(UINT id)
{
    std::lock_guard lock(Table().mutex);
    auto it = Table().events.find(id);
    if (it == Table().events.end())
        return nullptr;
    auto event = it->second;
    Table().events.erase(it);
    return event;
}

void Run(std::shared_ptr<TimerEvent> event, UINT id, UINT delay, LPTIMECALLBACK callback, DWORD_PTR user,
         bool periodic)
{
    auto due = Clock::now();
    std::unique_lock lock(event->mutex);
    do {
        due += std::chrono::milliseconds(delay);
        if (event->wake.wait_until(lock, due, [&] { return event->killed; }))
            return;
        lock.unlock();
        // A one-shot event is over once it fires: its id is gone before the callback runs.
        if (auto self = periodic ? nullptr : TakeEvent(id))
            self->thread.detach();
        callback(id, 0, user, 0, 0);
        lock.lock();
    } while (periodic && !event->killed);
}

}  // namespace

DWORD timeGetTime()
{
    using namespace std::chrono;
    return DWORD(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

MMRESULT timeGetDevCaps(LPTIMECAPS caps, UINT size)
{
    if (!caps || size < sizeof(TIMECAPS))
        return TIMERR_STRUCT;
    *caps = {1, kMaxTimerPeriod};
    return TIMERR_NOERROR;
}

MMRESULT timeBeginPeriod(UINT period) { return period >= 1 && period <= kMaxTimerPeriod ? TIMERR_NOERROR : TIMERR_NOCANDO; }
MMRESULT timeEndPeriod(UINT period) { return timeBeginPeriod(period); }

UINT timeSetEvent(UINT delay, UINT, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags)
{
    if (!callback || delay < 1 || delay > kMaxTimerPeriod)
        return 0;
    auto event = std::make_shared<TimerEvent>();
    std::lock_guard lock(Table().mutex);
    UINT id = Table().nextId++;
    if (Table().nextId == 0)
        Table().nextId = 1;
    Table().events[id] = event;
    event->thread = std::thread(Run, event, id, delay, callback, user, (flags & TIME_PERIODIC) != 0);
    return id;
}

MMRESULT timeKillEvent(UINT timerId)
{
    auto event = TakeEvent(timerId);
    if (!event)
        return MMSYSERR_INVALPARAM;
    {
        std::lock_guard lock(event->mutex);
        event->killed = true;
    }
    event->wake.notify_all();
    if (event->thread.get_id() == std::this_thread::get_id())
        event->thread.detach();
    else
        event->thread.join();
    return MMSYSERR_NOERROR;
}
