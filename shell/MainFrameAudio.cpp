// The main frame's side of sound and notes: the position slider and the level meter in their
// tool bars, the note host that lets notes reach the shell, and the rich-text editor's answers.
#include "shell/MainFrame.h"

#include "objects/kinds/RTFOb.h"
#include "shell/AudioManager.h"
#include "shell/NotesMgr.h"
#include "shell/ShellNoteHost.h"
#include "shell/VantrelApp.h"

#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/RemoteMessage.h"
#include "platform/ui/UiApi.h"

namespace {

constexpr UINT kAudioBar = 371;
constexpr UINT kChannel = 379, kChannelActive = 380, kThumb = 381;

CShellNoteHost g_noteHost;
WNDPROC g_audioBarProc = nullptr;

// A right click on the "Audio" tool bar chooses the recording format instead of its menu.
LRESULT AudioBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_RBUTTONUP)
        return CallWindowProc(g_audioBarProc, hwnd, message, wParam, lParam);
    CMainFrame* frame = GetMainFrame();
    if (CAudioManager* manager = frame ? frame->GetAudioManager() : nullptr)
        manager->ChooseFormat();
    return 0;
}

// Made once: a rebuilt or reset bar hosts the same window again.
CWnd* PositionSlider(CBitmapSlider& slider, const CRect& rect, CWnd* frame)
{
    if (slider.GetSafeHwnd())
        return &slider;
    if (!slider.Create("static", WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_NOTIFY | SS_BITMAP, rect, frame,
                       CAudioManager::CmdSlider))
        return nullptr;
    slider.SetRangeMax(255, FALSE);
    slider.SetChannelBitmaps(kChannel, kChannelActive, FALSE);
    slider.SetThumbBitmaps(kThumb, kThumb, TRUE, SliderColourFromPixel, 0, 0);
    slider.SetDrawFocusRect(FALSE, FALSE);
    slider.SetMargins(0, 2, 0, 0);
    return &slider;
}

CWnd* LevelMeter(CPeakMeterWnd& meter, const CRect& rect, CWnd* frame)
{
    if (meter.GetSafeHwnd())
        return &meter;
    if (!meter.Create(WS_CHILD | WS_VISIBLE | CPeakMeterWnd::HorizontalStyle, rect, frame, CAudioManager::MeterId))
        return nullptr;
    meter.SetMeterBands(1, 40);
    meter.Start(55);
    meter.SetPeakLines(FALSE);
    meter.SetGrid(TRUE);
    return &meter;
}

}  // namespace

void CMainFrame::CreateAudioControls()
{
    SetNoteHost(&g_noteHost);
    CNotesMgr::SetNoteReader([](CHyperOb* note) { static_cast<CRTFOb*>(note)->LoadFromTempFile(); });
    ListenForRemoteMessages();
    if (CXTPToolBar* audio = GetCommandBars()->GetToolBar(kAudioBar))
        g_audioBarProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(audio->GetSafeHwnd(), GWL_WNDPROC,
                                                                    reinterpret_cast<LONG_PTR>(&AudioBarProc)));
}

CWnd* CMainFrame::CreateAudioBarWindow(UINT id, const CRect& rect)
{
    if (!m_pAudioManager)
        return nullptr;
    if (id == CAudioManager::CmdSlider)
        return PositionSlider(m_pAudioManager->GetSlider(), rect, this);
    if (id == CAudioManager::MeterId)
        return LevelMeter(m_pAudioManager->GetMeter(), rect, this);
    return nullptr;
}

void CMainFrame::ReleaseAudio()
{
    SetNoteHost(nullptr);
    delete m_pAudioManager;
    m_pAudioManager = nullptr;
}
