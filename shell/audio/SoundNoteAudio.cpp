#include "shell/audio/SoundNoteAudio.h"

#include "shell/audio/AudioReport.h"

#include "objects/ShellServices.h"
#include "platform/media/Acm.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

void ShowText(const CString& text)
{
    AfxMessageBox(text, MB_OK);
}

void ShowTranslated(LPCTSTR key)
{
    ShowText(GetShellServices().GetLanguageText(key));
}

void ShowConversionError(int step)
{
    CString key;
    key.Format("Error while converting, Codec not supported! PCM is chosen now. Error %d", step);
    ShowText(GetShellServices().GetLanguageText(key));
}

// The conversion steps that can fail, in order; each number is the one the message shows.
enum ConvertStep { OpenStream = 1, SizeStream, PrepareHeader, Convert, UnprepareHeader };

}  // namespace

std::unique_ptr<CNoteSound> CSoundNoteAudio::Make(CWave& wave)
{
    return std::make_unique<CSoundNoteAudio>(wave);
}

void CSoundNoteAudio::Play(int startFrame)
{
    if (!m_wave.HoldsSamples())
        return;
    m_player.Close();
    if (!m_player.SetWave(m_wave)) {
        ShowText(m_player.GetErrorText());
        return;
    }
    m_player.SetDevice(m_device);
    if (!m_player.Open() || !m_player.Play(startFrame))
        ShowText(m_player.GetErrorText());
}

void CSoundNoteAudio::Pause()
{
    if (!m_player.IsPlaying())
        return;
    m_paused = TRUE;
    m_player.Pause();
}

void CSoundNoteAudio::Resume()
{
    m_paused = FALSE;
    m_player.Restart();
}

void CSoundNoteAudio::Stop(const WaveFormatBlock& format)
{
    if (m_player.IsPlaying()) {
        if (!m_player.Close())
            ShowText(m_player.GetErrorText());
        m_paused = FALSE;
        return;
    }
    if (!m_recorder.IsRecording())
        return;
    if (!m_recorder.Close()) {
        ShowText(m_recorder.GetErrorText());
        return;
    }
    m_wave = ConvertWave(m_recorder.MakeWave(), format);
    GetAudioReport().SetSliderRange(int(m_wave.GetFrameCount()));
}

void CSoundNoteAudio::Record(const WaveFormatBlock& format)
{
    Stop(format);
    if (StartRecorder(format)) {
        WAVEFORMATEX f = ReadFormat(format);
        m_wave.SetFormat(f.nChannels, f.nSamplesPerSec, 16);
    }
}

BOOL CSoundNoteAudio::StartRecorder(const WaveFormatBlock& format)
{
    WAVEFORMATEX f = ReadFormat(format);
    CWave capture;
    capture.SetFormat(f.nChannels, f.nSamplesPerSec, 16);
    if (!m_device.CanRecord(capture)) {
        ShowTranslated("Format not supported! Choose another one, please.");
        return FALSE;
    }
    m_recorder.SetFormat(capture.GetFormat());
    m_recorder.SetDevice(m_device);
    if (!m_recorder.Open() || !m_recorder.Start(RecordBufferSize)) {
        ShowText(m_recorder.GetErrorText());
        m_recorder.Close();
        return FALSE;
    }
    return TRUE;
}

CWave CSoundNoteAudio::ConvertWave(const CWave& source, const WaveFormatBlock& format)
{
    CWave result;
    result.SetFormatBlock(format);
    WaveFormatBlock from = source.GetFormatBlock(), to = format;
    DWORD n = std::min(source.GetDataSize(), source.GetBufferSize());
    HACMSTREAM stream = nullptr;
    auto fail = [&](int step) {
        ShowConversionError(step);
        return source;
    };
    if (acmStreamOpen(&stream, nullptr, reinterpret_cast<LPWAVEFORMATEX>(from.data()),
                      reinterpret_cast<LPWAVEFORMATEX>(to.data()), nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME))
        return fail(OpenStream);
    DWORD d = 0;
    if (acmStreamSize(stream, n, &d, ACM_STREAMSIZEF_SOURCE)) {
        acmStreamClose(stream, 0);
        return fail(SizeStream);
    }
    std::unique_ptr<BYTE[]> destination(new BYTE[std::max<DWORD>(d, 1)]);
    ACMSTREAMHEADER header{};
    header.cbStruct = sizeof header;
    header.pbSrc = source.GetData();
    header.cbSrcLength = n;
    header.pbDst = destination.get();
    header.cbDstLength = d;
    if (acmStreamPrepareHeader(stream, &header, 0)) {
        acmStreamClose(stream, 0);
        return fail(PrepareHeader);
    }
    if (acmStreamConvert(stream, &header, 0)) {
        acmStreamUnprepareHeader(stream, &header, 0);
        acmStreamClose(stream, 0);
        return fail(Convert);
    }
    if (acmStreamUnprepareHeader(stream, &header, 0)) {
        acmStreamClose(stream, 0);
        return fail(UnprepareHeader);
    }
    if (acmStreamClose(stream, 0))
        ShowTranslated("Converation couldn't be finished!");
    WORD align = result.GetBlockAlign();
    result.SetSamples(destination.release(), align ? header.cbDstLengthUsed / align : 0, FALSE);
    return result;
}
