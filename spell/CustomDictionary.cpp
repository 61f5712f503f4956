#include "spell/CustomDictionary.h"

#include "spell/CharacterServices.h"
#include "spell/TextBuffer.h"

#include <cstring>

CCustomDictionary::CCustomDictionary(const char* fileName)
{
    if (fileName == nullptr || *fileName == 0)
        return;
    if (FILE* created = std::fopen(fileName, "ab"))
        std::fclose(created);
    m_file = std::fopen(fileName, "r+b");
    if (m_file == nullptr)
        return;
    m_buffer.resize(32000);
    std::setvbuf(m_file, m_buffer.data(), _IOFBF, m_buffer.size());
    m_notUsable = 0;
}

CCustomDictionary::~CCustomDictionary()
{
    if (m_file != nullptr)
        std::fclose(m_file);
}

bool CCustomDictionary::Find(const char* word, char* buffer, int size)
{
    if (!IsUsable() || word == nullptr || std::fseek(m_file, 0, SEEK_SET) != 0)
        return false;
    char line[kMaxLineLength + 1];
    while (std::fgets(line, sizeof line, m_file) != nullptr) {
        line[std::strcspn(line, "\r\n")] = 0;
        if (CharacterServices::CompareNoCase(line, word) == 0) {
            CopyToBuffer(buffer, size, line);
            return true;
        }
    }
    return false;
}

bool CCustomDictionary::lastLineEnded()
{
    if (std::ftell(m_file) <= 0)
        return true;
    bool ended = std::fseek(m_file, -1, SEEK_END) == 0 && std::fgetc(m_file) == '\n';
    std::fseek(m_file, 0, SEEK_END);
    return ended;
}

bool CCustomDictionary::Append(const char* word)
{
    if (!IsUsable() || word == nullptr)
        return false;
    char cut[kMaxAddedLength + 1];
    CopyToBuffer(cut, sizeof cut, word);
    // A line break inside the word would write two lines.
    cut[std::strcspn(cut, "\r\n")] = 0;
    if (cut[0] == 0)
        return false;
    CharacterServices::MakeLower(cut);
    if (std::fseek(m_file, 0, SEEK_END) != 0 || std::ftell(m_file) > kMaxFileSize)
        return false;
    // Lines end in CR LF on disk, as the dictionaries users already have. A last line written
    // without its break by another editor is ended first, or the word would run on into it.
    bool written = (lastLineEnded() || std::fputs("\r\n", m_file) >= 0) && std::fputs(cut, m_file) >= 0 &&
                   std::fputs("\r\n", m_file) >= 0;
    return std::fflush(m_file) == 0 && written;
}
