// One input is the payload of one APP1 marker. Every failure must be code 14, and
// a read leaves every entry in the key map with its value bytes released.
#include "piclib/common/PLExifData.h"
#include "piclib/common/PLTextException.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 65533)
        return 0;
    std::vector<uint8_t> payload(data, data + size);
    jpeg_marker_struct app1{};
    app1.marker = JPEG_APP0 + 1;
    app1.data_length = app1.original_length = static_cast<unsigned>(size);
    app1.data = payload.data();
    PLExifData exif;
    try {
        exif.ReadFromMarkers(&app1);
    } catch (const PLTextException& e) {
        if (e.GetCode() != PL_ERRBAD_EXIF)
            std::abort();
    }
    for (const auto& entry : exif.GetAllEntries())
        if (!exif.GetEntry(entry->GetKey()) || entry->GetValueBytes())
            std::abort();
    return 0;
}
