// The stored stroke object: after the page object's record the pen-size zoom, the ink in its
// stored form with its byte count, and the layer.
#include "objects/kinds/StrokeOb.h"

#include "objects/kinds/KindShared.h"
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"

void CStrokeOb::Serialize(CArchive& archive)
{
    CHyperOb::Serialize(archive);
    if (archive.IsStoring()) {
        const std::vector<BYTE> bytes = m_ink ? m_ink->Save() : std::vector<BYTE>();
        archive << static_cast<DWORD>(m_penSizeZoom) << static_cast<DWORD>(bytes.size());
        archive.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        archive << static_cast<DWORD>(LayerID);
        return;
    }
    const int penSizeZoom = ReadInt32(archive);
    const std::vector<BYTE> bytes = ReadSizedBytes(archive, static_cast<DWORD>(ReadInt32(archive)));
    auto ink = InkDisp::Create();
    if (!ink->Load(bytes))
        AfxThrowArchiveException(CArchiveException::badSchema);
    m_penSizeZoom = penSizeZoom;
    m_ink = ink;
    RememberPenSizes();
    LayerID = ReadInt32(archive);
}
