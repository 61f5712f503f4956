// Small pictures for the picture-bearing kinds' tests, made from rows of colours.
#pragma once

#include "imaging/ExtDib.h"
#include "objects/tests/PageTestKit.h"
#include "platform/core/MemFile.h"

#include <gtest/gtest.h>

#include <vector>

// A 24-bit picture of the pixels (top row first) kept in the document.
inline void MakePicture(CExtDib& picture, int width, int height, const std::vector<COLORREF>& pixels,
                        UINT kind = CExtDib::Embedded)
{
    std::vector<BYTE> file = BitmapFile(width, height, pixels);
    CMemFile memory(file.data(), static_cast<UINT>(file.size()));
    ASSERT_TRUE(picture.Read(&memory, nullptr));
    picture.m_kind = kind;
}

// A picture of one colour.
inline void MakePlainPicture(CExtDib& picture, int width, int height, COLORREF colour)
{
    MakePicture(picture, width, height, std::vector<COLORREF>(static_cast<size_t>(width * height), colour));
}

// Each channel within the tolerance of a lossy copy.
inline bool IsNear(COLORREF a, COLORREF b, int tolerance = 8)
{
    auto near = [&](int x, int y) { return x - y <= tolerance && y - x <= tolerance; };
    return near(GetRValue(a), GetRValue(b)) && near(GetGValue(a), GetGValue(b)) && near(GetBValue(a), GetBValue(b));
}
