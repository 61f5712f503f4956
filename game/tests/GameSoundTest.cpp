#include "game/Game.h"
#include "game/GameResources.h"
#include "platform/media/MemoryWaveDevice.h"
#include "platform/media/Sound.h"

#include <gtest/gtest.h>

namespace {

TEST(GameSounds, BothSoundsAreWaveResourcesThatPlay)
{
    RegisterGameResources();
    auto device = std::make_shared<MemoryWaveDevice>();
    auto previous = SetWaveDeviceProvider(device);
    EXPECT_TRUE(PlaySound(MAKEINTRESOURCE(kLandSound), nullptr, SND_RESOURCE | SND_SYNC));
    size_t land = device->Played().size();
    EXPECT_TRUE(PlaySound(MAKEINTRESOURCE(kGameOverSound), nullptr, SND_RESOURCE | SND_SYNC));
    SetWaveDeviceProvider(previous);
    EXPECT_EQ(land, 22050u * 90 / 1000);
    EXPECT_EQ(device->Played().size() - land, 22050u * 900 / 1000);
}

}  // namespace
