#include "platform/sys/snarel/Snarel.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

TEST(Snarel, InstalledOnceAndRemovedOnce)
{
    DWORD process = static_cast<DWORD>(getpid());
    EXPECT_TRUE(SetHook(7, process));
    EXPECT_FALSE(SetHook(7, process)) << "a second frame finds it installed";
    EXPECT_TRUE(UnHook());
    EXPECT_FALSE(UnHook());
    EXPECT_TRUE(SetHook(8, process));
    EXPECT_TRUE(UnHook());
}

TEST(Snarel, AnotherProcessIsRefused)
{
    EXPECT_FALSE(SetHook(7, static_cast<DWORD>(getpid()) + 1));
    EXPECT_FALSE(UnHook());
}

} // namespace
