#include "platform/media/tests/WaveFixture.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <numeric>
#include <vector>

namespace {

// What a callback saw: the messages, and the headers in the order they came back.
struct Log {
    std::mutex mutex;
    std::vector<UINT> messages;
    std::vector<std::vector<BYTE>> buffers;
    std::thread::id thread;

    static void Record(void*, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR)
    {
        auto* log = reinterpret_cast<Log*>(instance);
        std::lock_guard lock(log->mutex);
        log->thread = std::this_thread::get_id();
        log->messages.push_back(message);
        if (auto* h = reinterpret_cast<WAVEHDR*>(param1); h && message == WIM_DATA)
            log->buffers.emplace_back(h->lpData, h->lpData + h->dwBytesRecorded);
    }
    static void In(HWAVEIN h, UINT m, DWORD_PTR i, DWORD_PTR p1, DWORD_PTR p2) { Record(h, m, i, p1, p2); }
    static void Out(HWAVEOUT h, UINT m, DWORD_PTR i, DWORD_PTR p1, DWORD_PTR p2) { Record(h, m, i, p1, p2); }
    size_t Count(UINT message)
    {
        std::lock_guard lock(mutex);
        return size_t(std::count(messages.begin(), messages.end(), message));
    }
};

std::vector<BYTE> Ramp(size_t n)
{
    std::vector<BYTE> bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = BYTE(i * 7 + i / 256);
    return bytes;
}

struct Header {
    std::vector<char> data;
    WAVEHDR hdr{};
    explicit Header(size_t size) : data(size) { hdr.lpData = data.data(), hdr.dwBufferLength = DWORD(size); }
};

using WaveIn = WaveFixture;
using WaveOut = WaveFixture;

TEST_F(WaveIn, AStoppedRecordingGivesTheFullBufferThenThePartOne)
{
    WAVEFORMATEX f = Pcm(2, 22050, 16);
    Log log;
    HWAVEIN in = nullptr;
    ASSERT_EQ(waveInOpen(&in, WAVE_MAPPER, &f, DWORD_PTR(&Log::In), DWORD_PTR(&log), CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    Header a(4096), b(4096);
    for (Header* h : {&a, &b}) {
        ASSERT_EQ(waveInPrepareHeader(in, &h->hdr, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
        ASSERT_EQ(waveInAddBuffer(in, &h->hdr, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    }
    std::vector<BYTE> sound = Ramp(6144);
    device->Feed(sound);
    ASSERT_EQ(waveInStart(in), MMSYSERR_NOERROR);
    ASSERT_TRUE(Eventually([&] { return device->Captured() == sound.size() && log.Count(WIM_DATA) == 1; }));
    ASSERT_EQ(waveInReset(in), MMSYSERR_NOERROR);
    EXPECT_TRUE(b.hdr.dwFlags & WHDR_DONE);
    EXPECT_FALSE(b.hdr.dwFlags & WHDR_INQUEUE);
    ASSERT_EQ(waveInClose(in), MMSYSERR_NOERROR);

    ASSERT_EQ(log.buffers.size(), 2u);
    EXPECT_EQ(log.buffers[0], std::vector<BYTE>(sound.begin(), sound.begin() + 4096));
    EXPECT_EQ(log.buffers[1], std::vector<BYTE>(sound.begin() + 4096, sound.end()));
    EXPECT_EQ(log.messages.front(), UINT(WIM_OPEN));
    EXPECT_EQ(log.messages.back(), UINT(WIM_CLOSE));
    EXPECT_NE(log.thread, std::this_thread::get_id());
}

TEST_F(WaveIn, ADeviceThatDisappearsEndsTheRecordingWithWhatWasCaptured)
{
    WAVEFORMATEX f = Pcm(1, 8000, 16);
    Log log;
    HWAVEIN in = nullptr;
    ASSERT_EQ(waveInOpen(&in, 0, &f, DWORD_PTR(&Log::In), DWORD_PTR(&log), CALLBACK_FUNCTION), MMSYSERR_NOERROR);
    Header a(1000), b(1000);
    for (Header* h : {&a, &b}) {
        waveInPrepareHeader(in, &h->hdr, sizeof(WAVEHDR));
        waveInAddBuffer(in, &h->hdr, sizeof(WAVEHDR));
    }
    device->Feed(Ramp(300));
    waveInStart(in);
    ASSERT_TRUE(Eventually([&] { return device->Captured() == 300; }));
    device->Disconnect();
    ASSERT_TRUE(Eventually([&] { return log.Count(WIM_DATA) == 2; }));
    EXPECT_EQ(log.buffers[0], Ramp(300));
    EXPECT_TRUE(log.buffers[1].empty());
    EXPECT_EQ(waveInAddBuffer(in, &a.hdr, sizeof(WAVEHDR)), MMSYSERR_NODRIVER);
    EXPECT_EQ(waveInReset(in), MMSYSERR_NOERROR);
    EXPECT_EQ(waveInClose(in), MMSYSERR_NOERROR);
}

TEST_F(WaveIn, ABufferThatEndsInATornFrameComesBackWithTheWholeFrames)
{
    WAVEFORMATEX f = Pcm(2, 8000, 16);
    Log log;
    HWAVEIN in = nullptr;
    ASSERT_EQ(waveInOpen(&in, 0, &f, DWORD_PTR(&Log::In), DWORD_PTR(&log), CALLBACK_FUNCTION), MMSYSERR_NOERROR);
    Header odd(4099);
    waveInPrepareHeader(in, &odd.hdr, sizeof(WAVEHDR));
    waveInAddBuffer(in, &odd.hdr, sizeof(WAVEHDR));
    device->Feed(Ramp(5000));
    waveInStart(in);
    ASSERT_TRUE(Eventually([&] { return log.Count(WIM_DATA) == 1; }));
    EXPECT_EQ(log.buffers[0].size(), 4096u);
    waveInReset(in);
    EXPECT_EQ(waveInClose(in), MMSYSERR_NOERROR);
}

TEST_F(WaveOut, PlaysTheHeadersInOrderAndReportsThePosition)
{
    WAVEFORMATEX f = Pcm(2, 44100, 16);
    Log log;
    HWAVEOUT out = nullptr;
    ASSERT_EQ(waveOutOpen(&out, WAVE_MAPPER, &f, DWORD_PTR(&Log::Out), DWORD_PTR(&log), CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    std::vector<BYTE> sound = Ramp(10000);
    WAVEHDR pieces[3]{};
    DWORD offsets[] = {0, 4096, 8192, 10000};
    for (int i = 0; i < 3; ++i) {
        pieces[i].lpData = reinterpret_cast<LPSTR>(sound.data() + offsets[i]);
        pieces[i].dwBufferLength = offsets[i + 1] - offsets[i];
        ASSERT_EQ(waveOutPrepareHeader(out, &pieces[i], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
        ASSERT_EQ(waveOutWrite(out, &pieces[i], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    }
    ASSERT_TRUE(Eventually([&] { return log.Count(WOM_DONE) == 3; }));
    MMTIME t{TIME_BYTES, {}};
    ASSERT_EQ(waveOutGetPosition(out, &t, sizeof t), MMSYSERR_NOERROR);
    EXPECT_EQ(t.u.cb, 10000u);
    t.wType = TIME_SAMPLES;
    waveOutGetPosition(out, &t, sizeof t);
    EXPECT_EQ(t.u.sample, 2500u);
    EXPECT_EQ(device->Played(), sound);
    for (WAVEHDR& h : pieces)
        EXPECT_EQ(waveOutUnprepareHeader(out, &h, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutClose(out), MMSYSERR_NOERROR);
}

TEST_F(WaveOut, PauseHoldsThePositionAndRestartGoesOnFromThere)
{
    device->SetSpeed(1);
    WAVEFORMATEX f = Pcm(1, 8000, 8);
    Log log;
    HWAVEOUT out = nullptr;
    ASSERT_EQ(waveOutOpen(&out, 0, &f, DWORD_PTR(&Log::Out), DWORD_PTR(&log), CALLBACK_FUNCTION), MMSYSERR_NOERROR);
    std::vector<BYTE> sound = Ramp(8000);  // a second
    WAVEHDR h{reinterpret_cast<LPSTR>(sound.data()), DWORD(sound.size()), 0, 0, 0, 0, nullptr, 0};
    waveOutPrepareHeader(out, &h, sizeof h);
    waveOutWrite(out, &h, sizeof h);
    MMTIME t{TIME_BYTES, {}};
    ASSERT_TRUE(Eventually([&] { return waveOutGetPosition(out, &t, sizeof t) == 0 && t.u.cb >= 400; }));
    ASSERT_EQ(waveOutPause(out), MMSYSERR_NOERROR);
    DWORD held = 0;
    ASSERT_TRUE(Eventually([&] {  // a chunk under way may still finish
        DWORD before = (waveOutGetPosition(out, &t, sizeof t), t.u.cb);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        waveOutGetPosition(out, &t, sizeof t);
        held = t.u.cb;
        return held == before;
    }));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    waveOutGetPosition(out, &t, sizeof t);
    EXPECT_EQ(t.u.cb, held);
    EXPECT_LT(held, 8000u);
    EXPECT_FALSE(h.dwFlags & WHDR_DONE);
    ASSERT_EQ(waveOutRestart(out), MMSYSERR_NOERROR);
    ASSERT_TRUE(Eventually([&] { return log.Count(WOM_DONE) == 1; }));
    EXPECT_EQ(device->Played(), sound);
    waveOutUnprepareHeader(out, &h, sizeof h);
    EXPECT_EQ(waveOutClose(out), MMSYSERR_NOERROR);
}

TEST_F(WaveOut, ClosingWhilePlayingIsRefusedUntilAResetGivesTheHeadersBack)
{
    device->SetSpeed(1);
    WAVEFORMATEX f = Pcm(1, 8000, 8);
    Log log;
    HWAVEOUT out = nullptr;
    waveOutOpen(&out, 0, &f, DWORD_PTR(&Log::Out), DWORD_PTR(&log), CALLBACK_FUNCTION);
    std::vector<BYTE> sound = Ramp(80000);  // ten seconds
    WAVEHDR h{reinterpret_cast<LPSTR>(sound.data()), DWORD(sound.size()), 0, 0, 0, 0, nullptr, 0};
    waveOutPrepareHeader(out, &h, sizeof h);
    waveOutWrite(out, &h, sizeof h);
    EXPECT_EQ(waveOutClose(out), WAVERR_STILLPLAYING);
    EXPECT_EQ(waveOutUnprepareHeader(out, &h, sizeof h), WAVERR_STILLPLAYING);
    ASSERT_EQ(waveOutReset(out), MMSYSERR_NOERROR);
    EXPECT_EQ(h.dwFlags & (WHDR_DONE | WHDR_INQUEUE), WHDR_DONE);
    EXPECT_EQ(log.Count(WOM_DONE), 1u);
    MMTIME t{TIME_BYTES, {}};
    waveOutGetPosition(out, &t, sizeof t);
    EXPECT_EQ(t.u.cb, 0u);
    EXPECT_EQ(waveOutUnprepareHeader(out, &h, sizeof h), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutClose(out), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutClose(out), MMSYSERR_INVALHANDLE);
}

// A player whose callback queues the next piece itself must not deadlock with a reset.
struct SelfFeeding {
    HWAVEOUT out = nullptr;
    std::vector<BYTE> sound = Ramp(8000);  // a second: long enough to be still queued after the reset
    WAVEHDR h{};
    std::atomic<int> done{0};
    std::atomic<bool> stopping{false};
    static void Proc(HWAVEOUT handle, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR)
    {
        auto* self = reinterpret_cast<SelfFeeding*>(instance);
        if (message != WOM_DONE)
            return;
        ++self->done;
        if (!self->stopping)
            waveOutWrite(handle, &self->h, sizeof(WAVEHDR));
    }
};

TEST_F(WaveOut, ACallbackMayQueueAgainWhileAResetRuns)
{
    device->SetSpeed(1);
    WAVEFORMATEX f = Pcm(1, 8000, 8);
    SelfFeeding player;
    player.h.lpData = reinterpret_cast<LPSTR>(player.sound.data());
    player.h.dwBufferLength = DWORD(player.sound.size());
    waveOutOpen(&player.out, 0, &f, DWORD_PTR(&SelfFeeding::Proc), DWORD_PTR(&player), CALLBACK_FUNCTION);
    waveOutPrepareHeader(player.out, &player.h, sizeof(WAVEHDR));
    waveOutWrite(player.out, &player.h, sizeof(WAVEHDR));
    EXPECT_EQ(waveOutReset(player.out), MMSYSERR_NOERROR);
    EXPECT_EQ(player.done, 1);
    EXPECT_TRUE(player.h.dwFlags & WHDR_INQUEUE);
    EXPECT_EQ(waveOutClose(player.out), WAVERR_STILLPLAYING);  // the callback queued it again
    player.stopping = true;
    EXPECT_EQ(waveOutReset(player.out), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutClose(player.out), MMSYSERR_NOERROR);
}

TEST_F(WaveOut, WithoutASoundCardOpeningFailsWithItsCodeAndText)
{
    device->SetPresent(false);
    WAVEFORMATEX f = Pcm(2, 22050, 16);
    HWAVEOUT out = nullptr;
    HWAVEIN in = nullptr;
    EXPECT_EQ(waveOutGetNumDevs(), 0u);
    EXPECT_EQ(waveOutOpen(&out, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
    EXPECT_EQ(waveInOpen(&in, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
    EXPECT_EQ(waveInOpen(nullptr, WAVE_MAPPER, &f, 0, 0, WAVE_FORMAT_QUERY), MMSYSERR_NODRIVER);
    char text[MAXERRORLENGTH];
    ASSERT_EQ(waveOutGetErrorText(MMSYSERR_NODRIVER, text, sizeof text), MMSYSERR_NOERROR);
    EXPECT_STREQ(text, "No sound device is available on this computer.");
}

TEST_F(WaveOut, RefusesWhatItCannotUse)
{
    WAVEFORMATEX f = Pcm(2, 22050, 16);
    HWAVEOUT out = nullptr;
    WAVEFORMATEX odd = f;
    odd.nBlockAlign = 3;
    WAVEFORMATEX compressed = f;
    compressed.wFormatTag = WAVE_FORMAT_MULAW;
    WAVEFORMATEX empty = f;
    empty.nBlockAlign = 0;
    for (const WAVEFORMATEX* bad : {&odd, &compressed, &empty}) {
        EXPECT_EQ(waveOutOpen(&out, 0, bad, 0, 0, CALLBACK_NULL), WAVERR_BADFORMAT);
        EXPECT_EQ(waveInOpen(nullptr, 0, bad, 0, 0, WAVE_FORMAT_QUERY), WAVERR_BADFORMAT);
    }
    EXPECT_EQ(waveInOpen(nullptr, 0, &f, 0, 0, WAVE_FORMAT_QUERY), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutOpen(&out, 5, &f, 0, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(waveOutOpen(&out, 0, &f, 0, 0, 0x50000), MMSYSERR_INVALFLAG);
    EXPECT_EQ(waveOutPause(reinterpret_cast<HWAVEOUT>(&f)), MMSYSERR_INVALHANDLE);

    ASSERT_EQ(waveOutOpen(&out, 0, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    Header h(64);
    EXPECT_EQ(waveOutWrite(out, &h.hdr, sizeof(WAVEHDR)), WAVERR_UNPREPARED);
    EXPECT_EQ(waveOutPrepareHeader(out, &h.hdr, 4), MMSYSERR_INVALPARAM);
    EXPECT_EQ(waveOutGetPosition(out, nullptr, sizeof(MMTIME)), MMSYSERR_INVALPARAM);
    EXPECT_EQ(waveOutClose(out), MMSYSERR_NOERROR);
}

TEST(WaveErrorText, IsCutToTheBufferAndUnknownCodesAreRefused)
{
    char text[8];
    EXPECT_EQ(waveInGetErrorText(WAVERR_BADFORMAT, text, sizeof text), MMSYSERR_NOERROR);
    EXPECT_STREQ(text, "The sou");
    EXPECT_EQ(waveInGetErrorText(999, text, sizeof text), MMSYSERR_BADERRNUM);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(waveInGetErrorText(WAVERR_BADFORMAT, nullptr, 8), MMSYSERR_INVALPARAM);
}

}  // namespace

namespace {

TEST(DesktopWaveDevices, WithoutDevicesOpeningFailsAtOnce)
{
    auto previous = SetWaveDeviceProvider(nullptr);  // the built-in provider
    if (waveOutGetNumDevs() != 0) {
        SetWaveDeviceProvider(previous);
        GTEST_SKIP() << "this machine has sound devices";
    }
    WAVEFORMATEX f{WAVE_FORMAT_PCM, 1, 8000, 16000, 2, 16, 0};
    HWAVEOUT out = nullptr;
    HWAVEIN in = nullptr;
    EXPECT_EQ(waveOutOpen(&out, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
    EXPECT_EQ(waveInOpen(&in, 0, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
    SetWaveDeviceProvider(previous);
}

}  // namespace
