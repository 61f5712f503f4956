// Reads arbitrary bytes as a picture another program put on the clipboard. A block is either
// refused or becomes a .bmp file of the packed picture behind a 14-byte header that points
// inside it; the picture reader then takes or refuses that file.
#include "View/HyperOleViewDib.h"
#include "imaging/ExtDib.h"
#include "platform/core/MemFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<BYTE> file = BmpFileFromPackedDib(data, size);
    if (file.empty())
        return 0;
    DWORD length = 0, bits = 0;
    std::memcpy(&length, &file[2], 4);
    std::memcpy(&bits, &file[10], 4);
    if (file.size() > 14 + size || length != file.size() || bits >= file.size() ||
        std::memcmp(&file[14], data, file.size() - 14) != 0)
        std::abort();
    CMemFile memory(file.data(), static_cast<UINT>(file.size()));
    CExtDib picture;
    picture.Read(&memory, nullptr);
    return 0;
}
