#include "platform/media/RiffWave.h"
#include "platform/media/Sound.h"
#include "platform/media/tests/WaveFixture.h"
#include "platform/ui/Resources.h"

#include <cstdio>
#include <fstream>

namespace {

TEST(Sound, WithoutAPlayerNothingIsPlayedAndNothingFails)
{
    SoundPlayer old = SetSoundPlayer({});
    EXPECT_FALSE(PlaySound(MAKEINTRESOURCE(115), nullptr, SND_RESOURCE | SND_ASYNC));
    SetSoundPlayer(old);
}

TEST(Sound, ThePlayerGetsResourceIdsNamesAndStops)
{
    std::vector<SoundRequest> heard;
    SoundPlayer old = SetSoundPlayer([&](const SoundRequest& r) {
        heard.push_back(r);
        return true;
    });
    EXPECT_TRUE(PlaySound(MAKEINTRESOURCE(124), nullptr, SND_RESOURCE | SND_ASYNC));
    EXPECT_TRUE(PlaySound("ding.wav", nullptr, SND_ASYNC));
    EXPECT_TRUE(PlaySound(nullptr, nullptr, SND_ASYNC));
    SetSoundPlayer(old);
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0].resourceId, 124u);
    EXPECT_EQ(heard[1].resourceId, 0u);
    EXPECT_STREQ(heard[1].name, "ding.wav");
    EXPECT_EQ(heard[2].name, nullptr);
    EXPECT_EQ(heard[2].resourceId, 0u);
}

// 8-bit mono at 8 kHz: a sound of `n` bytes lasts n/8 ms.
std::vector<BYTE> Tone(size_t n)
{
    std::vector<BYTE> samples(n);
    for (size_t i = 0; i < n; ++i)
        samples[i] = BYTE(128 + (i % 16 < 8 ? 60 : -60));
    return samples;
}

struct PlaySoundTest : WaveFixture {
    WAVEFORMATEX format = Pcm(1, 8000, 8);
    std::vector<BYTE> samples = Tone(800);
    std::vector<BYTE> file = MakeRiffWave(format, samples.data(), samples.size());

    void TearDown() override
    {
        PlaySound(nullptr, nullptr, 0);
        WaveFixture::TearDown();
    }
};

TEST_F(PlaySoundTest, PlaysAFileToTheEndBeforeReturning)
{
    std::string path = ::testing::TempDir() + "vantrel-sound.wav";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    EXPECT_TRUE(PlaySound(path.c_str(), nullptr, SND_FILENAME | SND_SYNC));
    EXPECT_EQ(device->Played(), samples);
    std::remove(path.c_str());
}

TEST_F(PlaySoundTest, PlaysWaveResourcesAndImagesInMemory)
{
    RegisterBinaryResource(ResourceKind::Wave, 7001, file);
    EXPECT_TRUE(PlaySound(MAKEINTRESOURCE(7001), nullptr, SND_RESOURCE | SND_SYNC));
    EXPECT_TRUE(PlaySound(reinterpret_cast<LPCSTR>(file.data()), nullptr, SND_MEMORY | SND_SYNC));
    std::vector<BYTE> twice = samples;
    twice.insert(twice.end(), samples.begin(), samples.end());
    EXPECT_EQ(device->Played(), twice);
}

TEST_F(PlaySoundTest, WhatCannotBeFoundOrPlayedGivesFalse)
{
    std::vector<BYTE> noData(file.begin(), file.begin() + 36);
    WAVEFORMATEX mulaw = format;
    mulaw.wFormatTag = WAVE_FORMAT_MULAW;
    std::vector<BYTE> compressed = MakeRiffWave(mulaw, samples.data(), samples.size());
    EXPECT_FALSE(PlaySound("/no/such/sound.wav", nullptr, SND_FILENAME | SND_ASYNC));
    EXPECT_FALSE(PlaySound(MAKEINTRESOURCE(7999), nullptr, SND_RESOURCE | SND_ASYNC));
    std::string path = ::testing::TempDir() + "vantrel-cut.wav";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(noData.data()), 36);
    EXPECT_FALSE(PlaySound(path.c_str(), nullptr, SND_FILENAME | SND_SYNC));
    std::remove(path.c_str());
    EXPECT_FALSE(PlaySound(reinterpret_cast<LPCSTR>(compressed.data()), nullptr, SND_MEMORY | SND_SYNC));
    device->SetPresent(false);
    EXPECT_FALSE(PlaySound(reinterpret_cast<LPCSTR>(file.data()), nullptr, SND_MEMORY | SND_SYNC));
    EXPECT_TRUE(device->Played().empty());
}

TEST_F(PlaySoundTest, ALoopedSoundRepeatsUntilStopped)
{
    device->SetSpeed(1);
    ASSERT_TRUE(PlaySound(reinterpret_cast<LPCSTR>(file.data()), nullptr, SND_MEMORY | SND_ASYNC | SND_LOOP));
    EXPECT_FALSE(PlaySound(reinterpret_cast<LPCSTR>(file.data()), nullptr, SND_MEMORY | SND_ASYNC | SND_NOSTOP));
    ASSERT_TRUE(Eventually([&] { return device->Played().size() > 2 * samples.size(); }));
    EXPECT_TRUE(PlaySound(nullptr, nullptr, 0));
    size_t heard = device->Played().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(device->Played().size(), heard);
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), device->Played().begin() + long(samples.size())));
}

TEST(RiffWave, ReadsTheChunksAndRefusesBrokenFiles)
{
    WAVEFORMATEX f{WAVE_FORMAT_PCM, 1, 8000, 8000, 1, 8, 0};
    std::vector<BYTE> samples = {1, 2, 3};
    std::vector<BYTE> file = MakeRiffWave(f, samples.data(), samples.size());
    // RIFF, size 4 + 26 + 12 = 42 with the pad byte, WAVE, fmt  of 18 bytes, data of 3 and a pad.
    std::vector<BYTE> expected = {'R', 'I', 'F', 'F', 42, 0, 0, 0, 'W', 'A', 'V', 'E',
                                  'f', 'm', 't', ' ', 18, 0, 0, 0,
                                  1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0, 0, 0,
                                  'd', 'a', 't', 'a', 3, 0, 0, 0, 1, 2, 3, 0};
    EXPECT_EQ(file, expected);
    auto image = ParseRiffWave(file.data(), file.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->data, samples);
    EXPECT_EQ(image->Format().nSamplesPerSec, 8000u);

    auto cut = ParseRiffWave(file.data(), file.size() - 3);  // the data runs past the end
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->data, std::vector<BYTE>{1});
    std::vector<BYTE> shortFormat = file;
    shortFormat[16] = 12;
    std::vector<BYTE> notWave = file;
    notWave[8] = 'X';
    for (const auto& bad : {shortFormat, notWave, std::vector<BYTE>(file.begin(), file.begin() + 30)})
        EXPECT_FALSE(ParseRiffWave(bad.data(), bad.size()));
}

}  // namespace
