// Private to platform/ole: the file an item holds, and what the item knows about it.
#pragma once

#include "platform/core/String.h"
#include "platform/ole/OleClientItem.h"

#include <vector>

struct COleClientItem::Package {
    CString fileName;
    std::vector<BYTE> data;
    OLE_OBJTYPE type = OT_EMBEDDED;
};

namespace ole {

// Files larger than this are not embedded, and records claiming more are refused.
constexpr DWORD kMaxPackageBytes = 256u * 1024 * 1024;

// The file name without any folder, safe to create in a folder of our own: no separators,
// no control characters, never "." or "..", never empty.
CString SafeFileName(const CString& name);

// Pictures are those the display's image reader decodes; sizes in pixels, (0, 0) otherwise.
SIZE PictureSize(const std::vector<BYTE>& data);

// Safe to open when neither its name nor its content makes it a program or script.
bool SafeToOpen(const CString& name, const std::vector<BYTE>& data);

// The record of a package (also the clipboard data of an item), and reading it back.
std::vector<BYTE> PackageRecord(const COleClientItem& item);
BOOL ReadPackageRecord(COleClientItem& item, const std::vector<BYTE>& record);

} // namespace ole
