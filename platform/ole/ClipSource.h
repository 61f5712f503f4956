// Private to platform/ole: content offered under clipboard formats, and the stored form
// of each format.
#pragma once

#include "platform/ole/Clipboard.h"

#include <memory>
#include <vector>

namespace ole {

using Bytes = std::vector<BYTE>;

class ClipSource {
public:
    virtual ~ClipSource() = default;
    virtual std::vector<UINT> Formats() = 0;
    // The format's bytes in their stored form; false when it cannot be had.
    virtual bool Render(UINT format, Bytes& bytes) = 0;
};

// Renders a format, or the one that stands in for it (a packed DIB serves CF_DIB and
// CF_BITMAP alike).
bool RenderFormat(ClipSource& source, UINT format, Bytes& bytes);
bool OffersFormat(ClipSource& source, UINT format);
// The source's formats and those that stand in for them.
std::vector<UINT> OfferedFormats(ClipSource& source);

// The desktop clipboard's content, NULL when it is empty, and replacing it.
std::shared_ptr<ClipSource> CurrentClipboard();
void PublishClipboard(std::shared_ptr<ClipSource> source);
// Whether the clipboard still shows this source, put there by this process.
bool IsPublished(const ClipSource* source);

// Stored forms: bitmaps as packed DIBs, metafiles as their bits, palettes as LOGPALETTE
// records, every other format as a global block's bytes.
bool BytesFromHandle(UINT format, HANDLE handle, Bytes& bytes);
HANDLE HandleFromBytes(UINT format, const Bytes& bytes);
void FreeHandle(UINT format, HANDLE handle);
// The storage medium a format travels in: TYMED_GDI, TYMED_ENHMF or TYMED_HGLOBAL.
DWORD MediumOf(UINT format);
// Offset of the pixels in a packed DIB, after its header, masks and colour table; 0 when
// the header does not fit the bytes.
size_t PackedDibBitsOffset(const Bytes& dib);
// The picture a metafile draws, as a packed DIB of its bounds.
bool DibFromMetafile(const Bytes& emf, Bytes& dib);

// Runs a drag of the source and returns the effect the drop ended with.
DWORD RunDrag(std::shared_ptr<ClipSource> source, DWORD allowed);

} // namespace ole
