// What the recorder, the player and the sound note's operations tell the audio manager. The
// shell's audio manager fills this in; until then the reports go nowhere.
#pragma once

#include "objects/Wave.h"

class CAudioReport {
public:
    virtual ~CAudioReport() = default;
    // One captured buffer, from the recorder's thread.
    virtual void AddVolumeSample(const BYTE* data, DWORD frameCount, const WaveFormatBlock& format)
    {
        (void)data, (void)frameCount, (void)format;
    }
    // The frame being played, from the player's thread.
    virtual void SetPlayPosition(int frame) { (void)frame; }
    // A new length of the attached sound, from the user-interface thread.
    virtual void SetSliderRange(int length) { (void)length; }
};

// Safe to call from any thread.
CAudioReport& GetAudioReport();
// Installs the audio manager (not owned); NULL puts the silent default back.
void SetAudioReport(CAudioReport* report);
