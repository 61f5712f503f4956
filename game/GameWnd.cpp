#include "game/GameWnd.h"

#include "game/GameResources.h"
#include "platform/core/System.h"
#include "platform/media/Sound.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
constexpr const char* kClassName = "WindowedMode";

void PlayGameSound(unsigned id) { PlaySound(MAKEINTRESOURCE(id), nullptr, SND_RESOURCE | SND_ASYNC); }

}  // namespace

SIZE GameWindowSize(DWORD style, DWORD exStyle)
{
    RECT rc{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&rc, style, TRUE, exStyle);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

BEGIN_MESSAGE_MAP(CGameWnd, CWnd)
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONUP()
    ON_WM_ACTIVATE()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_GETMINMAXINFO()
    ON_WM_EXITMENULOOP()
    ON_MESSAGE(WM_EXITSIZEMOVE, OnExitSizeMove)
    ON_MESSAGE(WM_QUERYNEWPALETTE, OnQueryNewPalette)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_COMMAND(ID_NEW_GAME, OnNewGame)
    ON_COMMAND(ID_EXIT, OnExit)
    ON_COMMAND(ID_SOUND, OnSound)
    ON_COMMAND(ID_NORMAL, OnNormal)
    ON_COMMAND(ID_CRAZY, OnCrazy)
    ON_COMMAND_RANGE(ID_LEVEL_1, ID_LEVEL_1 + 3, OnLevel)
    ON_COMMAND(ID_ABOUT, OnAbout)
END_MESSAGE_MAP()

CGameWnd::CGameWnd(CGame::Random random) : m_game(std::move(random), PlayGameSound) {}

BOOL CGameWnd::CreateGameWindow()
{
    WNDCLASS wc{};
    if (!GetClassInfo(nullptr, kClassName, &wc)) {
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = AfxWndProc;
        wc.hIcon = LoadIcon(nullptr, MAKEINTRESOURCE(IDI_STACKWELL));
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        if (!RegisterClass(&wc))
            return FALSE;
    }
    const SIZE size = GameWindowSize(kWindowStyle, 0);
    HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(IDR_MENU));
    if (!CreateEx(0, kClassName, "Stack Well", kWindowStyle, 0, 0, size.cx, size.cy, nullptr, menu))
        return FALSE;
    CheckMenuItem(menu, ID_LEVEL_1, MF_BYCOMMAND | MF_CHECKED);
    CheckMenuItem(menu, ID_NORMAL, MF_BYCOMMAND | MF_CHECKED);
    return TRUE;
}

HRESULT CGameWnd::StartDisplay()
{
    HRESULT hr = m_screen.Init(m_hWnd);
    if (hr != DD_OK)
        return hr;
    m_game.SetShapeSetSize(kShapeSetNormal);
    m_game.NewGame();
    return DD_OK;
}

HRESULT CGameWnd::DrawOrRestore()
{
    HRESULT hr = m_screen.DrawFrame(m_game);
    if (hr == DDERR_SURFACELOST)
        hr = m_screen.RestoreSurfaces(m_game);
    return hr;
}

HRESULT CGameWnd::FrameStep(DWORD now)
{
    if (!m_game.Tick(now))
        return DD_OK;
    CDDrawDisplay* display = m_screen.Display();
    if (!display || !display->GetDirectDraw())
        return DDERR_GENERIC;
    HRESULT hr = display->GetDirectDraw()->TestCooperativeLevel();
    if (hr == DDERR_EXCLUSIVEMODEALREADYSET) {
        Sleep(10);
        return DD_OK;
    }
    if (hr == DDERR_WRONGMODE) {
        m_screen.Release();
        return StartDisplay();
    }
    if (hr != DD_OK)
        return hr;
    return DrawOrRestore();
}

void CGameWnd::OnKeyDown(UINT ch, UINT, UINT) { PressKey(m_game, ch); }

void CGameWnd::OnChar(UINT ch, UINT, UINT) { TypeChar(m_game, ch); }

