// Any bytes as the list of catalogues open when the program last ended: each line names a
// catalogue, absolute or relative to the catalogue folder, which holds one sound and one
// broken catalogue. Those that open are closed again before the next input.
#include "fuzz/FuzzFolder.h"
#include "projects/CatManager.h"
#include "projects/CatalogueFolder.h"

#include "platform/ui/TestHook.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace {

const FuzzFolder& Folder()
{
    static const FuzzFolder folder;
    return folder;
}

CString FolderPath() { return std::filesystem::path(Folder().File("x")).parent_path().string().c_str(); }

bool Prepare()
{
    std::error_code error;
    std::filesystem::copy_file(VANTREL_FUZZ_CATALOGUE, Folder().File("one.cat"), error);
    const uint8_t broken[] = {1, 2, 3};
    FuzzFolder::Write(Folder().File("broken.cat"), broken, sizeof broken);
    SetCatalogueFolderSource(&FolderPath);
    return !error;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = Folder().IsUsable() && Prepare();
    if (!ready || size > 1024)
        return 0;
    const std::string list = Folder().File("list.bak");
    if (!FuzzFolder::Write(list, data, size))
        return 0;
    // Every catalogue that fails to open says so in a box.
    while (UiTestHook::PendingMessageBoxAnswers() < 64)
        UiTestHook::QueueMessageBoxAnswer(IDOK);
    CCatManager manager;
    manager.ReadOpenList(list.c_str());
    return 0;
}
