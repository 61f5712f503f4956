// Reads arbitrary pen points as a gesture: any points, however far apart or repeated, give an
// answer of the gesture list and never fault.
#include "platform/ink/InkGesture.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<POINT> points(size / 8);
    for (size_t i = 0; i < points.size(); ++i) {
        int32_t xy[2];
        std::memcpy(xy, data + i * 8, sizeof xy);
        points[i] = { xy[0], xy[1] };
    }
    const InkGesture gesture = RecognizeInkGesture(points, 10.0);
    const int id = static_cast<int>(gesture.Id);
    if (id < 0xF000 || id > 0xF063)
        std::abort();
    return 0;
}
