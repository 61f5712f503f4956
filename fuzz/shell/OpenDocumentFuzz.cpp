// Any bytes as a document file opened through File > Open of the running program: the frame
// record applied to its window, every page in a view of its own, the thumbnail and the objects'
// files, all drawn once, then closed. Opening may only open or say why it could not.
#include "fuzz/FuzzFolder.h"
#include "fuzz/shell/FuzzProgram.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzFolder folder;
    if (size > (1 << 20) || !folder.IsUsable())
        return 0;
    FuzzProgram& program = FuzzProgram::Get();
    const std::string path = folder.File("input.trn");
    if (!FuzzFolder::Write(path, data, size))
        return 0;
    program.Open(path);
    program.CloseAll();
    return 0;
}
