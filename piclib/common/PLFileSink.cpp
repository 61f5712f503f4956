#include "piclib/common/PLFileSink.h"

#include "piclib/common/PLFileAccess.h"
#include "piclib/common/PLTextException.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {
std::string temporaryNameFor(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    return path + ".tmp" + std::to_string(getpid()) + "_" + std::to_string(counter++);
}
} // namespace

PLFileSink::~PLFileSink()
{
    m_Map.Release();
    if (!m_Temporary.empty())
        ::unlink(m_Temporary.c_str());
}

int PLFileSink::Open(const char* fileName, int maxSize)
{
    const int result = create(fileName ? fileName : "", maxSize);
    if (result == 0)
        PLDataSink::Open(fileName, static_cast<uint8_t*>(m_Map.view), maxSize);
    return result;
}

int PLFileSink::Open(const wchar_t* fileName, int maxSize)
{
    const int result = create(PLFileAccess::Utf8FromWide(fileName), maxSize);
    if (result == 0)
        PLDataSink::Open(fileName, static_cast<uint8_t*>(m_Map.view), maxSize);
    return result;
}

int PLFileSink::create(const std::string& path, int maxSize)
{
    m_Map.Release();
    m_Target = path;
    m_Temporary = temporaryNameFor(path);
    m_Map.file = PLFileAccess::OpenFile(m_Temporary.c_str(), O_RDWR | O_CREAT | O_EXCL, 0666);
    if (m_Map.file < 0) {
        const int result = PLFileAccess::ResultCodeFor(errno, m_Temporary.c_str());
        m_Temporary.clear();
        return result;
    }
    void* view = MAP_FAILED;
    if (maxSize > 0 && ::ftruncate(m_Map.file, maxSize) == 0)
        view = mmap(nullptr, static_cast<size_t>(maxSize), PROT_READ | PROT_WRITE, MAP_SHARED, m_Map.file, 0);
    if (view == MAP_FAILED) {
        m_Map.Release();
        ::unlink(m_Temporary.c_str());
        m_Temporary.clear();
        return PL_ERRACCESS_DENIED;
    }
    m_Map.view = view;
    m_Map.size = static_cast<size_t>(maxSize);
    return 0;
}


void PLFileSink::Close()
{
    if (!IsOpen())
        return;
    const int written = GetDataSize();
    munmap(m_Map.view, m_Map.size);
    m_Map.view = nullptr;
    const bool complete = ::ftruncate(m_Map.file, written) == 0 && ::fsync(m_Map.file) == 0;
    ::close(m_Map.file);
    m_Map.file = -1;
    PLDataSink::Close();
    if (!complete || std::rename(m_Temporary.c_str(), m_Target.c_str()) != 0) {
        ::unlink(m_Temporary.c_str());
        m_Temporary.clear();
        throw PLTextException(PL_ERRACCESS_DENIED, "Writing the file failed.");
    }
    m_Temporary.clear();
}
