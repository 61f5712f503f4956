#include "spell/tools/WordListFile.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iconv.h>
#include <stdexcept>

namespace {

// UTF-8 to the Western code page; false for text it cannot hold or that is not UTF-8.
bool toCodePage(iconv_t converter, const std::string& line, std::string& converted)
{
    converted.assign(line.size(), '\0');
    char* in = const_cast<char*>(line.data());
    size_t inLeft = line.size();
    char* out = converted.data();
    size_t outLeft = converted.size();
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1))
        return false;
    converted.resize(converted.size() - outLeft);
    return true;
}

} // namespace

WordListContents ReadWordListFile(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + fileName);
    iconv_t converter = iconv_open("WINDOWS-1252", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("no UTF-8 converter");
    WordListContents contents;
    std::string line;
    std::string converted;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (toCodePage(converter, line, converted))
            contents.words.push_back(converted);
        else
            ++contents.skipped;
    }
    iconv_close(converter);
    return contents;
}

void WriteFileReplacing(const std::string& fileName, const std::vector<unsigned char>& bytes)
{
    std::string temporary = fileName + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        throw std::runtime_error("cannot write " + temporary);
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), fileName.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw std::runtime_error("cannot write " + fileName);
    }
}
