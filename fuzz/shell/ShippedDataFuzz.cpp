// Any bytes as one of the data files the program ships and reads at start: the first byte
// picks the links list, the links pane's icon strip or the tips, the rest is the file.
#include "fuzz/FuzzFolder.h"
#include "shell/LinksPane.h"

#include "platform/gdi/GdiObject.h"
#include "platform/toolkit/XTTipOfTheDay.h"
#include "platform/ui/Resources.h"

#include <cstdint>
#include <list>
#include <vector>

namespace {

void ReadLinks(const std::string& path)
{
    std::list<CLinkGroup> groups;
    ReadLinkFile(path.c_str(), groups);
}

void ReadIcons(const uint8_t* data, size_t size)
{
    const std::vector<BYTE> file(data, data + size);
    if (HBITMAP strip = LoadBitmapFromFile(&file)) {
        BITMAP info{};
        ::GetObject(strip, sizeof info, &info);
        ::DeleteObject(strip);
    }
}

void ReadTips(const std::string& path)
{
    CXTTipOfTheDay tips(path.c_str());
    volatile int length = tips.GetCurrentTip().GetLength();
    (void)length;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzFolder folder;
    if (size < 1 || size > (1u << 16) || !folder.IsUsable())
        return 0;
    const std::string path = folder.File("data.txt");
    switch (data[0] % 3) {
    case 0:
        if (FuzzFolder::Write(path, data + 1, size - 1))
            ReadLinks(path);
        break;
    case 1:
        ReadIcons(data + 1, size - 1);
        break;
    default:
        if (FuzzFolder::Write(path, data + 1, size - 1))
            ReadTips(path);
        break;
    }
    return 0;
}
