// Reads arbitrary bytes as a wave file and, when its format is one the conversion streams
// know, converts its samples to 16-bit PCM the way a sound note converts a recording.
#include "platform/media/Acm.h"
#include "platform/media/RiffWave.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto image = ParseRiffWave(data, size);
    if (!image)
        return 0;
    std::vector<BYTE> format = image->format;
    format.resize(format.size() + 2);  // the longest format information the streams read
    auto* from = reinterpret_cast<LPWAVEFORMATEX>(format.data());
    WAVEFORMATEX to{WAVE_FORMAT_PCM, from->nChannels, from->nSamplesPerSec, 0, WORD(2 * from->nChannels), 16, 0};
    to.nAvgBytesPerSec = to.nSamplesPerSec * to.nBlockAlign;
    HACMSTREAM stream = nullptr;
    if (acmStreamOpen(&stream, nullptr, from, &to, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) != 0)
        return 0;
    DWORD bytes = 0;
    if (acmStreamSize(stream, DWORD(image->data.size()), &bytes, ACM_STREAMSIZEF_SOURCE) == 0 && bytes < (64u << 20)) {
        std::vector<BYTE> out(bytes);
        ACMSTREAMHEADER h{};
        h.cbStruct = sizeof h;
        h.pbSrc = image->data.data();
        h.cbSrcLength = DWORD(image->data.size());
        h.pbDst = out.data();
        h.cbDstLength = bytes;
        if (acmStreamPrepareHeader(stream, &h, 0) == 0) {
            acmStreamConvert(stream, &h, 0);
            acmStreamUnprepareHeader(stream, &h, 0);
        }
    }
    acmStreamClose(stream, 0);
    return 0;
}
