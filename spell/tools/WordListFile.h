// Word lists for the dictionary tool: one word a line, UTF-8 or plain 8-bit.
#pragma once

#include <string>
#include <vector>

struct WordListContents {
    std::vector<std::string> words; // in the Western 8-bit code page
    size_t skipped = 0; // lines the code page cannot hold
};

// Throws std::runtime_error when the file cannot be read.
WordListContents ReadWordListFile(const std::string& fileName);

// Writes the bytes beside the target and renames, so a failed run keeps the old file.
void WriteFileReplacing(const std::string& fileName, const std::vector<unsigned char>& bytes);
