#include "UiFixture.h"

#include <QApplication>

#include <cstdlib>

namespace {

// Lives until the process ends; Qt must not be torn down by static destructors.
QApplication* app = nullptr;
int argc = 1;
char name[] = "platform_ui_tests";
char* argv[] = {name, nullptr};

} // namespace

void UiTest::SetUpTestSuite()
{
    if (!app) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        app = new QApplication(argc, argv);
    }
    WNDCLASS wc{};
    if (!GetClassInfo(nullptr, PlainClass(), &wc)) {
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
        wc.lpszClassName = PlainClass();
        RegisterClass(&wc);
    }
}

LPCSTR UiTest::PlainClass() { return "TestPlain"; }

void UiTest::SetUp()
{
    UiTestHook::Reset();
    UiTestHook::PumpPending();
}

void UiTest::TearDown()
{
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if (IsWindow(*it))
            DestroyWindow(*it);
    m_windows.clear();
    UiTestHook::PumpPending();
    MSG msg;
    while (PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    UiTestHook::Reset();
}

HWND UiTest::MakeWindow(DWORD style, RECT r, HWND parent, UINT id, DWORD exStyle)
{
    HWND h = CreateWindowEx(exStyle, PlainClass(), "", style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    if (h)
        m_windows.push_back(h);
    return h;
}
