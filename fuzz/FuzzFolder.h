// A private folder for the files that fuzz targets hand to readers by name, in memory where
// the system offers it; it goes, with everything in it, when the fuzzer ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

class FuzzFolder {
public:
    FuzzFolder()
    {
        for (std::string base : {"/dev/shm", "/tmp"}) {
            std::string name = base + "/vantrel-fuzz-XXXXXX";
            if (mkdtemp(name.data())) {
                m_path = name;
                return;
            }
        }
    }
    ~FuzzFolder()
    {
        if (!m_path.empty())
            std::filesystem::remove_all(m_path);
    }
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;

    bool IsUsable() const { return !m_path.empty(); }
    std::string File(const char* name) const { return m_path + "/" + name; }

    // Replaces the file's content with the bytes.
    static bool Write(const std::string& file, const uint8_t* data, size_t size)
    {
        FILE* out = std::fopen(file.c_str(), "wb");
        if (!out)
            return false;
        bool written = size == 0 || std::fwrite(data, 1, size, out) == size;
        return std::fclose(out) == 0 && written;
    }

private:
    std::string m_path;
};
