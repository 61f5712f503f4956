// What the bitmap slider asks of the audio manager: stop the sound when it is grabbed and
// take the position when it is released or keyed. The shell's audio manager fills this in.
#pragma once

#include "platform/core/Types.h"

class CSliderAudio {
public:
    virtual ~CSliderAudio() = default;
    virtual void StopSound() {}
    virtual BOOL OnSliderPos(UINT controlId, int position)
    {
        (void)controlId;
        (void)position;
        return TRUE;
    }
};

CSliderAudio& GetSliderAudio();
// Installs the audio manager (not owned); NULL puts the silent default back.
void SetSliderAudio(CSliderAudio* audio);
