// A fresh folder under /tmp for one test, removed with everything in it afterwards.
#pragma once

#include <cstdlib>
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
