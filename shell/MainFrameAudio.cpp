// The main frame's side of sound and notes: the position slider and the level meter in their
// tool bars, the note host that lets notes reach the shell, and the rich-text editor's answers.
#include "shell/MainFrame.h"

#include "objects/kinds/RTFOb.h"
#include "shell/AudioManager.h"
#include "shell/NotesMgr.h"
#include "shell/ShellNoteHost.h"
#include "shell/VantrelApp.h"

#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPControl.h"
#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/RemoteMessage.h"
#include "platform/ui/UiApi.h"

namespace {

constexpr UINT kAudioBar = 371, kMeterBar = 386;
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

// Puts a window in place of the button with this id.
void HostInBar(CXTPToolBar* bar, UINT id, CWnd& window)
{
    CXTPControlList* controls = bar->GetControls();
    int index = controls->IndexOf(controls->FindControl(id));
    if (index < 0)
        return;
    controls->Remove(index);
    auto* custom = static_cast<CXTPControlCustom*>(controls->Add(ControlTypeCustom, id, nullptr, index));
    custom->SetControl(&window);
}

}  // namespace

void CMainFrame::CreateAudioControls()
{
    SetNoteHost(&g_noteHost);
    CNotesMgr::SetNoteReader([](CHyperOb* note) { static_cast<CRTFOb*>(note)->LoadFromTempFile(); });
    ListenForRemoteMessages();
    CXTPCommandBars* bars = GetCommandBars();
    CXTPToolBar* audio = bars->GetToolBar(kAudioBar);
    CXTPToolBar* meterBar = bars->GetToolBar(kMeterBar);
    if (!audio || !meterBar)
        return;
    CBitmapSlider& slider = m_pAudioManager->GetSlider();
    slider.Create("static", WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_NOTIFY | SS_BITMAP, CRect(0, 0, 120, 16), audio,
                  CAudioManager::CmdSlider);
    slider.SetRangeMax(255, FALSE);
    slider.SetChannelBitmaps(kChannel, kChannelActive, FALSE);
    slider.SetThumbBitmaps(kThumb, kThumb, TRUE, SliderColourFromPixel, 0, 0);
    slider.SetDrawFocusRect(FALSE, FALSE);
    slider.SetMargins(0, 2, 0, 0);
    HostInBar(audio, CAudioManager::CmdSlider, slider);
    g_audioBarProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(audio->GetSafeHwnd(), GWL_WNDPROC,
                                                                reinterpret_cast<LONG_PTR>(&AudioBarProc)));

    CPeakMeterWnd& meter = m_pAudioManager->GetMeter();
    meter.Create(WS_CHILD | WS_VISIBLE | CPeakMeterWnd::HorizontalStyle, CRect(0, 0, 200, 16), meterBar,
                 CAudioManager::MeterId);
    meter.SetMeterBands(1, 40);
    meter.Start(55);
    meter.SetPeakLines(FALSE);
    meter.SetGrid(TRUE);
    HostInBar(meterBar, CAudioManager::MeterId, meter);
}

void CMainFrame::ReleaseAudio()
{
    SetNoteHost(nullptr);
    delete m_pAudioManager;
    m_pAudioManager = nullptr;
}
