// Read-only byte stream over a dictionary file with one fixed read buffer. A seek inside
// the buffered window costs nothing, so lookups that land near each other share a read.
#pragma once

#include "platform/core/Types.h"

#include <cstdint>
#include <vector>

class CDictionaryStream {
public:
    static constexpr size_t kBufferSize = 32000;
    // A lookup reads a few records after a seek: the first read after one is short.
    static constexpr size_t kSeekReadSize = 2048;

    CDictionaryStream() = default;
    ~CDictionaryStream();
    CDictionaryStream(const CDictionaryStream&) = delete;
    CDictionaryStream& operator=(const CDictionaryStream&) = delete;

    bool Open(const char* fileName);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    uint64_t Size() const { return m_size; }
    uint64_t Tell() const { return m_windowStart + m_cursor; }

    bool Seek(uint64_t position);
    // Next byte, or -1 at the end of the file or on a read error.
    int Get();
    // Steps back over the byte the last Get returned.
    void Unget();
    // Exactly `count` bytes, or false.
    bool Read(void* target, size_t count);

private:
    bool fill();

    int m_fd = -1;
    uint64_t m_size = 0;
    std::vector<BYTE> m_buffer;
    uint64_t m_windowStart = 0;
    size_t m_windowLength = 0;
    size_t m_cursor = 0;
    size_t m_nextRead = kBufferSize;
};
