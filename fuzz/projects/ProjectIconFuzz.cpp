// Any bytes as the icon file a user picks for a project (an .ico or a .bmp): it becomes the
// project's 16 x 16 icon or is refused, and nothing may read outside the file or the bitmaps.
#include "fuzz/FuzzFolder.h"
#include "projects/ProjOb.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzFolder folder;
    static const std::string path = folder.File("icon.bmp");
    if (size > (1u << 16) || !FuzzFolder::Write(path, data, size))
        return 0;
    static CProjOb project(nullptr);
    project.LoadIconFile(path.c_str());
    return 0;
}
