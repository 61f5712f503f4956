// A fresh folder under the system's temporary folder, removed with its contents.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

class TempFolder {
public:
    TempFolder()
        : m_Path(std::filesystem::temp_directory_path() /
                 ("piclib_test_" + std::to_string(getpid()) + "_" + std::to_string(s_Counter++)))
    {
        std::filesystem::create_directories(m_Path);
    }
    ~TempFolder() { std::filesystem::remove_all(m_Path); }

    std::string Path(const std::string& name) const { return (m_Path / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }

private:
    static inline int s_Counter = 0;
    std::filesystem::path m_Path;
};

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
