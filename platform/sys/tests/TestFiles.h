// Test helpers: a fresh folder under /tmp removed with everything in it afterwards,
// whole-file reads and writes, and what an outside tool prints.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/vantrel_sys_XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            throw std::runtime_error("no temporary folder");
        m_path = pattern;
    }
    ~TempFolder() { std::system(("rm -rf '" + m_path + "'").c_str()); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

inline std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The standard output of a shell command line; empty when it could not be started.
inline std::string CommandOutput(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        pclose(pipe);
    }
    return output;
}
