#include "spell/DictionaryDownload.h"

#include "spell/DictionaryList.h"
#include "spell/DownloadDialog.h"
#include "spell/DownloadProgressDialog.h"
#include "spell/LexigardDialogs.h"
#include "spell/LibraryMessage.h"
#include "spell/LibraryPaths.h"

#include "platform/sys/Library.h"
#include "platform/sys/gteinet/InetDownload.h"
#include "platform/sys/gwdunz32/UnZip.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

const char* const kBuiltInListAddress = "https://dictionaries.vantrel.example/install/dictionaries.ins";

namespace {

constexpr LONG kListExpectedSize = 2000;
constexpr char kCannotUnzip[]
    = "Error unzipping file(s). Please be sure that the Internet connection is not interrupted.";
constexpr char kNoUnzipLibrary[]
    = "Cannot load GWDUNZ32.DLL. File is missing or has been deleted. Please re-install the product.";

// An outside library, looked up by its plain name and then in this library's folder.
class COutsideLibrary {
public:
    explicit COutsideLibrary(const char* name)
    {
        m_module = ::LoadLibrary(name);
        if (m_module == nullptr)
            m_module = ::LoadLibrary((GetLibraryFolder() + "/" + SharedLibraryFileName(name)).c_str());
    }
    ~COutsideLibrary()
    {
        if (m_module != nullptr)
            ::FreeLibrary(m_module);
    }
    COutsideLibrary(const COutsideLibrary&) = delete;
    COutsideLibrary& operator=(const COutsideLibrary&) = delete;

    template <typename Function> Function Find(const char* function) const
    {
        return m_module == nullptr ? nullptr
                                   : reinterpret_cast<Function>(::GetProcAddress(m_module, function));
    }

private:
    HMODULE m_module = nullptr;
};

void swallow(void*, LPCSTR)
{
}

// The folder as the unzip library takes it: without a trailing separator, unless it is the root.
std::string withoutTrailingSeparator(std::string folder)
{
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    return folder;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

CTemporaryFile::CTemporaryFile()
{
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error)
        return;
    std::string pattern = (folder / "vuzXXXXXX").string();
    int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return;
    ::close(fd);
    m_path = pattern;
}

CTemporaryFile::~CTemporaryFile()
{
    if (!m_path.empty())
        std::remove(m_path.c_str());
}

bool DownloadWithProgress(
    CWnd* parent, const std::string& address, const std::string& localFile, LONG expectedSize)
{
    COutsideLibrary library("GTEINET.DLL");
    auto download = library.Find<INET_DOWNLOADFILE>("Inet_DownloadFile");
    if (download == nullptr) {
        ShowLibraryMessage("Cannot load GTEINET.DLL file. The file missing or has been deleted.\n"
                           "Please install the product again.");
        return false;
    }
    RegisterLexigardDialogs();
    CDownloadProgressDialog progress(parent, download, address, localFile, expectedSize);
    return progress.DoModal() == IDOK;
}

bool UnzipDictionary(const std::string& zipFile, const std::string& fileName, const std::string& folder)
{
    COutsideLibrary library("gwdunz32.dll");
    auto unzip = library.Find<UNZIP_UNZIPFILE>("UnZip_UnzipFile");
    if (unzip == nullptr) {
        ShowLibraryMessage(kNoUnzipLibrary);
        return false;
    }
    // Only a plain ".lex" name is ever unpacked, so nothing lands outside the folder.
    if (!IsPlainDictionaryName(fileName)) {
        ShowLibraryMessage(kCannotUnzip);
        return false;
    }
    std::string target = withoutTrailingSeparator(folder);
    LPCSTR names[] = { fileName.c_str() };
    UNZIP_OPTIONS options { zipFile.c_str(), target.c_str(), TRUE, nullptr };
    UNZIP_CALLBACKS callbacks { nullptr, swallow };
    if (unzip(1, names, 0, nullptr, &options, &callbacks) != UNZIP_OK) {
        ShowLibraryMessage(kCannotUnzip);
        return false;
    }
    return true;
}

std::string DictionaryFolder(const char* folder)
{
    std::string path = folder == nullptr || *folder == 0 ? GetLibraryFolder() : std::string(folder);
    if (path.empty() || (path.back() != '/' && path.back() != '\\'))
        path += '/';
    return path;
}

bool DownloadDictionaries(const char* listAddress, const char* targetFolder)
{
    std::string address = listAddress == nullptr || *listAddress == 0 ? kBuiltInListAddress : listAddress;
    DictionaryList list;
    {
        CTemporaryFile listFile;
        if (!listFile.IsValid()
            || !DownloadWithProgress(nullptr, address, listFile.Path(), kListExpectedSize))
            return false;
        list = ParseDictionaryList(readFile(listFile.Path()));
    }
    if (list.entries.empty())
        return false;
    RegisterLexigardDialogs();
    CDownloadDialog dialog(std::move(list), DictionaryFolder(targetFolder));
    return dialog.DoModal() == IDOK;
}
