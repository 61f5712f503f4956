#include "shell/audio/WaveOut.h"

#include "shell/audio/AudioReport.h"

#include "platform/core/Diagnostics.h"
#include "platform/media/WaveApi.h"

#include <algorithm>

CWaveOut::CWaveOut() : m_worker([this](WAVEHDR* header) { OnPieceDone(header); }) {}

CWaveOut::~CWaveOut()
{
    Close();
}

BOOL CWaveOut::Check(MMRESULT result)
{
    m_result = result;
    return result == MMSYSERR_NOERROR;
}

BOOL CWaveOut::SetWave(const CWave& wave)
{
    WORD align = wave.GetBlockAlign();
    if (!align)
        return Check(WAVERR_BADFORMAT);
    std::lock_guard lock(m_mutex);
    m_wave = wave;
    m_pieceSize = DefaultPieceSize / align * align;
    return TRUE;
}

BOOL CWaveOut::Open()
{
    m_worker.Start();
    HWAVEOUT handle = nullptr;
    BOOL opened = Check(waveOutOpen(&handle, m_device.GetId(), m_wave.FormatPointer(), DWORD_PTR(&WaveOutProc),
                                    DWORD_PTR(this), CALLBACK_FUNCTION));
    std::lock_guard lock(m_mutex);
    m_handle = opened ? handle : nullptr;
    return opened;
}

BOOL CWaveOut::Play(int startFrame)
{
    if (!Stop())
        return FALSE;
    std::lock_guard lock(m_mutex);
    WORD align = m_wave.GetBlockAlign();
    if (!align)
        return Check(WAVERR_BADFORMAT);
    DWORD first = startFrame < 0 ? 0 : DWORD(startFrame);
    m_endCount = 0;
    m_queuedAtStart = 0;
    m_startFrame = first;
    m_stopped = FALSE;
    m_writeOffset = DWORD(std::min<ULONGLONG>(ULONGLONG(first) * align, m_wave.GetBufferSize()));
    m_endOffset = std::min(m_wave.GetDataSize(), m_wave.GetBufferSize());
    m_index = PieceCount - 1;
    for (int i = 0; i < PieceCount; ++i)
        if (WriteNextPiece())
            ++m_queuedAtStart;
    return m_queuedAtStart > 0;
}

BOOL CWaveOut::Stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopped = TRUE;
        if (!m_handle)
            return TRUE;
        m_writeOffset = m_endOffset;
    }
    TRACE("Playsound going to be killed\n");
    BOOL reset = Check(waveOutReset(m_handle));
    TRACE("Playsound killed\n");
    m_worker.Drain();
    return reset;
}

BOOL CWaveOut::Close()
{
    if (!m_handle)
        return TRUE;
    Stop();
    TRACE("Playsound stopped\n");
    BOOL closed = Check(waveOutClose(m_handle));
    TRACE("Playsound closed\n");
    m_worker.Stop();
    std::lock_guard lock(m_mutex);
    if (closed)
        m_handle = nullptr;
    return closed;
}

BOOL CWaveOut::Pause()
{
    return !m_handle || Check(waveOutPause(m_handle));
}

BOOL CWaveOut::Restart()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopped = FALSE;
    }
    return !m_handle || Check(waveOutRestart(m_handle));
}

int CWaveOut::GetPosition()
{
    std::lock_guard lock(m_mutex);
    return PositionLocked();
}

int CWaveOut::PositionLocked()
{
    if (!m_handle || !m_wave.GetBlockAlign())
        return -1;
    TRACE("GetPosition\n");
    MMTIME time{};
    time.wType = TIME_BYTES;
    if (!Check(waveOutGetPosition(m_handle, &time, sizeof time))) {
        TRACE("GetPosition failed\n");
        return -1;
    }
    TRACE("Got Position\n");
    return int(time.u.cb / m_wave.GetBlockAlign());
}

// A player whose first write failed has no piece out; it is simply not playing.
BOOL CWaveOut::IsPlaying() const
{
    std::lock_guard lock(m_mutex);
    return m_index >= 0 && m_index < PieceCount && m_queued[m_index];
}

BOOL CWaveOut::IsAtEnd() const
{
    std::lock_guard lock(m_mutex);
    return m_writeOffset >= m_endOffset;
}

CString CWaveOut::GetErrorText() const
{
    char text[MAXERRORLENGTH] = {};
    if (m_result == MMSYSERR_NOERROR || waveOutGetErrorText(m_result, text, sizeof text) != MMSYSERR_NOERROR)
        return CString();
    return CString(text);
}

void CWaveOut::WaveOutProc(HWAVEOUT handle, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR)
{
    auto* header = reinterpret_cast<WAVEHDR*>(param1);
    if (message != WOM_DONE || !handle || !header || header->dwUser != instance)
        return;
    reinterpret_cast<CWaveOut*>(instance)->m_worker.Post(header);
}

void CWaveOut::OnPieceDone(WAVEHDR* header)
{
    std::lock_guard lock(m_mutex);
    if (header->dwFlags & WHDR_DONE) {
        header->dwFlags = 0;
        if (!Check(waveOutUnprepareHeader(m_handle, header, sizeof(WAVEHDR))))
            return;
        header->lpData = nullptr;
        m_queued[header - m_headers] = FALSE;
        if (!m_stopped)
            GetAudioReport().SetPlayPosition(PositionLocked() + int(m_startFrame));
    }
    if (m_writeOffset < m_endOffset)
        WriteNextPiece();
    else
        CountEndOfPlayback();
}

void CWaveOut::CountEndOfPlayback()
{
    if (m_endCount + 1 == m_queuedAtStart) {
        GetAudioReport().SetPlayPosition(0);
        m_endCount = 0;
    } else {
        ++m_endCount;
    }
}

BOOL CWaveOut::WriteNextPiece()
{
    DWORD size = m_writeOffset < m_endOffset ? std::min(m_pieceSize, m_endOffset - m_writeOffset) : 0;
    if (!size)
        return FALSE;
    m_index = m_index == PieceCount - 1 ? 0 : m_index + 1;
    WAVEHDR& header = m_headers[m_index];
    header = WAVEHDR{};
    header.lpData = reinterpret_cast<LPSTR>(m_wave.GetData() + m_writeOffset);
    header.dwBufferLength = size;
    header.dwUser = DWORD_PTR(this);
    if (!Check(waveOutPrepareHeader(m_handle, &header, sizeof header)))
        return FALSE;
    if (!Check(waveOutWrite(m_handle, &header, sizeof header))) {
        waveOutUnprepareHeader(m_handle, &header, sizeof header);
        header = WAVEHDR{};
        --m_index;
        return FALSE;
    }
    m_queued[m_index] = TRUE;
    m_writeOffset += size;
    return TRUE;
}
