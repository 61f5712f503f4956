// Small catalogues for tests: entries with text data, files in a fresh folder, raw bytes.
#pragma once

#include "projects/Catalogue.h"
#include "projects/CatalogueOb.h"

#include "platform/core/GlobalMemory.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A global block holding the bytes; the caller frees it.
inline HGLOBAL GlobalBlock(const std::string& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!bytes.empty())
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

// An entry with one CF_TEXT representation holding `text` (without its terminator).
inline CCatalogueOb* TextEntry(const char* name, const std::string& text)
{
    auto* entry = new CCatalogueOb;
    entry->SetName(name);
    HGLOBAL block = GlobalBlock(text);
    entry->AddClipboardData(CF_TEXT, block);
    GlobalFree(block);
    return entry;
}

inline Bytes ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void PutDword(Bytes& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

inline uint32_t GetDword(const Bytes& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// A folder of its own for each test, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/catalogue-test-XXXXXX";
        m_path = mkdtemp(pattern);
    }
    ~TempFolder() { std::filesystem::remove_all(m_path); }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};
