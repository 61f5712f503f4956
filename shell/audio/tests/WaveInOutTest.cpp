// The recorder and the player against the in-memory sound card.
#include "AudioFixture.h"

#include "shell/audio/WaveIn.h"
#include "shell/audio/WaveOut.h"

namespace {

using Recorder = AudioFixture;
using Player = AudioFixture;

TEST_F(Recorder, AStopAfterOneAndAHalfBuffersKeepsBothInOrder)
{
    std::vector<BYTE> sound = Ramp(6144);
    device->Feed(sound);
    CWaveIn recorder;
    recorder.SetFormat(Pcm(2, 22050, 16));
    ASSERT_TRUE(recorder.Open());
    ASSERT_TRUE(recorder.Start(4096));
    EXPECT_TRUE(recorder.IsRecording());
    ASSERT_TRUE(Eventually([&] { return device->Captured() == sound.size() && recorder.GetTotalFrames() == 1024; }));
    ASSERT_TRUE(recorder.Close());
    EXPECT_FALSE(recorder.IsRecording());

    CWave wave = recorder.MakeWave();
    ASSERT_EQ(wave.GetFrameCount(), 1536u);
    EXPECT_EQ(std::vector<BYTE>(wave.GetData(), wave.GetData() + wave.GetDataSize()), sound);
    EXPECT_EQ(report.LevelFrames(), (std::vector<DWORD>{1024, 512}));
}

TEST_F(Recorder, TakesOnlyTheLayoutOfACompressedFormat)
{
    CWaveIn recorder;
    WAVEFORMATEX mulaw{WAVE_FORMAT_MULAW, 1, 8000, 8000, 1, 8, 0};
    recorder.SetFormat(mulaw);
    std::vector<BYTE> sound = Ramp(300);
    device->Feed(sound);
    ASSERT_TRUE(recorder.Open());
    ASSERT_TRUE(recorder.Start(4096));
    ASSERT_TRUE(Eventually([&] { return device->Captured() == sound.size(); }));
    ASSERT_TRUE(recorder.Close());
    CWave wave = recorder.MakeWave();
    EXPECT_EQ(wave.GetFormat().wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(wave.GetFrameCount(), 300u);
}

TEST_F(Recorder, ARestartForgetsTheEarlierTake)
{
    CWaveIn recorder;
    recorder.SetFormat(Pcm(1, 8000, 8));
    device->Feed(Ramp(100));
    ASSERT_TRUE(recorder.Open());
    ASSERT_TRUE(recorder.Start(4096));
    ASSERT_TRUE(Eventually([&] { return device->Captured() == 100; }));
    ASSERT_TRUE(recorder.Reset());
    device->Feed(Ramp(40));
    ASSERT_TRUE(recorder.Start(4096));
    ASSERT_TRUE(Eventually([&] { return device->Captured() == 140; }));
    ASSERT_TRUE(recorder.Close());
    EXPECT_EQ(recorder.MakeWave().GetFrameCount(), 40u);
}

TEST_F(Player, PlaysTheWholeSoundThenTheSliderGoesBackToTheStart)
{
    std::vector<BYTE> bytes = Ramp(4096 * 3 + 1000);
    CWaveOut player;
    ASSERT_TRUE(player.SetWave(Sound(bytes)));
    ASSERT_TRUE(player.Open());
    ASSERT_TRUE(player.Play(-1));
    ASSERT_TRUE(Eventually([&] { return !player.IsPlaying(); }));
    EXPECT_EQ(device->Played(), bytes);
    std::vector<int> positions = report.Positions();
    ASSERT_FALSE(positions.empty());
    EXPECT_EQ(positions.back(), 0);
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end() - 1));
    EXPECT_EQ(positions.end()[-2], int(bytes.size() / 4));
    EXPECT_TRUE(player.IsAtEnd());
    EXPECT_TRUE(player.Close());
}

TEST_F(Player, PlaysFromAFrameAndReportsPositionsFromThere)
{
    std::vector<BYTE> bytes = Ramp(2000);
    CWaveOut player;
    ASSERT_TRUE(player.SetWave(Sound(bytes)));
    ASSERT_TRUE(player.Open());
    ASSERT_TRUE(player.Play(100));
    ASSERT_TRUE(Eventually([&] { return report.Positions().size() == 2; }));
    EXPECT_EQ(device->Played(), std::vector<BYTE>(bytes.begin() + 400, bytes.end()));
    EXPECT_EQ(report.Positions(), (std::vector<int>{500, 0}));
}

TEST_F(Player, PauseKeepsPlayingTrueAndRestartGoesOnFromThere)
{
    device->SetSpeed(1);
    std::vector<BYTE> bytes = Ramp(8000 * 2 / 4);  // a quarter second of 8 kHz 16-bit mono
    CWaveOut player;
    ASSERT_TRUE(player.SetWave(Sound(bytes, 1, 8000)));
    ASSERT_TRUE(player.Open());
    ASSERT_TRUE(player.Play(-1));
    ASSERT_TRUE(player.Pause());
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(player.IsPlaying());
    size_t heard = device->Played().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(device->Played().size(), heard);
    ASSERT_TRUE(player.Restart());
    ASSERT_TRUE(Eventually([&] { return !player.IsPlaying(); }));
    EXPECT_EQ(device->Played(), bytes);
}

TEST_F(Player, StopEndsAtOnceAndCloseOfAClosedDeviceSucceeds)
{
    device->SetSpeed(1);
    CWaveOut player;
    CWaveIn recorder;
    EXPECT_TRUE(player.Close());
    EXPECT_TRUE(recorder.Close());
    ASSERT_TRUE(player.SetWave(Sound(Ramp(22050 * 4))));  // one second
    ASSERT_TRUE(player.Open());
    ASSERT_TRUE(player.Play(-1));
    ASSERT_TRUE(player.Stop());
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_LT(device->Played().size(), size_t(22050 * 4));
}

TEST_F(Player, RefusesASoundWithoutAFrameSize)
{
    CWave wave;
    WaveFormatBlock block{};
    wave.SetFormatBlock(block);
    CWaveOut player;
    EXPECT_FALSE(player.SetWave(wave));
    EXPECT_FALSE(player.GetErrorText().IsEmpty());
}

TEST_F(Player, TwoPlayersEachBringTheSliderBack)
{
    CWaveOut first, second;
    for (CWaveOut* player : {&first, &second}) {
        ASSERT_TRUE(player->SetWave(Sound(Ramp(4096 + 100))));
        ASSERT_TRUE(player->Open());
    }
    ASSERT_TRUE(first.Play(-1));
    ASSERT_TRUE(second.Play(-1));
    ASSERT_TRUE(Eventually([&] { return !first.IsPlaying() && !second.IsPlaying(); }));
    std::vector<int> positions = report.Positions();
    EXPECT_EQ(std::count(positions.begin(), positions.end(), 0), 2);
}

}  // namespace
