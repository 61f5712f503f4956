// Fetching and unpacking dictionaries through the outside download and unzip libraries,
// which are loaded by name for each step and unloaded after it.
#pragma once

#include "platform/core/Types.h"

#include <string>

class CWnd;

// A new, empty file of its own in the temporary folder ("vuz" prefix), removed when the
// object goes, whatever happened in between.
class CTemporaryFile {
public:
    CTemporaryFile();
    ~CTemporaryFile();
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;

    bool IsValid() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// Downloads the address into the file through the progress dialog; false after telling the
// user why (or after the user cancelled).
bool DownloadWithProgress(
    CWnd* parent, const std::string& address, const std::string& localFile, LONG expectedSize);
// Unpacks the one named file of the archive into the folder; false after telling the user.
bool UnzipDictionary(const std::string& zipFile, const std::string& fileName, const std::string& folder);

// The folder with a separator at its end; an empty folder is the library's own.
std::string DictionaryFolder(const char* folder);

// Fetches the list of dictionaries and lets the user pick and install some into the folder;
// true when the download dialog ended with OK.
bool DownloadDictionaries(const char* listAddress, const char* targetFolder);

// Where the list of dictionaries lives unless the caller names another address.
extern const char* const kBuiltInListAddress;
