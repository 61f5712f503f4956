// Bar state and contents, shortcut keys and pane layouts from the profile: no record may crash the readers, and a record
// that reads writes back the same bytes.
#include "platform/toolkit/XTPStateRecords.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<XTPBarStateEntry> bars;
    if (DecodeBarState(data, size, bars) && EncodeBarState(bars) != std::vector<BYTE>(data, data + size))
        std::abort();
    std::vector<XTPPaneGroupEntry> groups;
    if (DecodePaneLayout(data, size, groups) && EncodePaneLayout(groups) != std::vector<BYTE>(data, data + size))
        std::abort();
    std::vector<ACCEL> keys;
    if (DecodeKeyTable(data, size, keys) && EncodeKeyTable(keys) != std::vector<BYTE>(data, data + size))
        std::abort();
    std::vector<XTPBarContentEntry> content;
    if (DecodeBarContent(data, size, content) && EncodeBarContent(content) != std::vector<BYTE>(data, data + size))
        std::abort();
    return 0;
}