void CGameWnd::OnLButtonDown(UINT, CPoint point)
{
    if (m_drag.ButtonDown(m_game, point.x, point.y))
        SetCapture();
}

void CGameWnd::OnLButtonUp(UINT, CPoint)
{
    if (m_drag.ButtonUp(m_game))
        ReleaseCapture();
}

void CGameWnd::OnMouseMove(UINT, CPoint point) { m_drag.MouseMove(m_game, point.x, point.y); }

void CGameWnd::OnRButtonUp(UINT, CPoint)
{
    if (m_drag.RightButtonUp(m_game))
        ReleaseCapture();
}

void CGameWnd::OnActivate(UINT state, CWnd*, BOOL) { m_game.SetPaused(state == WA_INACTIVE); }

void CGameWnd::OnSize(UINT type, int, int)
{
    m_frameActive = type != SIZE_MINIMIZED && type != SIZE_MAXHIDE;
    if (m_screen.Display())
        m_screen.Display()->UpdateBounds();
}

void CGameWnd::OnMove(int, int)
{
    if (m_screen.Display())
        m_screen.Display()->UpdateBounds();
}

void CGameWnd::OnGetMinMaxInfo(MINMAXINFO* info)
{
    const SIZE size = GameWindowSize(GetStyle(), GetExStyle());
    info->ptMinTrackSize = info->ptMaxTrackSize = POINT{size.cx, size.cy};
}

void CGameWnd::OnExitMenuLoop(BOOL) { m_game.ResetClock(timeGetTime()); }

LRESULT CGameWnd::OnExitSizeMove(WPARAM, LPARAM)
{
    m_game.ResetClock(timeGetTime());
    return 0;
}

LRESULT CGameWnd::OnQueryNewPalette(WPARAM, LPARAM)
{
    m_screen.ResetPalette();
    return TRUE;
}

void CGameWnd::OnPaint()
{
    if (m_screen.Display() && m_screen.DrawFrame(m_game) == DDERR_SURFACELOST &&
        m_screen.RestoreSurfaces(m_game) == DD_OK)
        m_screen.DrawFrame(m_game);
    Default();
}

void CGameWnd::OnDestroy()
{
    m_screen.Release();
    // The window layer leaves a window's menu to its owner.
    if (HMENU menu = ::GetMenu(m_hWnd)) {
        ::SetMenu(m_hWnd, nullptr);
        DestroyMenu(menu);
    }
    PostQuitMessage(0);
}

void CGameWnd::OnNewGame() { m_game.NewGame(); }

void CGameWnd::OnExit() { PostMessage(WM_CLOSE); }

void CGameWnd::OnSound()
{
    m_game.SetSound(!m_game.Sound());
    CheckMenuItem(::GetMenu(m_hWnd), ID_SOUND, MF_BYCOMMAND | (m_game.Sound() ? MF_CHECKED : MF_UNCHECKED));
}

void CGameWnd::CheckItems(UINT first, UINT last, UINT chosen)
{
    HMENU menu = ::GetMenu(m_hWnd);
    for (UINT id = first; id <= last; ++id)
        CheckMenuItem(menu, id, MF_BYCOMMAND | (id == chosen ? MF_CHECKED : MF_UNCHECKED));
}

void CGameWnd::OnNormal()
{
    m_game.SetShapeSetSize(kShapeSetNormal);
    CheckItems(ID_NORMAL, ID_CRAZY, ID_NORMAL);
}

void CGameWnd::OnCrazy()
{
    m_game.SetShapeSetSize(kShapeSetCrazy);
    CheckItems(ID_NORMAL, ID_CRAZY, ID_CRAZY);
}

void CGameWnd::OnLevel(UINT id)
{
    m_game.SetLevel(int(id - ID_LEVEL_1) + 1);
    CheckItems(ID_LEVEL_1, ID_LEVEL_1 + 3, id);
}

void CGameWnd::OnAbout()
{
    CDialog about(IDD_ABOUT, this);
    about.DoModal();
}
