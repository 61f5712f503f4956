// Stackwell, the block-stacking game. "--quit-after-start" (or STACKWELL_QUIT_AFTER_START=1)
// closes the window after a few frames, for the start-up smoke test.
#include "game/GameResources.h"
#include "game/GameWnd.h"
#include "platform/core/System.h"
#include "platform/media/Sound.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WinApp.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr int kFramesBeforeQuit = 15;
bool quitAfterStart = false;

class CStackwellApp : public CWinApp {
public:
    CStackwellApp() : CWinApp("Stackwell") {}

    BOOL InitInstance() override
    {
        std::srand(GetTickCount());
        RegisterGameResources();
        m_window = std::make_unique<CGameWnd>([] { return std::rand(); });
        if (!m_window->CreateGameWindow())
            return FALSE;
        m_pMainWnd = m_window.get();
        m_window->ShowWindow(SW_SHOW);
        m_window->UpdateWindow();
        m_accelerators = LoadAccelerators(nullptr, MAKEINTRESOURCE(IDR_ACCELERATORS));
        if (HRESULT hr = m_window->StartDisplay(); hr != DD_OK) {
            MessageBox(m_window->m_hWnd, "DirectDraw init failed. The sample will now exit. ", "DirectDraw Sample",
                       MB_ICONERROR | MB_OK);
            return FALSE;
        }
        return TRUE;
    }

    int Run() override
    {
        m_window->Game().ResetClock(timeGetTime());
        int frames = 0;
        for (;;) {
            MSG msg;
            if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT)
                    return int(msg.wParam);
                if (!m_accelerators || !TranslateAccelerator(m_window->m_hWnd, m_accelerators, &msg)) {
                    TranslateMessage(&msg);
                    DispatchMessage(&msg);
                }
            } else if (m_window->FrameActive()) {
                if (!Frame())
                    return 1;
                if (quitAfterStart && ++frames == kFramesBeforeQuit)
                    m_window->PostMessage(WM_CLOSE);
            } else {
                WaitMessage();
            }
        }
    }

private:
    bool Frame()
    {
        const DWORD now = timeGetTime();
        Sleep(50);
        if (m_window->FrameStep(now) == DD_OK)
            return true;
        MessageBox(m_window->m_hWnd, "Displaying the next frame failed. The sample will now exit. ",
                   "DirectDraw Sample", MB_ICONERROR | MB_OK);
        m_window->DestroyWindow();
        return false;
    }

    std::unique_ptr<CGameWnd> m_window;
    HACCEL m_accelerators = nullptr;
};

CStackwellApp theApp;

}  // namespace

int main(int argc, char** argv)
{
    const char* env = std::getenv("STACKWELL_QUIT_AFTER_START");
    quitAfterStart = env && std::strcmp(env, "1") == 0;
    for (int i = 1; i < argc; ++i)
        quitAfterStart = quitAfterStart || std::strcmp(argv[i], "--quit-after-start") == 0;
    return AfxWinMain(argc, argv);
}
