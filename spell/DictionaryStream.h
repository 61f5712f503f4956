// Read-only byte stream over a dictionary file held whole in memory: it is read once when
// opened, so seeks and reads make no system call.
#pragma once

#include "platform/core/Types.h"

#include <algorithm>
#include <cstdint>
#include <vector>

class CDictionaryStream {
public:
    CDictionaryStream() = default;
    ~CDictionaryStream();
    CDictionaryStream(const CDictionaryStream&) = delete;
    CDictionaryStream& operator=(const CDictionaryStream&) = delete;

    bool Open(const char* fileName);
    void Close();
    bool IsOpen() const { return m_open; }
    uint64_t Size() const { return m_bytes.size(); }
    uint64_t Tell() const { return m_cursor; }

    bool Seek(uint64_t position);
    // Next byte, or -1 at the end of the file.
    int Get() { return m_cursor < m_bytes.size() ? m_bytes[m_cursor++] : -1; }
    // Steps back over the byte the last Get returned.
    void Unget()
    {
        if (m_cursor > 0)
            --m_cursor;
    }
    // Exactly `count` bytes, or false.
    bool Read(void* target, size_t count);
    // The bytes from the current position to the end of the file.
    const BYTE* Current() const { return m_bytes.data() + m_cursor; }
    size_t Remaining() const { return m_bytes.size() - m_cursor; }
    void Skip(size_t count) { m_cursor += std::min(count, Remaining()); }

private:
    bool m_open = false;
    std::vector<BYTE> m_bytes;
    size_t m_cursor = 0;
};
