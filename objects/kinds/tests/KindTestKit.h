// What the kinds' tests share: pixel probes and the check that cut-off records fail.
#pragma once

#include "objects/tests/ArchiveBytes.h"
#include "platform/gdi/tests/Canvas.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <vector>

struct Probe {
    int x, y;
    COLORREF color;
};

inline void ExpectPixels(const Canvas& canvas, const std::vector<Probe>& probes, const char* name)
{
    for (const Probe& p : probes)
        EXPECT_EQ(canvas.Pixel(p.x, p.y), p.color) << name << " at " << p.x << "," << p.y;
}

// Every cut of the stored record, by the given numbers of bytes from its end, fails to load
// with the archive error.
template <typename Kind>
void ExpectCutRecordsFail(Kind& stored, std::initializer_list<size_t> cuts)
{
    Bytes bytes = Stored(stored);
    for (size_t cut : cuts) {
        Bytes shorter(bytes.begin(), bytes.end() - static_cast<std::ptrdiff_t>(cut));
        Kind loaded;
        EXPECT_TRUE(LoadThrowsArchiveException(shorter, [&](CArchive& ar) { loaded.Serialize(ar); })) << cut;
    }
}
