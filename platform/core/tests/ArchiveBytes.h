// Helpers for archive tests: store into memory and compare bytes, load from given bytes.
#pragma once

#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"

#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <vector>

using Bytes = std::vector<BYTE>;

inline Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

inline Bytes Repeat(BYTE value, size_t count) { return Bytes(count, value); }

inline Bytes StoreBytes(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    const auto length = static_cast<size_t>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + length);
    std::free(data);
    return bytes;
}

// Loads through a memory file attached to a copy of the bytes.
inline void LoadBytes(Bytes bytes, const std::function<void(CArchive&)>& read)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

// The cause of the exception of kind E that `action` throws, or -1 when it throws none.
template <class E>
int CauseOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (E* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

inline int ArchiveCause(const std::function<void()>& action) { return CauseOf<CArchiveException>(action); }
