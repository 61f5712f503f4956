// The stored record of an item: a tagged, versioned package of one file.
//
//   tag        DWORD   0x4B505646 ("FVPK")
//   version    WORD    1
//   type       WORD    OT_UNKNOWN (no file), OT_EMBEDDED or OT_STATIC
//   aspect     DWORD   draw aspect
//   file name  CString the name without folder
//   size       DWORD   byte count of the file, at most kMaxPackageBytes
//   data       size bytes
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/MemFile.h"
#include "platform/ole/ItemPackage.h"
#include "platform/ole/OleDocument.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr DWORD kPackageTag = 0x4B505646;
constexpr WORD kPackageVersion = 1;
constexpr UINT kReadChunk = 64 * 1024;

void ReadExactly(CArchive& ar, std::vector<BYTE>& data, DWORD size)
{
    data.clear();
    while (data.size() < size) {
        size_t at = data.size();
        UINT chunk = static_cast<UINT>(std::min<size_t>(kReadChunk, size - at));
        data.resize(at + chunk);
        if (ar.Read(&data[at], chunk) != chunk)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    }
}

} // namespace

void COleClientItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << kPackageTag << kPackageVersion << static_cast<WORD>(GetType()) << m_drawAspect << GetFileName();
        const std::vector<BYTE>& data = GetFileData();
        ar << static_cast<DWORD>(data.size());
        ar.Write(data.data(), static_cast<UINT>(data.size()));
        return;
    }
    DWORD tag = 0, aspect = 0, size = 0;
    WORD version = 0, type = 0;
    CString name;
    ar >> tag >> version;
    if (tag != kPackageTag)
        AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
    if (version != kPackageVersion)
        AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    ar >> type >> aspect >> name >> size;
    bool known = type == OT_UNKNOWN || type == OT_EMBEDDED || type == OT_STATIC;
    if (!known || size > ole::kMaxPackageBytes || (type == OT_UNKNOWN && size != 0))
        AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
    std::vector<BYTE> data;
    ReadExactly(ar, data, size);

    m_drawAspect = aspect;
    if (type == OT_UNKNOWN) {
        Close(OLECLOSE_NOSAVE);
        m_package.reset();
    } else {
        SetPackage(name, std::move(data), static_cast<OLE_OBJTYPE>(type));
    }
    if (!m_pDocument)
        if (auto* doc = dynamic_cast<COleDocument*>(ar.m_pDocument))
            doc->AddItem(this);
}

namespace ole {

CString SafeFileName(const CString& name)
{
    CString safe;
    int start = std::max(name.ReverseFind('/'), name.ReverseFind('\\')) + 1;
    for (int i = start; i < name.GetLength(); ++i) {
        auto ch = static_cast<BYTE>(name[i]);
        safe += ch < 0x20 || ch == 0x7F || ch == ':' ? '_' : static_cast<char>(ch);
    }
    safe.Trim();
    if (safe.IsEmpty() || safe == "." || safe == "..")
        safe = "Embedded file";
    return safe;
}

std::vector<BYTE> PackageRecord(const COleClientItem& item)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        const_cast<COleClientItem&>(item).Serialize(ar);
        ar.Close();
    }
    ULONGLONG length = file.GetLength();
    BYTE* bytes = file.Detach();
    std::vector<BYTE> record(bytes, bytes + length);
    std::free(bytes);
    return record;
}

BOOL ReadPackageRecord(COleClientItem& item, const std::vector<BYTE>& record)
{
    std::vector<BYTE> copy = record;
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    try {
        item.Serialize(ar);
        return TRUE;
    } catch (CArchiveException* e) {
        e->Delete();
        return FALSE;
    }
}

} // namespace ole
