// Writing records to bytes and reading them back from bytes, for record tests.
#pragma once

#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/MemFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline Bytes StoreBytes(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store, 512);
        write(archive);
        archive.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Reads from the bytes; returns how many bytes the reader consumed. The archive's buffer is no
// larger than the bytes: fuzz targets read many small records per input.
inline size_t LoadBytes(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    Bytes copy = bytes;
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive archive(&file, CArchive::load, static_cast<int>(std::min<size_t>(bytes.size(), 4096)));
    read(archive);
    archive.Flush();
    size_t consumed = static_cast<size_t>(file.GetPosition());
    archive.Close();
    return consumed;
}

// TRUE when reading throws the archive exception (which is then freed).
inline bool LoadThrowsArchiveException(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    try {
        LoadBytes(bytes, read);
    } catch (CArchiveException* e) {
        e->Delete();
        return true;
    }
    return false;
}

inline Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The archive's short string form: a length byte and the characters.
inline Bytes ShortString(const char* text)
{
    Bytes bytes{static_cast<uint8_t>(std::char_traits<char>::length(text))};
    for (; *text; ++text)
        bytes.push_back(static_cast<uint8_t>(*text));
    return bytes;
}

inline Bytes Dword(uint32_t value)
{
    return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
            static_cast<uint8_t>(value >> 24)};
}

inline Bytes Word(uint16_t value)
{
    return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
}

inline Bytes Double(double value)
{
    Bytes bytes(8);
    std::memcpy(bytes.data(), &value, 8);
    return bytes;
}

// The bytes a record stores.
template <typename Record>
Bytes Stored(Record& record)
{
    return StoreBytes([&](CArchive& ar) { record.Serialize(ar); });
}
