// Audio format conversion: streams that convert a whole buffer of wave data from one format to
// another (PCM of any rate, 8 or 16 bits, mono or stereo; u-law, A-law and IMA ADPCM), and the
// dialog that lets the user choose one of those formats.
#pragma once

#include "platform/media/WaveTypes.h"

struct HACMSTREAM__;
struct HACMDRIVER__;
using HACMSTREAM = HACMSTREAM__*;
using LPHACMSTREAM = HACMSTREAM*;
using HACMDRIVER = HACMDRIVER__*;
struct WAVEFILTER;
using LPWAVEFILTER = WAVEFILTER*;

constexpr MMRESULT ACMERR_BASE = 512, ACMERR_NOTPOSSIBLE = 512, ACMERR_BUSY = 513, ACMERR_UNPREPARED = 514,
                   ACMERR_CANCELED = 515;

constexpr DWORD ACM_STREAMOPENF_QUERY = 0x1, ACM_STREAMOPENF_ASYNC = 0x2, ACM_STREAMOPENF_NONREALTIME = 0x4;
constexpr DWORD ACM_STREAMSIZEF_SOURCE = 0x0, ACM_STREAMSIZEF_DESTINATION = 0x1;
constexpr DWORD ACM_STREAMCONVERTF_BLOCKALIGN = 0x4, ACM_STREAMCONVERTF_START = 0x10, ACM_STREAMCONVERTF_END = 0x20;
constexpr DWORD ACMSTREAMHEADER_STATUSF_DONE = 0x10000, ACMSTREAMHEADER_STATUSF_PREPARED = 0x20000,
                ACMSTREAMHEADER_STATUSF_INQUEUE = 0x100000;

struct ACMSTREAMHEADER {
    DWORD cbStruct;
    DWORD fdwStatus;
    DWORD_PTR dwUser;
    LPBYTE pbSrc;
    DWORD cbSrcLength;
    DWORD cbSrcLengthUsed;
    DWORD_PTR dwSrcUser;
    LPBYTE pbDst;
    DWORD cbDstLength;
    DWORD cbDstLengthUsed;
    DWORD_PTR dwDstUser;
    DWORD dwReservedDriver[10];
};
using LPACMSTREAMHEADER = ACMSTREAMHEADER*;

// IMA ADPCM formats carry two bytes of format information: the samples per block.
#pragma pack(push, 1)
struct IMAADPCMWAVEFORMAT {
    WAVEFORMATEX wfx;
    WORD wSamplesPerBlock;
};
#pragma pack(pop)

// Formats are read by field; a compressed source or destination must be followed by its cbSize
// bytes. A stream converts each header whole, on the calling thread; filters, drivers and
// asynchronous streams are not offered.
MMRESULT acmStreamOpen(LPHACMSTREAM stream, HACMDRIVER driver, LPWAVEFORMATEX source, LPWAVEFORMATEX destination,
                       LPWAVEFILTER filter, DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
MMRESULT acmStreamSize(HACMSTREAM stream, DWORD input, LPDWORD output, DWORD flags);
MMRESULT acmStreamPrepareHeader(HACMSTREAM stream, LPACMSTREAMHEADER header, DWORD flags);
MMRESULT acmStreamConvert(HACMSTREAM stream, LPACMSTREAMHEADER header, DWORD flags);
MMRESULT acmStreamUnprepareHeader(HACMSTREAM stream, LPACMSTREAMHEADER header, DWORD flags);
MMRESULT acmStreamClose(HACMSTREAM stream, DWORD flags);

constexpr DWORD ACMFORMATCHOOSE_STYLEF_INITTOWFXSTRUCT = 0x40;
constexpr UINT ACMFORMATTAGDETAILS_FORMATTAG_CHARS = 48, ACMFORMATDETAILS_FORMAT_CHARS = 128;

struct ACMFORMATCHOOSE {
    DWORD cbStruct;
    DWORD fdwStyle;
    HWND hwndOwner;
    LPWAVEFORMATEX pwfx;  // in: the format to start from (INITTOWFXSTRUCT); out: the choice
    DWORD cbwfx;          // bytes at pwfx
    LPCSTR pszTitle;
    char szFormatTag[ACMFORMATTAGDETAILS_FORMATTAG_CHARS];
    char szFormat[ACMFORMATDETAILS_FORMAT_CHARS];
    LPSTR pszName;
    DWORD cchName;
    DWORD fdwEnum;
    LPWAVEFORMATEX pwfxEnum;
    HINSTANCE hInstance;
    LPCSTR pszTemplateName;
    LPARAM lCustData;
    void* pfnHook;
};
using LPACMFORMATCHOOSE = ACMFORMATCHOOSE*;

// Lists the formats streams can convert to. 0 with the choice in pwfx; ACMERR_CANCELED;
// ACMERR_NOTPOSSIBLE when the choice does not fit in cbwfx bytes.
MMRESULT acmFormatChoose(LPACMFORMATCHOOSE choose);

namespace AcmTestHook {
// The entry of the format list that the next chooser picks (-1 cancels). Without one and
// without a display, the chooser cancels.
void QueueFormatChoice(int index);
}  // namespace AcmTestHook
