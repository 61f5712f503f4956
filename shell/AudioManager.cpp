#include "shell/AudioManager.h"

#include "objects/kinds/SoundOb.h"
#include "shell/audio/SoundNoteAudio.h"
#include "shell/VantrelApp.h"

#include "platform/core/Diagnostics.h"
#include "platform/media/Acm.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/Wnd.h"

#include <algorithm>
#include <cmath>
#include <cstring>

IMPLEMENT_DYNCREATE(CAudioManager, CCmdTarget)

BEGIN_MESSAGE_MAP(CAudioManager, CCmdTarget)
ON_COMMAND(CAudioManager::CmdRecord, OnRecord)
ON_COMMAND(CAudioManager::CmdPause, OnPause)
ON_COMMAND(CAudioManager::CmdPlay, OnPlay)
ON_COMMAND(CAudioManager::CmdStop, OnStop)
ON_UPDATE_COMMAND_UI(CAudioManager::CmdRecord, OnUpdateRecord)
ON_UPDATE_COMMAND_UI(CAudioManager::CmdPause, OnUpdatePause)
ON_UPDATE_COMMAND_UI(CAudioManager::CmdPlay, OnUpdatePlay)
ON_UPDATE_COMMAND_UI(CAudioManager::CmdSlider, OnUpdateSlider)
ON_UPDATE_COMMAND_UI(CAudioManager::CmdStop, OnUpdateStop)
ON_MESSAGE(WM_SLIDER_MOVING, OnSliderMoving)
END_MESSAGE_MAP()

// A hidden window that takes the player's position on the user-interface thread.
class CAudioManager::PositionWnd : public CWnd {
public:
    static constexpr UINT WM_PLAY_POSITION = WM_USER + 0x2C2;
    explicit PositionWnd(CAudioManager* owner) : m_owner(owner)
    {
        CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);
        m_target = m_hWnd;
    }
    ~PositionWnd() override { DestroyWindow(); }
    void Post() { ::PostMessage(m_target, WM_PLAY_POSITION, 0, 0); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_PLAY_POSITION)
            return CWnd::WindowProc(message, wParam, lParam);
        m_owner->ApplyPlayPosition();
        return 0;
    }

private:
    CAudioManager* m_owner;
    HWND m_target = nullptr;
};

CAudioManager::CAudioManager()
    : m_format(MakePcmFormatBlock(2, 22050, 16)), m_positionWnd(std::make_unique<PositionWnd>(this))
{
    SetAudioReport(this);
    SetSliderAudio(this);
    SetNoteSoundMaker(&CSoundNoteAudio::Make);
}

CAudioManager::~CAudioManager()
{
    SetSoundOb(nullptr);
    SetNoteSoundMaker(nullptr);
    SetSliderAudio(nullptr);
    SetAudioReport(nullptr);
}

void CAudioManager::SetSoundOb(CSoundOb* sound)
{
    if (m_sound && m_sound != sound)
        m_sound->GetSound().Stop(m_format);
    if (!sound)
        TRACE("AudioManager deinitialised!\n");
    m_sound = sound;
    if (!sound)
        return;
    m_controlsEnabled = TRUE;
    m_slider.SetRange(0, sound->GetLength());
    m_slider.SetPos(0);
}

BOOL CAudioManager::IsBusy() const
{
    return m_sound && (m_sound->GetSound().IsPlaying() || m_sound->GetSound().IsRecording());
}

void CAudioManager::OnPlay()
{
    TRACE("Play!\n");
    ClearVolume();
    if (!m_sound)
        return;
    if (m_sound->GetSound().IsPaused()) {
        m_sound->GetSound().Resume();
        return;
    }
    if (IsBusy())
        OnStop();
    if (m_slider.GetPos() == m_slider.GetRangeMax())
        m_slider.SetPos(0);
    m_sound->GetSound().Play(m_slider.GetPos());
}

void CAudioManager::OnPause()
{
    TRACE("Pause!\n");
    if (m_sound)
        m_sound->GetSound().Pause();
    ClearVolume();
}

void CAudioManager::OnStop()
{
    TRACE("Stop!\n");
    if (m_sound)
        m_sound->GetSound().Stop(m_format);
    ClearVolume();
}

