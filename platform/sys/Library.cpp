#include "platform/sys/Library.h"

#include "platform/core/FilePath.h"
#include "platform/sys/OrdinalExports.h"

#include <dlfcn.h>
#include <filesystem>
#include <string>

namespace {

bool EndsWithDll(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    for (char& ch : tail)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return tail == ".dll";
}

void* OpenLibrary(const std::string& path)
{
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

bool IsOrdinal(LPCSTR procName)
{
    return (reinterpret_cast<uintptr_t>(procName) >> 16) == 0;
}

FARPROC ProcByOrdinal(void* library, WORD ordinal)
{
    auto table = static_cast<const ORDINAL_EXPORTS*>(dlsym(library, kOrdinalExportsSymbol));
    if (table == nullptr || table->procs == nullptr || ordinal < table->base
        || ordinal - table->base >= table->count)
        return nullptr;
    return reinterpret_cast<FARPROC>(table->procs[ordinal - table->base]);
}

} // namespace

std::vector<std::string> ProgramLibraryFolders()
{
    std::error_code error;
    std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    return { folder.string(), (folder.parent_path() / "lib").string() };
}

std::string SharedLibraryFileName(LPCTSTR fileName)
{
    std::string name = SystemPathFromName(fileName);
    if (!EndsWithDll(name))
        return name;
    std::filesystem::path path(name.substr(0, name.size() - 4));
    std::string stem = path.filename().string();
    for (char& ch : stem)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return (path.parent_path() / ("lib" + stem + ".so")).string();
}

HMODULE LoadLibrary(LPCTSTR fileName)
{
    if (fileName == nullptr || *fileName == '\0')
        return nullptr;
    std::string name = SharedLibraryFileName(fileName);
    void* library = OpenLibrary(name);
    if (name.find('/') != std::string::npos)
        return static_cast<HMODULE>(library);
    for (const std::string& folder : ProgramLibraryFolders())
        if (library == nullptr)
            library = OpenLibrary(folder + "/" + name);
    return static_cast<HMODULE>(library);
}

BOOL FreeLibrary(HMODULE module)
{
    return module != nullptr && dlclose(module) == 0;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName)
{
    if (module == nullptr || procName == nullptr)
        return nullptr;
    if (IsOrdinal(procName))
        return ProcByOrdinal(module, static_cast<WORD>(reinterpret_cast<uintptr_t>(procName)));
    return reinterpret_cast<FARPROC>(dlsym(module, procName));
}
