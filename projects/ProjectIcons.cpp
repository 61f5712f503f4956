#include "projects/ProjectIcons.h"

#include "platform/core/BinaryResources.h"
#include "platform/gdi/Icon.h"

HICON LoadProjectIcon(UINT id)
{
    const std::vector<BYTE>* file = FindBinaryResource(ResourceKind::Icon, id);
    return file ? CreateIconFromFileData(file->data(), file->size(), 16, 16) : nullptr;
}

CString LoadProjectString(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}
