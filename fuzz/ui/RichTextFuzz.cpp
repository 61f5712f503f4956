// Any bytes as RTF: reading must stop cleanly wherever the input does, and what was read
// must come back the same after it is written out and read again.
#include "platform/ui/RichText.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RichText first;
    if (!first.ReadRtf(std::string(reinterpret_cast<const char*>(data), size)))
        return 0;
    RichText second;
    if (!second.ReadRtf(first.WriteRtf()) || second.runs.size() != first.runs.size())
        std::abort();
    for (size_t i = 0; i < first.runs.size(); ++i)
        if (second.runs[i].text != first.runs[i].text || !(second.runs[i].format == first.runs[i].format))
            std::abort();
    return 0;
}
