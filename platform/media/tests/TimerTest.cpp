#include "platform/media/MmTimer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

struct Ticks {
    std::atomic<int> count{0};
    std::atomic<bool> offThread{true};
    std::thread::id caller = std::this_thread::get_id();
    std::atomic<UINT> killOnTick{0};

    static void Tick(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR)
    {
        auto* self = reinterpret_cast<Ticks*>(user);
        if (std::this_thread::get_id() == self->caller)
            self->offThread = false;
        if (++self->count == 3 && self->killOnTick == id) {
            EXPECT_EQ(timeKillEvent(id), MMSYSERR_NOERROR);
        }
    }
};

void WaitFor(const std::atomic<int>& count, int n)
{
    for (int i = 0; i < 2000 && count < n; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST(MmTimer, APeriodicEventTicksOnItsOwnThreadUntilKilled)
{
    Ticks ticks;
    UINT id = timeSetEvent(2, 0, &Ticks::Tick, DWORD_PTR(&ticks), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    WaitFor(ticks.count, 5);
    EXPECT_EQ(timeKillEvent(id), MMSYSERR_NOERROR);
    int after = ticks.count;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(ticks.count, after);
    EXPECT_GE(after, 5);
    EXPECT_TRUE(ticks.offThread);
    EXPECT_EQ(timeKillEvent(id), MMSYSERR_INVALPARAM);
}

TEST(MmTimer, AOneShotFiresOnceAndIsGone)
{
    Ticks ticks;
    UINT id = timeSetEvent(1, 0, &Ticks::Tick, DWORD_PTR(&ticks), TIME_ONESHOT);
    WaitFor(ticks.count, 1);
    EXPECT_EQ(timeKillEvent(id), MMSYSERR_INVALPARAM);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(ticks.count, 1);
}

TEST(MmTimer, TheCallbackMayKillItsOwnEvent)
{
    Ticks ticks;
    UINT id = timeSetEvent(1, 0, &Ticks::Tick, DWORD_PTR(&ticks), TIME_PERIODIC);
    ticks.killOnTick = id;
    WaitFor(ticks.count, 3);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(ticks.count, 3);
    EXPECT_EQ(timeKillEvent(id), MMSYSERR_INVALPARAM);
}

TEST(MmTimer, RefusesWhatItCannotTime)
{
    Ticks ticks;
    EXPECT_EQ(timeSetEvent(0, 0, &Ticks::Tick, 0, TIME_PERIODIC), 0u);
    EXPECT_EQ(timeSetEvent(kMaxTimerPeriod + 1, 0, &Ticks::Tick, 0, TIME_PERIODIC), 0u);
    EXPECT_EQ(timeSetEvent(10, 0, nullptr, 0, TIME_PERIODIC), 0u);
    TIMECAPS caps{};
    EXPECT_EQ(timeGetDevCaps(&caps, sizeof caps), TIMERR_NOERROR);
    EXPECT_EQ(caps.wPeriodMin, 1u);
    EXPECT_EQ(timeGetDevCaps(&caps, 2), TIMERR_STRUCT);
    EXPECT_EQ(timeBeginPeriod(caps.wPeriodMin), TIMERR_NOERROR);
    EXPECT_EQ(timeEndPeriod(caps.wPeriodMin), TIMERR_NOERROR);
    EXPECT_EQ(timeBeginPeriod(0), TIMERR_NOCANDO);
}

}  // namespace
