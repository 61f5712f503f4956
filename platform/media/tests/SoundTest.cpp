#include "platform/media/Sound.h"

#include <gtest/gtest.h>

namespace {

TEST(Sound, WithoutAPlayerNothingIsPlayedAndNothingFails)
{
    SoundPlayer old = SetSoundPlayer({});
    EXPECT_FALSE(PlaySound(MAKEINTRESOURCE(115), nullptr, SND_RESOURCE | SND_ASYNC));
    SetSoundPlayer(old);
}

TEST(Sound, ThePlayerGetsResourceIdsAndNames)
{
    std::vector<SoundRequest> heard;
    SoundPlayer old = SetSoundPlayer([&](const SoundRequest& r) {
        heard.push_back(r);
        return true;
    });
    EXPECT_TRUE(PlaySound(MAKEINTRESOURCE(124), nullptr, SND_RESOURCE | SND_ASYNC));
    EXPECT_TRUE(PlaySound("ding.wav", nullptr, SND_ASYNC));
    EXPECT_FALSE(PlaySound(nullptr, nullptr, SND_ASYNC));
    SetSoundPlayer(old);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].resourceId, 124u);
    EXPECT_EQ(heard[1].resourceId, 0u);
    EXPECT_STREQ(heard[1].name, "ding.wav");
}

}  // namespace
