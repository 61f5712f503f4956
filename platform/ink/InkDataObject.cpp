#include "platform/ink/InkDataObject.h"

#include "platform/core/GlobalMemory.h"
#include "platform/ink/InkDisp.h"

#include <cstring>

UINT InkClipboardFormat() { return RegisterClipboardFormat("Vantrel Ink"); }

std::unique_ptr<InkDataObject> InkDisp::ClipboardCopy(const InkStrokes* strokes)
{
    return InkDataObject::Copy(strokes ? *strokes : Strokes());
}

std::unique_ptr<InkDataObject> InkDataObject::Copy(const InkStrokes& strokes)
{
    if (!strokes.Count())
        return nullptr;
    auto copy = InkDisp::Create();
    copy->AddStrokesAtRectangle(strokes, strokes.GetBoundingBox());
    return std::unique_ptr<InkDataObject>(new InkDataObject(copy->Save()));
}

std::vector<FORMATETC> InkDataObject::EnumFormatEtc() const
{
    return {FORMATETC{static_cast<CLIPFORMAT>(InkClipboardFormat()), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}};
}

bool InkDataObject::GetData(const FORMATETC& format, STGMEDIUM& medium) const
{
    if (format.cfFormat != InkClipboardFormat() || !(format.tymed & TYMED_HGLOBAL))
        return false;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, m_stored.size());
    void* bytes = block ? GlobalLock(block) : nullptr;
    if (!bytes) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(bytes, m_stored.data(), m_stored.size());
    GlobalUnlock(block);
    medium = STGMEDIUM{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = block;
    return true;
}
