#include "platform/media/Acm.h"

#include "platform/media/AcmCodec.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace {

struct AcmStream {
    AcmFormat source;
    AcmFormat destination;

    std::optional<std::vector<BYTE>> Convert(const BYTE* bytes, size_t size) const
    {
        auto samples = DecodeToPcm16(source, bytes, size);
        if (!samples)
            return std::nullopt;
        *samples = ConvertChannels(*samples, source.wfx.nChannels, destination.wfx.nChannels);
        samples = Resample(*samples, destination.wfx.nChannels, source.wfx.nSamplesPerSec,
                           destination.wfx.nSamplesPerSec);
        return samples ? EncodeFromPcm16(destination, *samples) : std::nullopt;
    }
};

struct Streams {
    std::mutex mutex;
    std::map<void*, std::unique_ptr<AcmStream>> open;
};

Streams& Table()
{
    static Streams streams;
    return streams;
}

// Streams are used by one thread at a time; the table only guards against stale handles.
AcmStream* Find(HACMSTREAM handle)
{
    std::lock_guard lock(Table().mutex);
    auto it = Table().open.find(handle);
    return it == Table().open.end() ? nullptr : it->second.get();
}

bool ValidHeader(const ACMSTREAMHEADER* h) { return h && h->cbStruct >= sizeof(ACMSTREAMHEADER); }

}  // namespace

MMRESULT acmStreamOpen(LPHACMSTREAM stream, HACMDRIVER, LPWAVEFORMATEX source, LPWAVEFORMATEX destination,
                       LPWAVEFILTER filter, DWORD_PTR, DWORD_PTR, DWORD flags)
{
    if (!source || !destination)
        return MMSYSERR_INVALPARAM;
    if (filter)
        return MMSYSERR_NOTSUPPORTED;
    if (flags & ACM_STREAMOPENF_ASYNC)
        return MMSYSERR_INVALFLAG;
    auto from = ReadAcmFormat(source);
    auto to = ReadAcmFormat(destination);
    if (!from || !to)
        return ACMERR_NOTPOSSIBLE;
    if (flags & ACM_STREAMOPENF_QUERY)
        return MMSYSERR_NOERROR;
    if (!stream)
        return MMSYSERR_INVALPARAM;
    auto made = std::make_unique<AcmStream>(AcmStream{*from, *to});
    *stream = reinterpret_cast<HACMSTREAM>(made.get());
    std::lock_guard lock(Table().mutex);
    Table().open[made.get()] = std::move(made);
    return MMSYSERR_NOERROR;
}

MMRESULT acmStreamSize(HACMSTREAM handle, DWORD input, LPDWORD output, DWORD flags)
{
    AcmStream* s = Find(handle);
    if (!s)
        return MMSYSERR_INVALHANDLE;
    if (!output || flags > ACM_STREAMSIZEF_DESTINATION)
        return MMSYSERR_INVALPARAM;
    bool fromSource = flags == ACM_STREAMSIZEF_SOURCE;
    const AcmFormat& in = fromSource ? s->source : s->destination;
    const AcmFormat& out = fromSource ? s->destination : s->source;
    size_t frames = ResampledFrames(in.FramesIn(input), in.wfx.nSamplesPerSec, out.wfx.nSamplesPerSec);
    size_t bytes = input ? out.BytesFor(frames) : 0;
    if (bytes > 0xFFFFFFFFu)
        return ACMERR_NOTPOSSIBLE;
    *output = DWORD(bytes);
    return MMSYSERR_NOERROR;
}

MMRESULT acmStreamPrepareHeader(HACMSTREAM handle, LPACMSTREAMHEADER header, DWORD)
{
    if (!Find(handle))
        return MMSYSERR_INVALHANDLE;
    if (!ValidHeader(header) || (!header->pbSrc && header->cbSrcLength) || (!header->pbDst && header->cbDstLength))
        return MMSYSERR_INVALPARAM;
    header->fdwStatus |= ACMSTREAMHEADER_STATUSF_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT acmStreamConvert(HACMSTREAM handle, LPACMSTREAMHEADER header, DWORD)
{
    AcmStream* s = Find(handle);
    if (!s)
        return MMSYSERR_INVALHANDLE;
    if (!ValidHeader(header))
        return MMSYSERR_INVALPARAM;
    if (!(header->fdwStatus & ACMSTREAMHEADER_STATUSF_PREPARED))
        return ACMERR_UNPREPARED;
    header->fdwStatus &= ~ACMSTREAMHEADER_STATUSF_DONE;
    auto converted = s->Convert(header->pbSrc, header->cbSrcLength);
    if (!converted || converted->size() > header->cbDstLength)
        return ACMERR_NOTPOSSIBLE;
    if (!converted->empty())
        std::memcpy(header->pbDst, converted->data(), converted->size());
    header->cbDstLengthUsed = DWORD(converted->size());
    header->cbSrcLengthUsed = DWORD(s->source.BytesFor(s->source.FramesIn(header->cbSrcLength)));
    header->fdwStatus |= ACMSTREAMHEADER_STATUSF_DONE;
    return MMSYSERR_NOERROR;
}

MMRESULT acmStreamUnprepareHeader(HACMSTREAM handle, LPACMSTREAMHEADER header, DWORD)
{
    if (!Find(handle))
        return MMSYSERR_INVALHANDLE;
    if (!ValidHeader(header))
        return MMSYSERR_INVALPARAM;
    if (!(header->fdwStatus & ACMSTREAMHEADER_STATUSF_PREPARED))
        return ACMERR_UNPREPARED;
    header->fdwStatus &= ~ACMSTREAMHEADER_STATUSF_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT acmStreamClose(HACMSTREAM handle, DWORD)
{
    std::lock_guard lock(Table().mutex);
    return Table().open.erase(handle) ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}
