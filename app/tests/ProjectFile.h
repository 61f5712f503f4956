// A project file as the end-to-end tests read it back, with the program's own reader.
#pragma once

#include "projects/ProjectRecord.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"

#include <filesystem>

namespace e2e {

// FALSE when the file is missing or damaged.
inline bool ReadProjectFile(const std::filesystem::path& path, ProjectRecord& record)
{
    CFile file;
    if (!file.Open(path.string().c_str(), CFile::modeRead))
        return false;
    try {
        CArchive ar(&file, CArchive::load);
        ReadProjectRecord(ar, record);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    return true;
}

} // namespace e2e
