// Checking that a decode is refused with a given code and text.
#pragma once

#include "piclib/common/PLTextException.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

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
