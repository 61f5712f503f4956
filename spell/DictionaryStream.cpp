#include "spell/DictionaryStream.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CDictionaryStream::~CDictionaryStream()
{
    Close();
}

bool CDictionaryStream::Open(const char* fileName)
{
    Close();
    m_fd = ::open(fileName, O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return false;
    struct stat info { };
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        Close();
        return false;
    }
    m_size = static_cast<uint64_t>(info.st_size);
    m_buffer.resize(kBufferSize);
    m_windowStart = 0;
    m_windowLength = 0;
    m_cursor = 0;
    return true;
}

void CDictionaryStream::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_size = 0;
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_windowStart = m_windowLength = m_cursor = 0;
}

bool CDictionaryStream::Seek(uint64_t position)
{
    if (!IsOpen() || position > m_size)
        return false;
    if (position >= m_windowStart && position <= m_windowStart + m_windowLength) {
        m_cursor = static_cast<size_t>(position - m_windowStart);
        return true;
    }
    m_windowStart = position;
    m_windowLength = 0;
    m_cursor = 0;
    m_nextRead = kSeekReadSize;
    return true;
}

bool CDictionaryStream::fill()
{
    m_windowStart += m_cursor;
    m_windowLength = 0;
    m_cursor = 0;
    if (!IsOpen() || m_windowStart >= m_size)
        return false;
    ssize_t got = ::pread(m_fd, m_buffer.data(), m_nextRead, static_cast<off_t>(m_windowStart));
    m_nextRead = m_buffer.size();
    if (got <= 0)
        return false;
    m_windowLength = static_cast<size_t>(got);
    return true;
}

int CDictionaryStream::Get()
{
    if (m_cursor >= m_windowLength && !fill())
        return -1;
    return m_buffer[m_cursor++];
}

void CDictionaryStream::Unget()
{
    if (m_cursor > 0)
        --m_cursor;
}

bool CDictionaryStream::Read(void* target, size_t count)
{
    BYTE* out = static_cast<BYTE*>(target);
    while (count > 0) {
        if (m_cursor >= m_windowLength && !fill())
            return false;
        size_t chunk = std::min(count, m_windowLength - m_cursor);
        std::memcpy(out, m_buffer.data() + m_cursor, chunk);
        m_cursor += chunk;
        out += chunk;
        count -= chunk;
    }
    return true;
}
