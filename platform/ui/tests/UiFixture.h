// Shared test set-up: a Qt application on the offscreen platform, an empty queue and a
// registered plain window class for handle-level tests.
#pragma once

#include "platform/ui/TestHook.h"
#include "platform/ui/UiApi.h"

#include <gtest/gtest.h>

#include <vector>

class UiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A top-level or child window of the plain class, destroyed after the test.
    HWND MakeWindow(DWORD style, RECT rect, HWND parent = nullptr, UINT id = 0, DWORD exStyle = 0);
    static LPCSTR PlainClass();

    std::vector<HWND> m_windows;
};
