// What a sound note asks of the audio layer above: record its sound, play it from a frame,
// pause, resume and stop. The audio manager installs the layer's maker; until then sound notes
// keep and store their sound but neither play nor record.
#pragma once

#include "objects/Wave.h"

#include <memory>

class CNoteSound {
public:
    virtual ~CNoteSound() = default;

    virtual void Play(int startFrame) { (void)startFrame; }
    virtual void Pause() {}
    virtual void Resume() {}
    // Ends playback, or ends a recording and converts it into `format`.
    virtual void Stop(const WaveFormatBlock& format) { (void)format; }
    // Records with the channels and rate of `format`; the old sound stays until the device
    // has accepted the format and started.
    virtual void Record(const WaveFormatBlock& format) { (void)format; }
    virtual BOOL IsPlaying() const { return FALSE; }
    virtual BOOL IsRecording() const { return FALSE; }
    virtual BOOL IsPaused() const { return FALSE; }
};

// Makes the player and recorder of a note's sound; `wave` is the note's and outlives it.
using NoteSoundMaker = std::unique_ptr<CNoteSound> (*)(CWave& wave);

std::unique_ptr<CNoteSound> MakeNoteSound(CWave& wave);
// Installs the audio layer's maker; NULL puts the silent default back.
void SetNoteSoundMaker(NoteSoundMaker maker);
