#include "platform/ui/UiApi.h"
#include <gtest/gtest.h>
TEST(Smoke, Nothing) { EXPECT_TRUE(IsWindow(GetDesktopWindow()) || true); }
