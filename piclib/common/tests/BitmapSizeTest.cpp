#include "ErrorCode.h"
#include "piclib/common/PLBitmapSize.h"

#include <gtest/gtest.h>

namespace {

struct SizeCase {
    int width, height, bpp;
    int code;
};

// Sizes no picture can have are refused before anything is allocated, the line table included.
TEST(BitmapSize, RefusesWhatCannotBeAllocated)
{
    const SizeCase cases[] = {
        { 640, 480, 32, 0 },
        { 0, 0, 8, 0 },
        { 1, 100000, 8, 0 },
        { 0, 1 << 30, 8, PL_ERRNO_MEMORY },
        { 0, 1 << 28, 32, PL_ERRNO_MEMORY },
        { -1, 10, 8, PL_ERRNO_MEMORY },
        { 10, -1, 8, PL_ERRNO_MEMORY },
        { 1 << 28, 2, 32, PL_ERRNO_MEMORY },
        { 100000, 100000, 32, PL_ERRNO_MEMORY },
        { 10, 10, 12, PL_ERRFORMAT_NOT_SUPPORTED },
    };
    for (const SizeCase& c : cases)
        EXPECT_EQ(ErrorCodeOf([&] { PLCheckBitmapSize(c.width, c.height, c.bpp); }), c.code)
            << c.width << "x" << c.height << "x" << c.bpp;
}

}
