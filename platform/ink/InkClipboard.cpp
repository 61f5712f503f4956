#include "platform/ink/InkClipboard.h"

#include "platform/core/GlobalMemory.h"
#include "platform/ole/Clipboard.h"

#include <cstring>

namespace {

UINT InkFormat() { return RegisterClipboardFormat("Vantrel Ink"); }

std::optional<std::vector<BYTE>> ReadClipboardBytes(HWND owner)
{
    if (!OpenClipboard(owner))
        return std::nullopt;
    std::optional<std::vector<BYTE>> bytes;
    HGLOBAL block = static_cast<HGLOBAL>(GetClipboardData(InkFormat()));
    if (const BYTE* data = block ? static_cast<const BYTE*>(GlobalLock(block)) : nullptr) {
        bytes.emplace(data, data + GlobalSize(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return bytes;
}

} // namespace

bool InkClipboardCopy(HWND owner, const InkStrokes& strokes)
{
    if (!strokes.Count())
        return false;
    auto copy = InkDisp::Create();
    copy->AddStrokesAtRectangle(strokes, strokes.GetBoundingBox());
    std::vector<BYTE> bytes = copy->Save();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block)
        return false;
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    if (!OpenClipboard(owner)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool put = SetClipboardData(InkFormat(), block) != nullptr;
    CloseClipboard();
    if (!put)
        GlobalFree(block);
    return put;
}

bool InkCanPaste() { return IsClipboardFormatAvailable(InkFormat()); }

std::optional<InkStrokes> InkClipboardPaste(HWND owner, InkDisp& ink, POINT topLeft)
{
    std::optional<std::vector<BYTE>> bytes = ReadClipboardBytes(owner);
    auto pasted = InkDisp::Create();
    if (!bytes || !pasted->Load(*bytes) || !pasted->StrokeCount())
        return std::nullopt;
    InkStrokes strokes = pasted->Strokes();
    RECT box = strokes.GetBoundingBox();
    RECT at{topLeft.x, topLeft.y, topLeft.x + box.right - box.left, topLeft.y + box.bottom - box.top};
    return ink.AddStrokesAtRectangle(strokes, at);
}
