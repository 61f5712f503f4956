// Records, handles and result codes of the wave, timer and format-conversion calls.
// Values are the classic 32-bit ones; WAVEFORMATEX is the 18-byte packed record stored in files.
#pragma once

#include "platform/core/Types.h"

using MMRESULT = UINT;

constexpr MMRESULT MMSYSERR_NOERROR = 0, MMSYSERR_ERROR = 1, MMSYSERR_BADDEVICEID = 2, MMSYSERR_NOTENABLED = 3,
                   MMSYSERR_ALLOCATED = 4, MMSYSERR_INVALHANDLE = 5, MMSYSERR_NODRIVER = 6, MMSYSERR_NOMEM = 7,
                   MMSYSERR_NOTSUPPORTED = 8, MMSYSERR_BADERRNUM = 9, MMSYSERR_INVALFLAG = 10,
                   MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT WAVERR_BADFORMAT = 32, WAVERR_STILLPLAYING = 33, WAVERR_UNPREPARED = 34, WAVERR_SYNC = 35;

constexpr UINT WAVE_MAPPER = 0xFFFFFFFFu;
constexpr WORD WAVE_FORMAT_PCM = 1, WAVE_FORMAT_ALAW = 6, WAVE_FORMAT_MULAW = 7, WAVE_FORMAT_IMA_ADPCM = 0x11;

// Open flags.
constexpr DWORD CALLBACK_NULL = 0x00000, CALLBACK_FUNCTION = 0x30000, CALLBACK_TYPEMASK = 0x70000,
                WAVE_FORMAT_QUERY = 0x1;

// Callback messages.
constexpr UINT WOM_OPEN = 0x3BB, WOM_CLOSE = 0x3BC, WOM_DONE = 0x3BD, WIM_OPEN = 0x3BE, WIM_CLOSE = 0x3BF,
               WIM_DATA = 0x3C0;

// Header flags.
constexpr DWORD WHDR_DONE = 0x1, WHDR_PREPARED = 0x2, WHDR_BEGINLOOP = 0x4, WHDR_ENDLOOP = 0x8,
                WHDR_INQUEUE = 0x10;

constexpr UINT MAXERRORLENGTH = 256;

#pragma pack(push, 1)
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;  // bytes of format information that follow
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18);
using LPWAVEFORMATEX = WAVEFORMATEX*;
using LPCWAVEFORMATEX = const WAVEFORMATEX*;

struct WAVEHDR {
    LPSTR lpData;
    DWORD dwBufferLength;
    DWORD dwBytesRecorded;
    DWORD_PTR dwUser;
    DWORD dwFlags;
    DWORD dwLoops;
    WAVEHDR* lpNext;
    DWORD_PTR reserved;
};
using LPWAVEHDR = WAVEHDR*;

constexpr UINT TIME_MS = 0x1, TIME_SAMPLES = 0x2, TIME_BYTES = 0x4;
struct MMTIME {
    UINT wType;
    union {
        DWORD ms;
        DWORD sample;
        DWORD cb;
    } u;
};
using LPMMTIME = MMTIME*;

struct HWAVEIN__;
struct HWAVEOUT__;
using HWAVEIN = HWAVEIN__*;
using HWAVEOUT = HWAVEOUT__*;
using LPHWAVEIN = HWAVEIN*;
using LPHWAVEOUT = HWAVEOUT*;

// Callbacks run on the device's own thread, never on the user-interface thread; they are
// passed to the open calls as a DWORD_PTR with CALLBACK_FUNCTION.
using WAVEINPROC = void (*)(HWAVEIN handle, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);
using WAVEOUTPROC = void (*)(HWAVEOUT handle, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);
