// What a sound note does with its sound: record it (always 16-bit PCM, converted to the chosen
// format when recording stops), play it from a frame, pause, resume and stop. The sound note
// object carries one of these; the audio manager drives it.
#pragma once

#include "shell/audio/Wave.h"
#include "shell/audio/WaveDevice.h"
#include "shell/audio/WaveIn.h"
#include "shell/audio/WaveOut.h"

class CSoundNoteAudio {
public:
    static constexpr DWORD RecordBufferSize = 4096;

    virtual ~CSoundNoteAudio() = default;

    void Play(int startFrame);
    void Pause();
    void Resume();
    // Ends playback, or ends a recording and converts it into `format`.
    void Stop(const WaveFormatBlock& format);
    // Records with the channels and rate of `format`; the old sound stays until the device
    // has accepted the format and started.
    void Record(const WaveFormatBlock& format);
    BOOL IsPlaying() const { return m_player.IsPlaying(); }
    BOOL IsRecording() const { return m_recorder.IsRecording(); }
    BOOL IsPaused() const { return m_paused; }
    int GetLength() const { return int(m_wave.GetFrameCount()); }
    BOOL HasWave() const { return m_wave.HoldsSamples(); }
    // A sound with frames is taken whole; an empty one gives only its format.
    void CopyWave(const CWave& source);
    // The sound in another format, or a copy of it (after a message) when that fails.
    static CWave ConvertWave(const CWave& source, const WaveFormatBlock& format);

    const CWave& GetWave() const { return m_wave; }
    CWave& GetWave() { return m_wave; }

private:
    BOOL StartRecorder(const WaveFormatBlock& format);

    BOOL m_paused = FALSE;
    CWaveIn m_recorder;
    CWaveOut m_player;
    CWaveDevice m_device;
    CWave m_wave;
};
