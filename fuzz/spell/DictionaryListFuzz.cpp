// Feeds arbitrary bytes to the reader of the downloaded list of dictionaries, then checks
// that every entry it keeps has an archive and a plain ".lex" name.
#include "spell/DictionaryList.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DictionaryList list = ParseDictionaryList(std::string(reinterpret_cast<const char*>(data), size));
    for (const DictionaryEntry& entry : list.entries)
        if (entry.archiveAddress.empty() || !IsPlainDictionaryName(entry.fileName))
            std::abort();
    for (const DictionaryLink& link : list.links)
        if (link.target.empty())
            std::abort();
    return 0;
}
