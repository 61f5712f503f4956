// Decoding with one decoder, and checking that a decode is refused with a given code and text.
#pragma once

#include "Fixtures.h"

#include "piclib/common/PLPicDecoder.h"
#include "piclib/common/PLTextException.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// The RGBA bytes of a picture decoded from memory by decoder.
inline std::vector<uint8_t> DecodeWith(PLPicDecoder& decoder, const std::vector<uint8_t>& file, PLBmp& bmp)
{
    decoder.MakeBmpFromMemory(file.data(), static_cast<int>(file.size()), &bmp);
    return RgbaOf(bmp);
}

// f must raise a PLTextException with code and, when text is given, a message containing it.
inline void ExpectRefused(const std::string& name, int code, const char* text, const std::function<void()>& f)
{
    try {
        f();
        ADD_FAILURE() << name << " decoded";
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), code) << name << ": " << e.GetErrorText();
        if (text) {
            EXPECT_NE(std::string(e.GetErrorText()).find(text), std::string::npos) << name << ": " << e.GetErrorText();
        }
    }
}
