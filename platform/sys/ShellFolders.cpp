#include "platform/sys/Shell.h"

#include "platform/sys/XdgFolders.h"

#include <cstring>
#include <filesystem>

namespace {

enum class Base { userDir, dataHome, configHome, cacheHome, home };

struct SpecialFolder {
    int id;
    Base base;
    const char* name; // the user-dirs key, or the sub-folder of the base
    const char* fallback; // for a user-dirs key: the folder under home when none is set
};

constexpr SpecialFolder kSpecialFolders[] = {
    { CSIDL_DESKTOP, Base::userDir, "XDG_DESKTOP_DIR", "Desktop" },
    { CSIDL_DESKTOPDIRECTORY, Base::userDir, "XDG_DESKTOP_DIR", "Desktop" },
    { CSIDL_PERSONAL, Base::userDir, "XDG_DOCUMENTS_DIR", "Documents" },
    { CSIDL_MYMUSIC, Base::userDir, "XDG_MUSIC_DIR", "Music" },
    { CSIDL_MYVIDEO, Base::userDir, "XDG_VIDEOS_DIR", "Videos" },
    { CSIDL_MYPICTURES, Base::userDir, "XDG_PICTURES_DIR", "Pictures" },
    { CSIDL_TEMPLATES, Base::userDir, "XDG_TEMPLATES_DIR", "Templates" },
    { CSIDL_PROGRAMS, Base::dataHome, "applications", nullptr },
    { CSIDL_FONTS, Base::dataHome, "fonts", nullptr },
    { CSIDL_LOCAL_APPDATA, Base::dataHome, "", nullptr },
    { CSIDL_APPDATA, Base::configHome, "", nullptr },
    { CSIDL_STARTUP, Base::configHome, "autostart", nullptr },
    { CSIDL_INTERNET_CACHE, Base::cacheHome, "", nullptr },
    { CSIDL_PROFILE, Base::home, "", nullptr },
};

std::string FolderPath(const SpecialFolder& folder)
{
    switch (folder.base) {
    case Base::userDir:
        return XdgUserFolder(folder.name, folder.fallback);
    case Base::dataHome:
        return XdgBaseFolder("XDG_DATA_HOME", ".local/share", folder.name);
    case Base::configHome:
        return XdgBaseFolder("XDG_CONFIG_HOME", ".config", folder.name);
    case Base::cacheHome:
        return XdgBaseFolder("XDG_CACHE_HOME", ".cache", folder.name);
    case Base::home:
        return HomeFolder();
    }
    return {};
}

} // namespace

BOOL SHGetSpecialFolderPath(HWND, LPTSTR path, int folder, BOOL create)
{
    if (path == nullptr)
        return FALSE;
    int id = folder & ~CSIDL_FLAG_CREATE;
    for (const SpecialFolder& entry : kSpecialFolders) {
        if (entry.id != id)
            continue;
        std::string native = FolderPath(entry);
        bool make = create || (folder & CSIDL_FLAG_CREATE) != 0;
        std::error_code error;
        if (native.empty() || (make && !std::filesystem::create_directories(native, error) && error))
            return FALSE;
        CString name = CStringFromUtf8(native);
        if (name.GetLength() >= MAX_PATH)
            return FALSE;
        std::memcpy(path, static_cast<LPCTSTR>(name), static_cast<size_t>(name.GetLength()) + 1);
        return TRUE;
    }
    return FALSE;
}
