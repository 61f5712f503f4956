// Reads arbitrary bytes as a ".prj" record. Reading may only succeed or throw the framework's
// exception; a record that was read must write, read back and write the same bytes again, and
// its icon becomes a project's icon. The same bytes are also read as a member file for its title.
#include "fuzz/FuzzFolder.h"
#include "projects/ProjOb.h"
#include "projects/ProjectHelpers.h"
#include "projects/ProjectRecord.h"
#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/MemFile.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

bool Read(const Bytes& bytes, ProjectRecord& record)
{
    Bytes copy = bytes;
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive archive(&file, CArchive::load);
    try {
        ReadProjectRecord(archive, record);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    return true;
}

Bytes Write(const ProjectRecord& record)
{
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        WriteProjectRecord(archive, record);
    }
    const auto size = static_cast<size_t>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + size);
    std::free(data);
    return bytes;
}

void ReadTitle(const uint8_t* data, size_t size)
{
    static FuzzFolder folder;
    const std::string path = folder.File("member.trn");
    CString title;
    if (folder.IsUsable() && FuzzFolder::Write(path, data, size))
        ReadMemberTitle(path.c_str(), title, TRUE);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReadTitle(data, size);
    ProjectRecord record;
    if (!Read(Bytes(data, data + size), record))
        return 0;
    CProjOb project;
    project.ApplyLoadedIcon(record.iconImage, record.iconMask);
    const Bytes written = Write(record);
    ProjectRecord again;
    if (!Read(written, again) || Write(again) != written)
        std::abort();
    return 0;
}
