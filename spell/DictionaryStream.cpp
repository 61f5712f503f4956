#include "spell/DictionaryStream.h"

#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

CDictionaryStream::~CDictionaryStream()
{
    Close();
}

bool CDictionaryStream::Open(const char* fileName)
{
    Close();
    int fd = ::open(fileName, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info { };
    bool read = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    try {
        if (read)
            m_bytes.resize(static_cast<size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        read = false;
    }
    for (size_t done = 0; read && done < m_bytes.size();) {
        ssize_t got = ::pread(fd, m_bytes.data() + done, m_bytes.size() - done, static_cast<off_t>(done));
        read = got > 0;
        done += read ? static_cast<size_t>(got) : 0;
    }
    ::close(fd);
    if (!read) {
        Close();
        return false;
    }
    m_open = true;
    return true;
}

void CDictionaryStream::Close()
{
    m_open = false;
    m_bytes.clear();
    m_bytes.shrink_to_fit();
    m_cursor = 0;
}

bool CDictionaryStream::Seek(uint64_t position)
{
    if (!IsOpen() || position > m_bytes.size())
        return false;
    m_cursor = static_cast<size_t>(position);
    return true;
}

bool CDictionaryStream::Read(void* target, size_t count)
{
    if (count > Remaining()) {
        m_cursor = m_bytes.size();
        return false;
    }
    std::memcpy(target, m_bytes.data() + m_cursor, count);
    m_cursor += count;
    return true;
}
