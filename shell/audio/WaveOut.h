// The player of a sound note: plays its own copy of a sound in a ring of three queued pieces
// and reports the position; when the last piece is back the position returns to 0.
#pragma once

#include "objects/Wave.h"
#include "shell/audio/WaveDevice.h"
#include "shell/audio/WaveWorker.h"

#include "platform/core/String.h"

#include <atomic>

class CWaveOut {
public:
    static constexpr DWORD DefaultPieceSize = 4096;
    static constexpr int PieceCount = 3;

    CWaveOut();
    CWaveOut(const CWaveOut&) = delete;
    CWaveOut& operator=(const CWaveOut&) = delete;
    virtual ~CWaveOut();

    // FALSE, with the player unchanged, for a format without a frame size.
    BOOL SetWave(const CWave& wave);
    void SetDevice(const CWaveDevice& device) { m_device = device; }
    BOOL Open();
    // From a frame to the end; -1 is the beginning. TRUE when a piece was queued.
    BOOL Play(int startFrame);
    BOOL Stop();
    BOOL Close();
    BOOL Pause();
    BOOL Restart();
    // Frames played since the device was opened or reset; -1 when closed or on failure.
    int GetPosition();
    BOOL IsPlaying() const;
    BOOL IsAtEnd() const;
    BOOL IsOpen() const { return m_handle != nullptr; }
    CString GetErrorText() const;
    MMRESULT GetLastResult() const { return m_result; }

private:
    static void WaveOutProc(HWAVEOUT handle, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);
    void OnPieceDone(WAVEHDR* header);
    void CountEndOfPlayback();
    BOOL WriteNextPiece();
    int PositionLocked();
    BOOL Check(MMRESULT result);

    DWORD m_queuedAtStart = 0;
    BOOL m_stopped = FALSE;
    DWORD m_endOffset = 0;
    DWORD m_writeOffset = 0;
    DWORD m_startFrame = 0;
    DWORD m_pieceSize = DefaultPieceSize;
    HWAVEOUT m_handle = nullptr;
    std::atomic<MMRESULT> m_result{MMSYSERR_NOERROR};
    int m_index = PieceCount - 1;
    WAVEHDR m_headers[PieceCount]{};
    BOOL m_queued[PieceCount]{};
    CWave m_wave;
    CWaveDevice m_device;
    // Pieces back after the last one was written; one per player, so two players never
    // count each other's pieces.
    DWORD m_endCount = 0;
    // Guards everything above against the worker that takes finished pieces.
    mutable std::mutex m_mutex;
    CWaveWorker m_worker;
};
