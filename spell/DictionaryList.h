// The list file of downloadable dictionaries: one dictionary a line, link lines starting
// with "*", comments starting with ";".
#pragma once

#include <string>
#include <vector>

struct DictionaryEntry {
    std::string fileName; // the ".lex" file inside the archive
    std::string languageName;
    int day = 0;
    int month = 0;
    int year = 0;
    std::string archiveAddress;
    int size = 0;
};

struct DictionaryLink {
    std::string target;
    std::string text;
};

struct DictionaryList {
    std::vector<DictionaryEntry> entries;
    std::vector<DictionaryLink> links;
};

constexpr size_t kDictionaryListLineLength = 1102;

// Entries without an archive address, and entries whose file name is not a plain ".lex"
// name (a folder, a drive or a parent in it), are dropped.
DictionaryList ParseDictionaryList(const std::string& text);
bool IsPlainDictionaryName(const std::string& fileName);
