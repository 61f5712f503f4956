#include "shell/audio/WaveIn.h"

#include "shell/audio/AudioReport.h"

#include "platform/core/Diagnostics.h"
#include "platform/media/WaveApi.h"

#include <chrono>
#include <cstring>

CWaveIn::CWaveIn() : m_worker([this](WAVEHDR* header) { OnBufferDone(header); }) {}

CWaveIn::~CWaveIn()
{
    Close();
    FreeBuffers();
}

void CWaveIn::SetFormat(const WAVEFORMATEX& format)
{
    m_format.SetFormat(format.nChannels, format.nSamplesPerSec, format.wBitsPerSample);
}

BOOL CWaveIn::Check(MMRESULT result)
{
    m_result = result;
    return result == MMSYSERR_NOERROR;
}

BOOL CWaveIn::Open()
{
    m_worker.Start();
    HWAVEIN handle = nullptr;
    BOOL opened = Check(waveInOpen(&handle, m_device.GetId(), m_format.FormatPointer(), DWORD_PTR(&WaveInProc),
                                   DWORD_PTR(this), CALLBACK_FUNCTION));
    std::lock_guard lock(m_mutex);
    m_handle = opened ? handle : nullptr;
    return opened;
}

BOOL CWaveIn::Start(DWORD bufferSize)
{
    if (!Reset())
        return FALSE;
    std::lock_guard lock(m_mutex);
    m_stopping = FALSE;
    FreeBuffers();
    m_index = 1;
    m_bufferSize = bufferSize;
    if (!QueueBuffer() || !QueueBuffer())
        return FALSE;
    return Check(waveInStart(m_handle));
}

BOOL CWaveIn::Reset()
{
    HWAVEIN handle;
    {
        std::lock_guard lock(m_mutex);
        handle = m_handle;
        m_stopping = TRUE;
    }
    if (!handle)
        return TRUE;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    BOOL reset = Check(waveInReset(handle));
    m_worker.Drain();
    return reset;
}

BOOL CWaveIn::Close()
{
    if (!m_handle)
        return TRUE;
    Reset();
    BOOL closed = Check(waveInClose(m_handle));
    m_worker.Stop();
    std::lock_guard lock(m_mutex);
    if (closed)
        m_handle = nullptr;
    return closed;
}

BOOL CWaveIn::IsRecording() const
{
    std::lock_guard lock(m_mutex);
    return m_queued[m_index];
}

DWORD CWaveIn::GetTotalFrames() const
{
    std::lock_guard lock(m_mutex);
    DWORD total = 0;
    for (const auto& buffer : m_buffers)
        total += buffer->GetCount();
    return total;
}

CWave CWaveIn::MakeWave()
{
    DWORD total = GetTotalFrames();
    std::lock_guard lock(m_mutex);
    BYTE* block = new BYTE[size_t(total) * m_format.GetBlockAlign() + 1];
    BYTE* at = block;
    for (const auto& buffer : m_buffers) {
        std::memcpy(at, buffer->GetData(), buffer->GetSize());
        at += buffer->GetSize();
    }
    TRACE("MakeWave\n");
    m_format.SetSamples(block, total, FALSE);
    return m_format;
}

CString CWaveIn::GetErrorText() const
{
    char text[MAXERRORLENGTH] = {};
    if (m_result == MMSYSERR_NOERROR || waveInGetErrorText(m_result, text, sizeof text) != MMSYSERR_NOERROR)
        return CString();
    return CString(text);
}

void CWaveIn::WaveInProc(HWAVEIN handle, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR)
{
    auto* header = reinterpret_cast<WAVEHDR*>(param1);
    if (message != WIM_DATA || !handle || !header || header->dwUser != instance)
        return;
    reinterpret_cast<CWaveIn*>(instance)->m_worker.Post(header);
}

void CWaveIn::OnBufferDone(WAVEHDR* header)
{
    std::lock_guard lock(m_mutex);
    if (header->dwFlags & WHDR_DONE) {
        header->dwFlags = 0;
        if (!Check(waveInUnprepareHeader(m_handle, header, sizeof(WAVEHDR))))
            return;
        m_queued[header - m_headers] = FALSE;
        if (header->dwBytesRecorded)
            StoreBuffer(*header);
        delete[] header->lpData;
        header->lpData = nullptr;
    }
    if (!m_stopping)
        QueueBuffer();
}

BOOL CWaveIn::QueueBuffer()
{
    m_index = m_index == 1 ? 0 : m_index + 1;
    WAVEHDR& header = m_headers[m_index];
    if (!header.lpData)
        header.lpData = new char[m_bufferSize];
    std::memset(header.lpData, 0, m_bufferSize);
    header.dwBufferLength = m_bufferSize;
    header.dwFlags = 0;
    header.dwUser = DWORD_PTR(this);
    if (!Check(waveInPrepareHeader(m_handle, &header, sizeof header)) ||
        !Check(waveInAddBuffer(m_handle, &header, sizeof header)))
        return FALSE;
    m_queued[m_index] = TRUE;
    return TRUE;
}

void CWaveIn::StoreBuffer(const WAVEHDR& header)
{
    WORD align = m_format.GetBlockAlign();
    DWORD frames = align ? header.dwBytesRecorded / align : 0;
    auto buffer = std::make_unique<CWaveBuffer>();
    buffer->CopyFrom(header.lpData, frames, align);
    m_buffers.push_back(std::move(buffer));
    GetAudioReport().AddVolumeSample(reinterpret_cast<const BYTE*>(header.lpData), frames,
                                     m_format.GetFormatBlock());
}

void CWaveIn::FreeBuffers()
{
    m_buffers.clear();
    for (WAVEHDR& header : m_headers) {
        delete[] header.lpData;
        header = WAVEHDR{};
    }
    m_queued[0] = m_queued[1] = FALSE;
}
