#include "app/tests/SavedPage.h"

#include "objects/GenFrameOb.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"

#include <memory>

namespace e2e {

bool ReadSavedPage(const std::string& path, CMyView& reader)
{
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead))
        return false;
    CArchive archive(&file, CArchive::load);
    CString title;
    archive >> title;
    std::unique_ptr<CObject> frameObject(archive.ReadObject(RUNTIME_CLASS(CGenFrameOb)));
    reader.Serialize(archive);
    return !reader.LoadWasIncomplete();
}

} // namespace e2e
