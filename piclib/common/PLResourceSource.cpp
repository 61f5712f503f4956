#include "piclib/common/PLResourceSource.h"

#include "piclib/common/PLTextException.h"
#include "platform/core/BinaryResources.h"

#include <climits>
#include <string>

PLResourceSource::~PLResourceSource()
{
    if (IsOpen())
        Close();
}

int PLResourceSource::OpenSource(HINSTANCE, int id, UINT type)
{
    if (type != 0 && type != RawData && type != Bitmap)
        return PL_ERRFILE_NOT_FOUND;
    const ResourceKind kind = type == Bitmap ? ResourceKind::Bitmap : ResourceKind::Data;
    const std::vector<BYTE>* bytes = FindBinaryResource(kind, UINT(id));
    if (!bytes || bytes->empty() || bytes->size() > size_t(INT_MAX))
        return PL_ERRFILE_NOT_FOUND;
    Open(("Resource: " + std::to_string(id)).c_str(), int(bytes->size()));
    SetBlock(bytes->data());
    return 0;
}
