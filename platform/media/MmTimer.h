// The multimedia clock and timers. Each timer event runs on a thread of its own; the callback
// may kill its own event. Killing an event from another thread waits for a running callback,
// so a callback must never wait for the thread that kills it (post to it, don't send).
#pragma once

#include "platform/media/WaveTypes.h"

constexpr UINT TIME_ONESHOT = 0x0, TIME_PERIODIC = 0x1, TIME_CALLBACK_FUNCTION = 0x0;
constexpr MMRESULT TIMERR_NOERROR = 0, TIMERR_NOCANDO = 97, TIMERR_STRUCT = 129;
constexpr UINT kMaxTimerPeriod = 1000000;

struct TIMECAPS {
    UINT wPeriodMin;
    UINT wPeriodMax;
};
using LPTIMECAPS = TIMECAPS*;
using LPTIMECALLBACK = void (*)(UINT timerId, UINT message, DWORD_PTR user, DWORD_PTR, DWORD_PTR);

// Milliseconds since an arbitrary start, wrapping at 2^32.
DWORD timeGetTime();
MMRESULT timeGetDevCaps(LPTIMECAPS caps, UINT size);
MMRESULT timeBeginPeriod(UINT period);
MMRESULT timeEndPeriod(UINT period);

// Returns the event id, or 0 when the delay is outside 1..kMaxTimerPeriod or there is no callback.
UINT timeSetEvent(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags);
MMRESULT timeKillEvent(UINT timerId);
