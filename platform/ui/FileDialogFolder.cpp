#include "platform/ui/FileDialogFolder.h"

#include "platform/ui/WinApp.h"

#include <QDir>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

namespace {

std::string remembered;

bool IsFolder(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

std::string FolderOf(const std::string& path) { return std::filesystem::path(path).parent_path().string(); }

std::string RecentFileFolder()
{
    CWinApp* app = AfxGetApp();
    CRecentFileList* recent = app ? app->m_pRecentFileList : nullptr;
    return recent && recent->GetSize() > 0 ? FolderOf(static_cast<LPCTSTR>((*recent)[0])) : std::string();
}

std::string UserFolder()
{
    for (const std::string& folder : {remembered, RecentFileFolder()})
        if (IsFolder(folder))
            return folder;
    const std::string documents =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toLocal8Bit().toStdString();
    return IsFolder(documents) ? documents : QDir::homePath().toLocal8Bit().toStdString();
}

} // namespace

namespace FileDialogFolder {

std::string StartOf(const char* initialFolder, const char* proposedName)
{
    const std::string name = proposedName ? proposedName : "";
    if (initialFolder && *initialFolder)
        return std::string(initialFolder) + "/" + name;
    if (!name.empty() && name.front() == '/')
        return name;
    return UserFolder() + "/" + name;
}

void Remember(const std::string& chosenPath)
{
    if (!chosenPath.empty() && chosenPath.front() == '/')
        remembered = FolderOf(chosenPath);
}

void Forget() { remembered.clear(); }

} // namespace FileDialogFolder