void CAudioManager::OnRecord()
{
    if (IsBusy())
        OnStop();
    ClearVolume();
    TRACE("Record!\n");
    if (m_sound)
        m_sound->GetSound().Record(m_format);
}

void CAudioManager::StopSound()
{
    if (m_sound)
        m_sound->GetSound().Stop(m_format);
}

BOOL CAudioManager::OnSliderPos(UINT, int)
{
    return TRUE;
}

LRESULT CAudioManager::OnSliderMoving(WPARAM id, LPARAM position)
{
    return OnSliderPos(UINT(id), int(position));
}

void CAudioManager::UpdateCommand(CCmdUI* cmdUI, BOOL checked)
{
    cmdUI->Enable(m_controlsEnabled);
    cmdUI->SetCheck(m_controlsEnabled && m_sound && checked);
}

void CAudioManager::OnUpdateRecord(CCmdUI* cmdUI)
{
    UpdateCommand(cmdUI, m_sound && m_sound->GetSound().IsRecording());
}

void CAudioManager::OnUpdatePause(CCmdUI* cmdUI)
{
    UpdateCommand(cmdUI, m_sound && m_sound->GetSound().IsPaused());
}

void CAudioManager::OnUpdatePlay(CCmdUI* cmdUI)
{
    UpdateCommand(cmdUI, m_sound && m_sound->GetSound().IsPlaying());
}

void CAudioManager::OnUpdateSlider(CCmdUI* cmdUI)
{
    UpdateCommand(cmdUI, FALSE);
    if (m_slider.GetSafeHwnd())
        m_slider.EnableWindow(m_controlsEnabled);
}

void CAudioManager::OnUpdateStop(CCmdUI* cmdUI)
{
    UpdateCommand(cmdUI, FALSE);
}

// From the player's thread: only the value is taken here, the slider moves on the
// user-interface thread.
void CAudioManager::SetPlayPosition(int frame)
{
    m_pendingPosition = frame;
    m_positionWnd->Post();
}

void CAudioManager::ApplyPlayPosition()
{
    int frame = m_pendingPosition;
    m_slider.SetPos(m_sound && frame == m_sound->GetLength() ? 0 : frame);
}

void CAudioManager::SetSliderRange(int length)
{
    m_slider.SetRange(0, length, FALSE);
}

void CAudioManager::AddVolumeSample(const BYTE* data, DWORD frameCount, const WaveFormatBlock& format)
{
    int level = VolumeLevel(data, frameCount, ReadFormat(format));
    m_meter.SetData(&level, 0, 1);
}

void CAudioManager::ClearVolume()
{
    int level = 0;
    m_meter.SetData(&level, 0, 1);
}

int CAudioManager::VolumeLevel(const BYTE* data, DWORD frameCount, const WAVEFORMATEX& format)
{
    TRACE("Start Volume Calculating\n");
    if (!frameCount || !data || format.nBlockAlign < 2)
        return 0;
    double sum = 0, squares = 0;
    for (DWORD i = 0; i < frameCount; ++i) {
        short sample;
        std::memcpy(&sample, data + size_t(i) * format.nBlockAlign, sizeof sample);
        double x = double(sample) - 32768;
        sum += x;
        squares += x * x;
    }
    TRACE("Volume Calculating finished\n");
    double n = frameCount, mean = sum / n;
    return int(std::sqrt(std::max(squares / n - mean * mean, 0.0)) * (1.0 / 30));
}

void CAudioManager::ChooseFormat()
{
    if (IsBusy())
        return;
    ACMFORMATCHOOSE choose{};
    choose.cbStruct = sizeof choose;
    choose.fdwStyle = ACMFORMATCHOOSE_STYLEF_INITTOWFXSTRUCT;
    choose.pwfx = reinterpret_cast<LPWAVEFORMATEX>(m_format.data());
    choose.cbwfx = DWORD(m_format.size());
    MMRESULT result = acmFormatChoose(&choose);
    if (result == MMSYSERR_NOERROR || result == ACMERR_CANCELED)
        return;
    if (result == ACMERR_NOTPOSSIBLE) {
        AfxMessageBox(GetLanguageText("The selected Codec doesn't support recording!"), MB_OK);
        return;
    }
    CString text;
    text.Format("%s %i", LPCTSTR(GetLanguageText("The following error occured:")), int(result));
    AfxMessageBox(text, MB_OK);
}
