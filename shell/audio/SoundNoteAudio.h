// What a sound note does with its sound: record it (always 16-bit PCM, converted to the chosen
// format when recording stops), play it from a frame, pause, resume and stop. The audio
// manager makes one for each sound note that is driven, on the note's own sound.
#pragma once

#include "objects/NoteSound.h"
#include "objects/Wave.h"
#include "shell/audio/WaveDevice.h"
#include "shell/audio/WaveIn.h"
#include "shell/audio/WaveOut.h"

#include <memory>

class CSoundNoteAudio : public CNoteSound {
public:
    static constexpr DWORD RecordBufferSize = 4096;

    // Works on `wave`, which must outlive it.
    explicit CSoundNoteAudio(CWave& wave) : m_wave(wave) {}
    // The maker the audio manager installs for the sound notes.
    static std::unique_ptr<CNoteSound> Make(CWave& wave);

    void Play(int startFrame) override;
    void Pause() override;
    void Resume() override;
    void Stop(const WaveFormatBlock& format) override;
    void Record(const WaveFormatBlock& format) override;
    BOOL IsPlaying() const override { return m_player.IsPlaying(); }
    BOOL IsRecording() const override { return m_recorder.IsRecording(); }
    BOOL IsPaused() const override { return m_paused; }
    // The sound in another format, or a copy of it (after a message) when that fails.
    static CWave ConvertWave(const CWave& source, const WaveFormatBlock& format);

private:
    BOOL StartRecorder(const WaveFormatBlock& format);

    BOOL m_paused = FALSE;
    CWaveIn m_recorder;
    CWaveOut m_player;
    CWaveDevice m_device;
    CWave& m_wave;
};
