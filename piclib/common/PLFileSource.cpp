#include "piclib/common/PLFileSource.h"

#include "piclib/common/PLFileAccess.h"
#include "piclib/common/PLTextException.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

PLFileSource::PLFileSource(PLIProgressNotification* progress)
    : PLDataSource(progress)
{
}

PLFileSource::~PLFileSource()
{
    if (IsOpen())
        Close();
    m_Map.Release();
}

int PLFileSource::OpenSource(const char* fileName)
{
    const int result = mapFile(fileName);
    if (result == 0)
        Open(fileName, static_cast<int>(m_Map.size));
    return result;
}

int PLFileSource::OpenSource(const wchar_t* fileName)
{
    const int result = mapFile(PLFileAccess::Utf8FromWide(fileName).c_str());
    if (result == 0)
        Open(fileName, static_cast<int>(m_Map.size));
    return result;
}

int PLFileSource::mapFile(const char* path)
{
    m_Map.Release();
    m_Map.file = PLFileAccess::OpenFile(path, O_RDONLY, 0);
    if (m_Map.file < 0)
        return PLFileAccess::ResultCodeFor(errno, path);
    struct stat info {};
    if (fstat(m_Map.file, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > INT_MAX) {
        m_Map.Release();
        return PL_ERRFILE_NOT_FOUND;
    }
    // An empty file has nothing to map, as on the system this library came from.
    void* view = info.st_size > 0 ? mmap(nullptr, info.st_size, PROT_READ, MAP_PRIVATE, m_Map.file, 0) : MAP_FAILED;
    if (view == MAP_FAILED) {
        m_Map.Release();
        return PL_ERRACCESS_DENIED;
    }
    m_Map.view = view;
    m_Map.size = static_cast<size_t>(info.st_size);
    SetBlock(static_cast<const uint8_t*>(m_Map.view));
    return 0;
}


void PLFileSource::Close()
{
    PLDataSource::Close();
    m_Map.Release();
}
