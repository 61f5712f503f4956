#include "objects/WaveBuffer.h"

#include "objects/WaveFile.h"

#include "platform/core/Archive.h"
#include "platform/core/File.h"

#include <algorithm>
#include <cstring>

CWaveBuffer::~CWaveBuffer()
{
    delete[] m_data;
}

void CWaveBuffer::Allocate(DWORD count, DWORD elementSize)
{
    BYTE* data = count && elementSize ? new BYTE[size_t(count) * elementSize] : nullptr;
    Attach(data, count, elementSize);
}

void CWaveBuffer::Attach(BYTE* data, DWORD count, DWORD elementSize)
{
    delete[] m_data;
    m_data = data;
    m_count = count;
    m_elementSize = elementSize;
}

BYTE* CWaveBuffer::Release()
{
    BYTE* data = m_data;
    m_data = nullptr;
    m_count = 0;
    return data;
}

void CWaveBuffer::CopyFrom(const void* source, DWORD count, DWORD elementSize)
{
    if (!m_data)
        Allocate(count, elementSize);
    if (!m_data)
        return;
    std::memset(m_data, 0, GetSize());
    std::memcpy(m_data, source, size_t(std::min(m_count, count)) * elementSize);
}

void CWaveBuffer::Serialize(CArchive& archive)
{
    CFile* file = archive.GetFile();
    if (archive.IsStoring()) {
        DWORD header[2] = {m_count, m_elementSize};
        file->Write(header, sizeof header);
        file->Write(m_data, GetSize());
        return;
    }
    DWORD header[2];
    ReadFileExact(archive, header, sizeof header);
    RequireFileBytes(archive, ULONGLONG(header[0]) * header[1]);
    Allocate(header[0], header[1]);
    ReadFileExact(archive, m_data, GetSize());
}
