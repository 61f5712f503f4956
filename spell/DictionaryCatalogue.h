// The main dictionaries of a folder with their language names, for the options dialog.
#pragma once

#include <string>
#include <vector>

struct DictionaryFile {
    std::string fileName; // bare name inside the folder
    std::string languageName;
};

// The language name stored in a dictionary file's header; false when the file is missing,
// short or has no language label.
bool ReadLanguageName(const std::string& path, std::string& name);

// Every "*.lex" entry of the folder that is not a folder itself, sorted by file name. A file
// without a stored language name is listed under its file name (at most 31 characters).
std::vector<DictionaryFile> ListDictionaries(const std::string& folder);
