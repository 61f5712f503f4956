#include "platform/ink/InkDataObject.h"

#include "platform/core/GlobalMemory.h"
#include "platform/ink/InkDisp.h"

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
    HGLOBAL block = GlobalFromBytes(m_stored);
    if (!block)
        return false;
    medium = STGMEDIUM{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = block;
    return true;
}
