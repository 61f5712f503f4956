#include "platform/sys/gwdunz32/UnZip.h"

#include "platform/core/FilePath.h"

#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct Entry {
    zip_uint64_t index;
    std::string name;
    zip_uint64_t size;
};

void Say(const UNZIP_CALLBACKS* callbacks, const std::string& text)
{
    if (callbacks != nullptr && callbacks->print != nullptr)
        callbacks->print(callbacks->context, text.c_str());
}

// Plain relative names only: no root, drive, backslash or ".." part.
bool IsSafeName(const std::string& name)
{
    if (name.empty() || name.front() == '/' || name.find_first_of("\\:") != std::string::npos)
        return false;
    for (const fs::path& part : fs::path(name))
        if (part == "..")
            return false;
    return name.back() != '/';
}

std::set<std::string> NameSet(int count, const LPCSTR* names)
{
    std::set<std::string> set;
    for (int i = 0; i < count && names != nullptr; ++i)
        if (names[i] != nullptr)
            set.insert(names[i]);
    return set;
}

int FindEntries(zip_t* archive, const std::set<std::string>& wanted, const std::set<std::string>& excluded,
    std::vector<Entry>& entries)
{
    std::set<std::string> found;
    zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t info;
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &info) != 0 || info.name == nullptr)
            return UNZIP_DAMAGED;
        std::string name = info.name;
        bool folder = !name.empty() && name.back() == '/';
        if (folder || excluded.contains(name) || (!wanted.empty() && !wanted.contains(name)))
            continue;
        if (!IsSafeName(name))
            return UNZIP_UNSAFE_NAME;
        if (info.size > kUnzipMaxEntryBytes)
            return UNZIP_TOO_LARGE;
        found.insert(name);
        entries.push_back({ static_cast<zip_uint64_t>(i), name, info.size });
    }
    for (const std::string& name : wanted)
        if (!found.contains(name) && !excluded.contains(name))
            return IsSafeName(name) ? UNZIP_NO_ENTRY : UNZIP_UNSAFE_NAME;
    return UNZIP_OK;
}

bool CopyData(zip_file_t* source, std::FILE* target, zip_uint64_t size)
{
    char buffer[64 * 1024];
    zip_uint64_t total = 0;
    zip_int64_t got = 0;
    while ((got = zip_fread(source, buffer, sizeof buffer)) > 0) {
        total += static_cast<zip_uint64_t>(got);
        if (total > size
            || std::fwrite(buffer, 1, static_cast<size_t>(got), target) != static_cast<size_t>(got))
            return false;
    }
    return got == 0 && total == size;
}

// A sub-folder that is a link must not lead the file out of the target folder.
bool StaysInside(const fs::path& path, const fs::path& folder)
{
    std::error_code error;
    fs::path real = fs::weakly_canonical(path, error);
    fs::path root = fs::canonical(folder, error);
    auto [end, unused] = std::mismatch(root.begin(), root.end(), real.begin(), real.end());
    return !error && end == root.end();
}

int Extract(zip_t* archive, const Entry& entry, const fs::path& folder, bool overwrite)
{
    fs::path target = folder / entry.name;
    std::error_code error;
    if (!StaysInside(target.parent_path(), folder))
        return UNZIP_UNSAFE_NAME;
    if (!overwrite && fs::exists(target, error))
        return UNZIP_CANNOT_WRITE;
    fs::create_directories(target.parent_path(), error);
    std::string part = target.string() + ".XXXXXX";
    int descriptor = mkstemp(part.data());
    if (descriptor < 0)
        return UNZIP_CANNOT_WRITE;
    std::FILE* file = fdopen(descriptor, "wb");
    std::unique_ptr<zip_file_t, EntryCloser> source(zip_fopen_index(archive, entry.index, 0));
    int result = file == nullptr                               ? UNZIP_CANNOT_WRITE
        : !source || !CopyData(source.get(), file, entry.size) ? UNZIP_DAMAGED
                                                               : UNZIP_OK;
    if (file != nullptr ? std::fclose(file) != 0 : close(descriptor) != 0)
        result = result == UNZIP_OK ? UNZIP_CANNOT_WRITE : result;
    if (result == UNZIP_OK && std::rename(part.c_str(), target.c_str()) != 0)
        result = UNZIP_CANNOT_WRITE;
    if (result != UNZIP_OK)
        std::remove(part.c_str());
    return result;
}

Archive OpenArchive(const UNZIP_OPTIONS& options)
{
    int error = 0;
    Archive archive(
        zip_open(SystemPathFromName(options.zipFile).c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (archive && options.password != nullptr && *options.password != '\0')
        zip_set_default_password(archive.get(), options.password);
    return archive;
}

int Unzip(const std::set<std::string>& wanted, const std::set<std::string>& excluded,
    const UNZIP_OPTIONS& options, const UNZIP_CALLBACKS* callbacks)
{
    fs::path folder = SystemPathFromName(options.targetFolder);
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return UNZIP_CANNOT_WRITE;
    Archive archive = OpenArchive(options);
    if (!archive)
        return UNZIP_NO_ARCHIVE;
    std::vector<Entry> entries;
    int result = FindEntries(archive.get(), wanted, excluded, entries);
    for (size_t i = 0; i < entries.size() && result == UNZIP_OK; ++i) {
        Say(callbacks, "inflating: " + entries[i].name);
        result = Extract(archive.get(), entries[i], folder, options.overwrite != FALSE);
    }
    return result;
}

} // namespace

int UnZip_UnzipFile(int nameCount, const LPCSTR* names, int excludeCount, const LPCSTR* excludes,
    const UNZIP_OPTIONS* options, const UNZIP_CALLBACKS* callbacks)
{
    if (options == nullptr || options->zipFile == nullptr || options->targetFolder == nullptr || nameCount < 0
        || excludeCount < 0)
        return UNZIP_BAD_ARGUMENTS;
    int result = Unzip(NameSet(nameCount, names), NameSet(excludeCount, excludes), *options, callbacks);
    if (result != UNZIP_OK)
        Say(callbacks, "unzip failed with code " + std::to_string(result));
    return result;
}
