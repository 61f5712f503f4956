// Any bytes as the user's own word file: words are looked up in it, one is added, and the
// added word must then be found.
#include "fuzz/FuzzFolder.h"
#include "spell/CustomDictionary.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzFolder folder;
    static const std::string path = folder.File("user.dic");
    if (!FuzzFolder::Write(path, data, size))
        return 0;
    CCustomDictionary words(path.c_str());
    char found[CCustomDictionary::kMaxLineLength + 1];
    for (const char* word : { "house", "", "Qu\xC6LITY" })
        words.Find(word, found, sizeof found);
    // A word from the input itself, so that additions of any bytes are tried; it is stored
    // cut at a line break and to its greatest length.
    std::string added(reinterpret_cast<const char*>(data), std::min<size_t>(size, 40));
    added = added.substr(0, std::min(added.find_first_of(std::string("\r\n\0", 3)),
                                     size_t(CCustomDictionary::kMaxAddedLength)));
    if (words.Append(added.c_str()) && !words.Find(added.c_str(), found, sizeof found))
        std::abort();
    return 0;
}
