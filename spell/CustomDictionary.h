// The user's own words: a plain text file, one word a line, searched from the start and
// appended to at the end.
#pragma once

#include <cstdio>
#include <vector>

class CCustomDictionary {
public:
    static constexpr int kMaxAddedLength = 31;
    // A file longer than this takes no more words.
    static constexpr long kMaxFileSize = 130999;
    static constexpr int kMaxLineLength = 254;

    // No name, or a file that cannot be created or opened for reading and writing, leaves
    // the dictionary not usable: it finds nothing and takes nothing.
    explicit CCustomDictionary(const char* fileName);
    ~CCustomDictionary();
    CCustomDictionary(const CCustomDictionary&) = delete;
    CCustomDictionary& operator=(const CCustomDictionary&) = delete;

    bool IsUsable() const { return m_notUsable == 0; }
    // First line equal to the word case-insensitively, copied into the buffer.
    bool Find(const char* word, char* buffer, int size);
    // Appends the word cut to 31 characters and lower-cased; false when nothing was
    // written (not usable, empty word, full file, write error).
    bool Append(const char* word);

private:
    // The file position is at its end before and after.
    bool lastLineEnded();

    int m_notUsable = 1;
    FILE* m_file = nullptr;
    std::vector<char> m_buffer;
};
