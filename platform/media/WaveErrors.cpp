#include "platform/media/WaveApi.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

struct ErrorText {
    MMRESULT code;
    const char* text;
};

constexpr ErrorText kErrorTexts[] = {
    {MMSYSERR_NOERROR, "The operation succeeded."},
    {MMSYSERR_ERROR, "An unspecified error occurred in the sound system."},
    {MMSYSERR_BADDEVICEID, "There is no sound device with this number."},
    {MMSYSERR_NOTENABLED, "The sound device is not enabled."},
    {MMSYSERR_ALLOCATED, "The sound device is already in use by another program."},
    {MMSYSERR_INVALHANDLE, "The sound device handle is not valid."},
    {MMSYSERR_NODRIVER, "No sound device is available on this computer."},
    {MMSYSERR_NOMEM, "There is not enough memory for the sound device."},
    {MMSYSERR_NOTSUPPORTED, "The sound device does not support this operation."},
    {MMSYSERR_INVALFLAG, "An invalid flag was passed to the sound device."},
    {MMSYSERR_INVALPARAM, "An invalid parameter was passed to the sound device."},
    {WAVERR_BADFORMAT, "The sound device cannot use this wave format."},
    {WAVERR_STILLPLAYING, "The sound device is still busy with this buffer."},
    {WAVERR_UNPREPARED, "The wave buffer was not prepared."},
    {WAVERR_SYNC, "The sound device cannot work this way."},
};

MMRESULT CopyErrorText(MMRESULT error, LPSTR text, UINT size)
{
    if (!text || size == 0)
        return MMSYSERR_INVALPARAM;
    auto it = std::find_if(std::begin(kErrorTexts), std::end(kErrorTexts),
                           [&](const ErrorText& e) { return e.code == error; });
    if (it == std::end(kErrorTexts)) {
        text[0] = '\0';
        return MMSYSERR_BADERRNUM;
    }
    size_t n = std::min<size_t>(std::strlen(it->text), size - 1);
    std::memcpy(text, it->text, n);
    text[n] = '\0';
    return MMSYSERR_NOERROR;
}

}  // namespace

MMRESULT waveInGetErrorText(MMRESULT error, LPSTR text, UINT size) { return CopyErrorText(error, text, size); }
MMRESULT waveOutGetErrorText(MMRESULT error, LPSTR text, UINT size) { return CopyErrorText(error, text, size); }
