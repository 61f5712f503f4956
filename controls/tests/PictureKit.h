// Small pictures for control tests (platform/ui/tests/BmpBytes.h) and a window that records the
// messages it receives.
#pragma once

#include "../../platform/ui/tests/UiFixture.h"

#include "platform/ui/tests/BmpBytes.h"
#include "platform/ui/Wnd.h"

#include <vector>

struct RecordedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A top-level window at the screen's origin whose messages in [first, last] are recorded.
class RecordingWindow : public CWnd {
public:
    UINT first = WM_USER, last = 0xFFFF;
    std::vector<RecordedMessage> received;

    BOOL Open(RECT rect = {0, 0, 300, 200})
    {
        return CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, rect, nullptr, 0);
    }
    std::vector<RecordedMessage> Take(UINT message)
    {
        std::vector<RecordedMessage> taken;
        for (const RecordedMessage& m : received)
            if (m.message == message)
                taken.push_back(m);
        return taken;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= first && message <= last)
            received.push_back({m_hWnd, message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A one-picture .ico file of a 32-bit bitmap with an all-opaque mask.
inline std::vector<BYTE> MakeIco(int size, COLORREF colour)
{
    const int maskStride = ((size + 31) / 32) * 4;
    const DWORD imageBytes = static_cast<DWORD>(sizeof(BITMAPINFOHEADER) + size * size * 4 + maskStride * size);
    std::vector<BYTE> bytes = {0, 0, 1, 0, 1, 0, static_cast<BYTE>(size), static_cast<BYTE>(size), 0, 0, 1, 0, 32, 0};
    for (DWORD v : {imageBytes, DWORD{22}})
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<BYTE>(v >> (8 * i)));
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = size;
    info.biHeight = size * 2;
    info.biPlanes = 1;
    info.biBitCount = 32;
    const BYTE* raw = reinterpret_cast<const BYTE*>(&info);
    bytes.insert(bytes.end(), raw, raw + sizeof info);
    for (int i = 0; i < size * size; ++i)
        bytes.insert(bytes.end(), {GetBValue(colour), GetGValue(colour), GetRValue(colour), 0xFF});
    bytes.resize(bytes.size() + static_cast<size_t>(maskStride * size), 0);
    return bytes;
}
