// Zip archives from outside: unpacking any of them must neither crash nor write anywhere but
// into its target folder.
#include "platform/sys/gwdunz32/UnZip.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char pattern[] = "/tmp/vantrel_unzip_fuzz_XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return 0;
    fs::path work = pattern;
    fs::path target = work / "target";
    fs::create_directory(target);
    std::string zip = (work / "in.zip").string();
    if (std::FILE* file = std::fopen(zip.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    UNZIP_OPTIONS options { zip.c_str(), target.c_str(), TRUE, nullptr };
    UnZip_UnzipFile(0, nullptr, 0, nullptr, &options, nullptr);
    for (const auto& entry : fs::directory_iterator(work))
        if (entry.path() != target && entry.path() != zip)
            std::abort();
    fs::remove_all(work);
    return 0;
}
