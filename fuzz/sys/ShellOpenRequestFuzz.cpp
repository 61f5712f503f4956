// Any bytes as a request from a second start. A request that is read whole writes back as
// the same bytes, and each of its files is one that could have been sent.
#include "platform/sys/ShellOpenRequest.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> bytes(data, data + size);
    std::vector<std::string> files;
    const bool complete = DecodeShellOpenRequest(bytes, files) == ShellOpenStatus::complete;
    if (complete ? EncodeShellOpenRequest(files) != bytes : !files.empty())
        std::abort();
    return 0;
}
