// The recorder of a sound note: two capture buffers circulate through the device, each
// finished one is kept in capture order and its level reported, and MakeWave joins them.
#pragma once

#include "objects/Wave.h"
#include "shell/audio/WaveDevice.h"
#include "shell/audio/WaveWorker.h"

#include "platform/core/String.h"

#include <atomic>
#include <list>
#include <memory>

class CWaveIn {
public:
    CWaveIn();
    CWaveIn(const CWaveIn&) = delete;
    CWaveIn& operator=(const CWaveIn&) = delete;
    virtual ~CWaveIn();

    // Takes channels, rate and bits; the recorder always captures PCM.
    void SetFormat(const WAVEFORMATEX& format);
    void SetDevice(const CWaveDevice& device) { m_device = device; }
    BOOL Open();
    BOOL Start(DWORD bufferSize);
    // Stops capturing; every buffer in the device comes back and is kept before it returns.
    BOOL Reset();
    BOOL Close();
    BOOL IsRecording() const;
    DWORD GetTotalFrames() const;
    CWave MakeWave();
    CString GetErrorText() const;
    MMRESULT GetLastResult() const { return m_result; }

private:
    static void WaveInProc(HWAVEIN handle, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);
    void OnBufferDone(WAVEHDR* header);
    BOOL QueueBuffer();
    void StoreBuffer(const WAVEHDR& header);
    void FreeBuffers();
    BOOL Check(MMRESULT result);

    BOOL m_stopping = TRUE;
    HWAVEIN m_handle = nullptr;
    std::list<std::unique_ptr<CWaveBuffer>> m_buffers;
    std::atomic<MMRESULT> m_result{MMSYSERR_NOERROR};
    int m_index = 1;
    DWORD m_bufferSize = 0;
    WAVEHDR m_headers[2]{};
    BOOL m_queued[2]{};
    CWave m_format;
    CWaveDevice m_device;
    // Guards everything above against the worker that takes finished buffers.
    mutable std::mutex m_mutex;
    CWaveWorker m_worker;
};
