// A sound note's recording, playback and conversion, with the messages of its failures.
#include "AudioFixture.h"

#include "shell/audio/SoundNoteAudio.h"

#include "platform/ui/TestHook.h"
#include "platform/ui/UiTypes.h"

#include <cstring>

namespace {

struct SoundNote : AudioFixture {
    CWave wave;
    CSoundNoteAudio note{wave};

    void SetUp() override
    {
        AudioFixture::SetUp();
        UiTestHook::Reset();
    }
    // Records the fed bytes in `format` and stops.
    void RecordAll(const std::vector<BYTE>& bytes, const WaveFormatBlock& format)
    {
        size_t before = device->Captured();
        device->Feed(bytes);
        note.Record(format);
        ASSERT_TRUE(note.IsRecording());
        ASSERT_TRUE(Eventually([&] { return device->Captured() == before + bytes.size(); }));
        note.Stop(format);
        ASSERT_FALSE(note.IsRecording());
    }
};

WaveFormatBlock Block(const WAVEFORMATEX& format)
{
    WaveFormatBlock block{};
    std::memcpy(block.data(), &format, sizeof format);
    return block;
}

TEST_F(SoundNote, RecordingInPcmKeepsTheCaptureUnchanged)
{
    std::vector<BYTE> bytes = Ramp(4096 + 2048);
    ASSERT_NO_FATAL_FAILURE(RecordAll(bytes, MakePcmFormatBlock(2, 22050, 16)));
    ASSERT_EQ(wave.GetFrameCount(), 1536u);
    EXPECT_EQ(std::vector<BYTE>(wave.GetData(), wave.GetData() + bytes.size()), bytes);
    EXPECT_EQ(report.ranges, (std::vector<int>{1536}));
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
}

TEST_F(SoundNote, RecordingInACompressedFormatStoresTheConvertedSound)
{
    WaveFormatBlock mulaw = Block({WAVE_FORMAT_MULAW, 1, 8000, 8000, 1, 8, 0});
    ASSERT_NO_FATAL_FAILURE(RecordAll(Ramp(1000), mulaw));
    EXPECT_EQ(wave.GetFormat().wFormatTag, WAVE_FORMAT_MULAW);
    EXPECT_EQ(wave.GetFrameCount(), 500u);  // 500 frames of 16-bit mono captured, one byte each now
    EXPECT_EQ(report.ranges, (std::vector<int>{500}));
}

TEST_F(SoundNote, AFailedConversionSaysSoAndKeepsThePcmCapture)
{
    WaveFormatBlock unknown = Block({0x55, 1, 8000, 1000, 1, 0, 0});
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    ASSERT_NO_FATAL_FAILURE(RecordAll(Ramp(800), unknown));
    EXPECT_EQ(UiTestHook::LastMessageBoxText(),
              "Error while converting, Codec not supported! PCM is chosen now. Error 1");
    EXPECT_EQ(wave.GetFormat().wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(wave.GetFrameCount(), 400u);
}

TEST_F(SoundNote, AFormatTheDeviceRefusesKeepsTheOldRecording)
{
    ASSERT_NO_FATAL_FAILURE(RecordAll(Ramp(400), MakePcmFormatBlock(1, 8000, 16)));
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    note.Record(MakePcmFormatBlock(6, 8000, 16));
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Format not supported! Choose another one, please.");
    EXPECT_FALSE(note.IsRecording());
    EXPECT_EQ(wave.GetFrameCount(), 200u);
}

TEST_F(SoundNote, PlaysWhatWasRecordedAndStoppingAPauseEndsIt)
{
    std::vector<BYTE> bytes = Ramp(2000);
    ASSERT_NO_FATAL_FAILURE(RecordAll(bytes, MakePcmFormatBlock(1, 8000, 16)));
    device->SetSpeed(1);
    note.Play(0);
    ASSERT_TRUE(note.IsPlaying());
    note.Pause();
    EXPECT_TRUE(note.IsPaused());
    note.Stop(MakePcmFormatBlock(1, 8000, 16));
    EXPECT_FALSE(note.IsPaused());
    EXPECT_FALSE(note.IsPlaying());

    device->SetSpeed(0);
    size_t before = device->Played().size();
    note.Play(0);
    ASSERT_TRUE(Eventually([&] { return !note.IsPlaying(); }));
    std::vector<BYTE> played = device->Played();
    EXPECT_EQ(std::vector<BYTE>(played.begin() + long(before), played.end()), bytes);
}

TEST_F(SoundNote, ASoundWithoutSamplesDoesNotPlay)
{
    note.Play(0);
    EXPECT_FALSE(note.IsPlaying());
    EXPECT_TRUE(device->Played().empty());
}

}  // namespace
