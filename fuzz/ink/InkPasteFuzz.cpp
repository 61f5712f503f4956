// Pastes arbitrary bytes as the ink block of the clipboard, at the origin and at the far edge
// of ink space. A refused block leaves the ink as it was; pasted strokes join it, and finding
// and selecting them by their place stays within ink space.
#include "platform/ink/InkClipboard.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<BYTE> block(data, data + size);
    constexpr LONG far = std::numeric_limits<LONG>::max() - 10;
    for (POINT at : {POINT{0, 0}, POINT{far, far}, POINT{-far, -far}}) {
        auto ink = InkDisp::Create();
        ink->CreateStroke({{10, 10}, {500, 300}});
        std::optional<InkStrokes> pasted = InkPasteBlock(block, *ink, at);
        if (!pasted) {
            if (ink->StrokeCount() != 1)
                std::abort();
            continue;
        }
        if (ink->StrokeCount() != 1 + pasted->Count())
            std::abort();
        const RECT box = pasted->GetBoundingBox();
        ink->HitTestWithRectangle(box, 50.0f);
        ink->HitTestCircle(at, 100.0);
    }
    return 0;
}
