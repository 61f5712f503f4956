#include "platform/ink/InkClipboard.h"

#include "platform/core/GlobalMemory.h"
#include "platform/ink/InkDataObject.h"
#include "platform/ole/Clipboard.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

std::optional<std::vector<BYTE>> ReadClipboardBytes(HWND owner)
{
    if (!OpenClipboard(owner))
        return std::nullopt;
    std::vector<BYTE> bytes;
    bool read = BytesFromGlobal(static_cast<HGLOBAL>(GetClipboardData(InkClipboardFormat())), bytes);
    CloseClipboard();
    return read ? std::optional(std::move(bytes)) : std::nullopt;
}

// The rectangle of the box's size at the point, kept inside ink space however far away the
// pasted strokes lie.
RECT PlaceAt(const RECT& box, POINT topLeft)
{
    auto clamp = [](int64_t v) {
        return LONG(std::clamp<int64_t>(v, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max()));
    };
    return {topLeft.x, topLeft.y, clamp(int64_t(topLeft.x) + box.right - box.left),
            clamp(int64_t(topLeft.y) + box.bottom - box.top)};
}

} // namespace

bool InkClipboardCopy(HWND owner, const InkStrokes& strokes)
{
    std::unique_ptr<InkDataObject> data = InkDataObject::Copy(strokes);
    if (!data || !OpenClipboard(owner))
        return false;
    EmptyClipboard();
    bool put = true;
    for (const FORMATETC& format : data->EnumFormatEtc()) {
        STGMEDIUM medium{};
        if (!data->GetData(format, medium)) {
            put = false;
            continue;
        }
        if (!SetClipboardData(format.cfFormat, medium.hGlobal)) {
            ReleaseStgMedium(&medium);
            put = false;
        }
    }
    CloseClipboard();
    return put;
}

bool InkCanPaste() { return IsClipboardFormatAvailable(InkClipboardFormat()); }

std::optional<InkStrokes> InkClipboardPaste(HWND owner, InkDisp& ink, POINT topLeft)
{
    std::optional<std::vector<BYTE>> bytes = ReadClipboardBytes(owner);
    return bytes ? InkPasteBlock(*bytes, ink, topLeft) : std::nullopt;
}

std::optional<InkStrokes> InkPasteBlock(const std::vector<BYTE>& block, InkDisp& ink, POINT topLeft)
{
    auto pasted = InkDisp::Create();
    if (!pasted->Load(block))
        return std::nullopt;
    InkStrokes strokes = pasted->Strokes();
    return ink.AddStrokesAtRectangle(strokes, PlaceAt(strokes.GetBoundingBox(), topLeft));
}
