// The audio manager's commands on attached sound notes, their update state, the level of a
// captured buffer, the slider position from the player's thread and the format chooser.
#include "shell/AudioManager.h"

#include "UiFixture.h"
#include "objects/kinds/SoundOb.h"
#include "platform/media/Acm.h"
#include "platform/media/MemoryWaveDevice.h"
#include "platform/ui/CmdUI.h"

#include <chrono>
#include <cstring>
#include <thread>

namespace {

class AudioManagerTest : public UiTest {
protected:
    std::shared_ptr<MemoryWaveDevice> device = std::make_shared<MemoryWaveDevice>();
    std::shared_ptr<WaveDeviceProvider> previous;
    CSoundOb first, second;
    std::unique_ptr<CAudioManager> manager;

    void SetUp() override
    {
        UiTest::SetUp();
        previous = SetWaveDeviceProvider(device);
        manager = std::make_unique<CAudioManager>();
    }
    void TearDown() override
    {
        manager.reset();
        SetWaveDeviceProvider(previous);
        UiTest::TearDown();
    }
    template <typename Condition>
    static bool Eventually(Condition condition)
    {
        for (int i = 0; i < 5000 && !condition(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return condition();
    }
    static std::vector<BYTE> Ramp(size_t n)
    {
        std::vector<BYTE> bytes(n);
        for (size_t i = 0; i < n; ++i)
            bytes[i] = BYTE(i * 13 + i / 256);
        return bytes;
    }
    // Records the bytes into the attached note in the manager's format (stereo 16-bit).
    void Record(const std::vector<BYTE>& bytes)
    {
        size_t before = device->Captured();
        device->Feed(bytes);
        manager->OnRecord();
        ASSERT_TRUE(manager->GetSoundOb()->GetSound().IsRecording());
        ASSERT_TRUE(Eventually([&] { return device->Captured() == before + bytes.size(); }));
        manager->OnStop();
    }
};

TEST_F(AudioManagerTest, RecordWhilePlayingStopsThePlaybackAndReplacesTheSound)
{
    manager->SetSoundOb(&first);
    ASSERT_NO_FATAL_FAILURE(Record(Ramp(4000)));
    ASSERT_EQ(first.GetLength(), 1000);
    EXPECT_EQ(manager->GetSlider().GetRangeMax(), 1000);
    device->SetSpeed(1);
    manager->OnPlay();
    ASSERT_TRUE(first.GetSound().IsPlaying());
    device->SetSpeed(0);
    ASSERT_NO_FATAL_FAILURE(Record(Ramp(800)));
    EXPECT_FALSE(first.GetSound().IsPlaying());
    EXPECT_EQ(first.GetLength(), 200);
}

TEST_F(AudioManagerTest, PlayAtTheEndOfTheSliderStartsFromTheBeginning)
{
    manager->SetSoundOb(&first);
    ASSERT_NO_FATAL_FAILURE(Record(Ramp(2000)));
    manager->GetSlider().SetPos(manager->GetSlider().GetRangeMax());
    size_t before = device->Played().size();
    manager->OnPlay();
    ASSERT_TRUE(Eventually([&] { return !first.GetSound().IsPlaying(); }));
    EXPECT_EQ(device->Played().size() - before, 2000u);
}

TEST_F(AudioManagerTest, PlayWhilePausedResumesWithoutRestarting)
{
    manager->SetSoundOb(&first);
    ASSERT_NO_FATAL_FAILURE(Record(Ramp(22048)));  // a quarter second
    device->SetSpeed(1);
    manager->OnPlay();
    manager->OnPause();
    ASSERT_TRUE(first.GetSound().IsPaused());
    manager->OnPlay();
    EXPECT_FALSE(first.GetSound().IsPaused());
    ASSERT_TRUE(Eventually([&] { return !first.GetSound().IsPlaying(); }));
    EXPECT_EQ(device->Played().size(), 22048u) << "played once, not restarted";
}

TEST_F(AudioManagerTest, AttachingASecondNoteStopsTheFirst)
{
    manager->SetSoundOb(&first);
    ASSERT_NO_FATAL_FAILURE(Record(Ramp(88200)));
    device->SetSpeed(1);
    manager->OnPlay();
    ASSERT_TRUE(first.GetSound().IsPlaying());
    manager->SetSoundOb(&second);
    EXPECT_FALSE(first.GetSound().IsPlaying());
    EXPECT_EQ(manager->GetSoundOb(), &second);
    EXPECT_EQ(manager->GetSlider().GetRangeMax(), 0);
    manager->SetSoundOb(nullptr);
    EXPECT_EQ(manager->GetSoundOb(), nullptr);
}

struct UpdateLog : CCmdUI {
    BOOL enabled = -1;
    int checked = -1;
    void Enable(BOOL on) override { enabled = on; }
    void SetCheck(int check) override { checked = check; }
};

struct UpdateRow {
    void (CAudioManager::*handler)(CCmdUI*);
    BOOL enabled;
    int checked;
};

TEST_F(AudioManagerTest, UpdateHandlersFollowTheControlsAndTheSoundsState)
{
    manager->SetSoundOb(&first);
    device->Feed(Ramp(400));
    manager->OnRecord();
    ASSERT_TRUE(first.GetSound().IsRecording());
    const UpdateRow recording[] = {{&CAudioManager::OnUpdateRecord, TRUE, 1}, {&CAudioManager::OnUpdatePlay, TRUE, 0},
                                   {&CAudioManager::OnUpdatePause, TRUE, 0}, {&CAudioManager::OnUpdateStop, TRUE, 0},
                                   {&CAudioManager::OnUpdateSlider, TRUE, 0}};
    for (const UpdateRow& row : recording) {
        UpdateLog log;
        (manager.get()->*row.handler)(&log);
        EXPECT_EQ(log.enabled, row.enabled);
        EXPECT_EQ(log.checked, row.checked);
    }
    manager->SetControlsEnabled(FALSE);
    for (const UpdateRow& row : recording) {
        UpdateLog log;
        (manager.get()->*row.handler)(&log);
        EXPECT_EQ(log.enabled, FALSE);
        EXPECT_EQ(log.checked, 0);
    }
    manager->OnStop();
}

struct LevelCase {
    const char* name;
    std::vector<short> samples;  // interleaved stereo
    int level;
};

TEST_F(AudioManagerTest, TheLevelIsTheSpreadOfTheFirstChannelOverThirty)
{
    std::vector<short> square, silent(200, 1234), rightOnly;
    for (int i = 0; i < 100; ++i) {
        square.insert(square.end(), {short(i % 2 ? 32767 : -32767), 0});
        rightOnly.insert(rightOnly.end(), {0, short(i % 2 ? 32767 : -32767)});
    }
    const LevelCase cases[] = {{"silent", silent, 0}, {"square", square, 1092}, {"right only", rightOnly, 0},
                               {"no frames", {}, 0}};
    WAVEFORMATEX stereo = ReadFormat(MakePcmFormatBlock(2, 22050, 16));
    for (const LevelCase& c : cases)
        EXPECT_EQ(CAudioManager::VolumeLevel(reinterpret_cast<const BYTE*>(c.samples.data()),
                                             DWORD(c.samples.size() / 2), stereo),
                  c.level)
            << c.name;
}

TEST_F(AudioManagerTest, ThePlayersPositionReachesTheSliderOnThisThread)
{
    manager->SetSoundOb(&first);
    ASSERT_NO_FATAL_FAILURE(Record(Ramp(4000)));
    std::thread([&] { manager->SetPlayPosition(600); }).join();
    EXPECT_EQ(manager->GetSlider().GetPos(), 0) << "not before the message arrives";
    UiTestHook::PumpPending();
    EXPECT_EQ(manager->GetSlider().GetPos(), 600);
    std::thread([&] { manager->SetPlayPosition(1000); }).join();
    UiTestHook::PumpPending();
    EXPECT_EQ(manager->GetSlider().GetPos(), 0) << "the end of the sound sends it back";
}

TEST_F(AudioManagerTest, TheChosenFormatIsKeptAndAChoiceWhileRecordingIsIgnored)
{
    WaveFormatBlock start = manager->GetRecordingFormat();
    AcmTestHook::QueueFormatChoice(-1);
    manager->ChooseFormat();
    EXPECT_EQ(manager->GetRecordingFormat(), start);

    AcmTestHook::QueueFormatChoice(0);
    manager->ChooseFormat();
    WaveFormatBlock chosen = manager->GetRecordingFormat();
    EXPECT_NE(chosen, start);

    manager->SetSoundOb(&first);
    device->Feed(Ramp(400));
    manager->OnRecord();
    ASSERT_TRUE(first.GetSound().IsRecording());
    AcmTestHook::QueueFormatChoice(1);
    manager->ChooseFormat();
    EXPECT_EQ(manager->GetRecordingFormat(), chosen);
    manager->OnStop();
    AcmTestHook::QueueFormatChoice(-1);
    manager->ChooseFormat();
}

}  // namespace
