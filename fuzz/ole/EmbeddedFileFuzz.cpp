// Any bytes as a file embedded in a page and opened from it: the first byte picks the file's
// name and whether it opens, the rest is the file. It is embedded and judged safe to open or
// not; one in eight is opened (or refused as a program), changed by the "handler" to the bytes
// reversed and read back. Its record is written and read again.
#include "fuzz/FuzzFolder.h"
#include "platform/core/tests/ArchiveBytes.h"
#include "platform/ole/ItemPackage.h"
#include "platform/ole/OleClientItem.h"
#include "platform/ole/OleTestHook.h"
#include "platform/ui/TestHook.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* kNames[] = {"notes.txt", "run.sh", "picture.png", "tool.py", "plain", "launch.desktop",
                                  "page.html", "caf\xe9 \xe0 la.doc"};

constexpr uint8_t kOpen = 8;
// What a file is shows in its first bytes; larger files only take longer to copy and compare.
constexpr size_t kMaxSize = 4096;

std::vector<BYTE> edited;

// The desktop's handler, played: it saves the file with other content.
bool Edit(const char* path) { return FuzzFolder::Write(path, edited.data(), edited.size()); }

Bytes Record(COleClientItem& item)
{
    return StoreBytes([&](CArchive& ar) { item.Serialize(ar); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzFolder folder;
    static const bool hooked = (OleTestHook::SetDesktopOpener(&Edit), true);
    // Opened files get their folders in memory where the system offers it, like the fuzzer's own.
    static const bool inMemory = setenv("TMPDIR", "/dev/shm", 0) == 0;
    if (size < 1 || size > kMaxSize || !folder.IsUsable() || !hooked || !inMemory)
        return 0;
    const char* name = kNames[data[0] % std::size(kNames)];
    const std::string path = folder.File(name);
    if (!FuzzFolder::Write(path, data + 1, size - 1))
        return 0;
    COleClientItem item;
    if (!item.CreateFromFile(path.c_str()))
        return 0;
    edited.assign(data + 1, data + size);
    ole::SafeToOpen(name, edited);
    // An opened file gets a folder and a watch of its own, which take most of an input's time.
    if (data[0] & kOpen) {
        std::reverse(edited.begin(), edited.end());
        if (UiTestHook::PendingMessageBoxAnswers() == 0)
            UiTestHook::QueueMessageBoxAnswer(IDOK);
        if (item.DoVerb(OLEIVERB_OPEN, nullptr, nullptr))
            item.Close(OLECLOSE_SAVEIFDIRTY);
    }
    const Bytes written = Record(item);
    COleClientItem again;
    if (ArchiveCause([&] { LoadBytes(written, [&](CArchive& ar) { again.Serialize(ar); }); }) >= 0 ||
        Record(again) != written)
        std::abort();
    return 0;
}
