// A block of sound elements (sample frames, or codec blocks of a compressed format), owned.
#pragma once

#include "platform/core/Types.h"

class CArchive;

class CWaveBuffer {
public:
    CWaveBuffer() = default;
    CWaveBuffer(const CWaveBuffer&) = delete;
    CWaveBuffer& operator=(const CWaveBuffer&) = delete;
    virtual ~CWaveBuffer();

    // A new, uninitialised block of count elements; count 0 gives an empty buffer.
    void Allocate(DWORD count, DWORD elementSize);
    // Takes ownership of a block made with new BYTE[].
    void Attach(BYTE* data, DWORD count, DWORD elementSize);
    // Zeroes the block and copies as many whole elements as it holds; allocates count
    // elements first when it has none. Never grows an existing block.
    void CopyFrom(const void* source, DWORD count, DWORD elementSize);

    // Gives up the block to the caller, leaving the buffer empty.
    BYTE* Release();

    BYTE* GetData() const { return m_data; }
    DWORD GetCount() const { return m_count; }
    DWORD GetElementSize() const { return m_elementSize; }
    DWORD GetSize() const { return m_count * m_elementSize; }
    void SetElementSize(DWORD elementSize) { m_elementSize = elementSize; }

    // The sample record: count, element size, the bytes; written straight to the archive's file.
    void Serialize(CArchive& archive);

private:
    DWORD m_elementSize = 0;
    BYTE* m_data = nullptr;
    DWORD m_count = 0;
};
