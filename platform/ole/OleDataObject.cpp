// COleDataObject over the clipboard's or a drag's content.
#include "platform/ole/OleDataObject.h"

#include "platform/core/GlobalMemory.h"
#include "platform/core/MemFile.h"
#include "platform/ole/ClipSource.h"

#include <cstring>

using namespace ole;

BOOL COleDataObject::AttachClipboard()
{
    AttachSource(CurrentClipboard());
    return TRUE;
}

void COleDataObject::AttachSource(std::shared_ptr<ClipSource> source)
{
    m_source = std::move(source);
    m_formats.clear();
    m_nextFormat = 0;
}

void COleDataObject::Release() { AttachSource(nullptr); }

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC) const
{
    return m_source && OffersFormat(*m_source, cfFormat);
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC)
{
    Bytes bytes;
    if (!m_source || !RenderFormat(*m_source, cfFormat, bytes))
        return nullptr;
    return GlobalFromBytes(bytes);
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC)
{
    Bytes bytes;
    if (!lpStgMedium || !m_source || !RenderFormat(*m_source, cfFormat, bytes))
        return FALSE;
    HANDLE handle = HandleFromBytes(cfFormat, bytes);
    if (!handle)
        return FALSE;
    std::memset(lpStgMedium, 0, sizeof *lpStgMedium);
    lpStgMedium->tymed = MediumOf(cfFormat);
    lpStgMedium->hGdi = handle;
    return TRUE;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, LPFORMATETC)
{
    Bytes bytes;
    if (!m_source || !RenderFormat(*m_source, cfFormat, bytes))
        return nullptr;
    auto* file = new CMemFile();
    file->Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file->SeekToBegin();
    return file;
}

void COleDataObject::BeginEnumFormats()
{
    m_formats = m_source ? m_source->Formats() : std::vector<UINT>();
    m_nextFormat = 0;
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC lpFormatEtc)
{
    if (!lpFormatEtc || m_nextFormat >= m_formats.size())
        return FALSE;
    UINT format = m_formats[m_nextFormat++];
    *lpFormatEtc = {static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, MediumOf(format)};
    return TRUE;
}
