// The owner of sound recording and playback for the main frame, behind the "Audio" tool bar:
// the recording format, the position slider, the level meter and the attached sound note.
// The recorder and player report from their own threads; what they report reaches the slider
// and the meter on the user-interface thread.
#pragma once

#include "controls/BitmapSlider.h"
#include "controls/SliderAudio.h"
#include "shell/audio/AudioReport.h"
#include "shell/audio/PeakMeterWnd.h"

#include "platform/ui/CmdTarget.h"

#include <atomic>
#include <memory>

class CCmdUI;
class CSoundOb;

class CAudioManager : public CCmdTarget, public CSliderAudio, public CAudioReport {
    DECLARE_DYNCREATE(CAudioManager)
public:
    static constexpr UINT CmdRecord = 34048, CmdPause = 34049, CmdPlay = 34050, CmdSlider = 34051, CmdStop = 34055;
    static constexpr UINT MeterId = 34059;

    CAudioManager();
    ~CAudioManager() override;

    // Attaches a sound note, stopping the one attached before; NULL detaches.
    void SetSoundOb(CSoundOb* sound);
    CSoundOb* GetSoundOb() const { return m_sound; }
    void SetControlsEnabled(BOOL enabled) { m_controlsEnabled = enabled; }
    BOOL GetControlsEnabled() const { return m_controlsEnabled; }
    const WaveFormatBlock& GetRecordingFormat() const { return m_format; }
    void SetRecordingFormat(const WaveFormatBlock& format) { m_format = format; }
    // Lets the user choose the recording format.
    void ChooseFormat();
    void ClearVolume();

    void StopSound() override;
    BOOL OnSliderPos(UINT id, int position) override;
    void AddVolumeSample(const BYTE* data, DWORD frameCount, const WaveFormatBlock& format) override;
    void SetPlayPosition(int frame) override;
    void SetSliderRange(int length) override;

    // The level of a run of 16-bit frames: the spread of their first channel, divided by 30.
    static int VolumeLevel(const BYTE* data, DWORD frameCount, const WAVEFORMATEX& format);

    CBitmapSlider& GetSlider() { return m_slider; }
    CPeakMeterWnd& GetMeter() { return m_meter; }

    void OnRecord();
    void OnPause();
    void OnPlay();
    void OnStop();
    void OnUpdateRecord(CCmdUI* cmdUI);
    void OnUpdatePause(CCmdUI* cmdUI);
    void OnUpdatePlay(CCmdUI* cmdUI);
    void OnUpdateSlider(CCmdUI* cmdUI);
    void OnUpdateStop(CCmdUI* cmdUI);
    LRESULT OnSliderMoving(WPARAM id, LPARAM position);

    DECLARE_MESSAGE_MAP()

private:
    class PositionWnd;
    void ApplyPlayPosition();
    void UpdateCommand(CCmdUI* cmdUI, BOOL checked);
    BOOL IsBusy() const;

    WaveFormatBlock m_format;
    BOOL m_controlsEnabled = FALSE;
    CSoundOb* m_sound = nullptr;
    CBitmapSlider m_slider;
    CPeakMeterWnd m_meter;
    std::atomic<int> m_pendingPosition{0};
    std::unique_ptr<PositionWnd> m_positionWnd;
};
