// Any bytes as the user's settings file: every value is read as a number, a string and binary
// data, and each string and byte block written back must read back unchanged.
#include "fuzz/FuzzFolder.h"
#include "platform/sys/Profile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

// Names the file holds as they are asked for: nothing in them is stored escaped.
bool PlainName(const std::string& name)
{
    if (name.empty() || name.front() == ' ' || name.front() == '\t' || name.back() == ' ' || name.back() == '\t')
        return false;
    for (char ch : name)
        if (static_cast<BYTE>(ch) < 0x20 || ch == 0x7F || std::strchr("%=[]", ch))
            return false;
    return true;
}

void CheckValue(CProfile& profile, const char* section, const char* entry)
{
    profile.GetProfileInt(section, entry, 7);
    LPBYTE bytes = nullptr;
    UINT count = 0;
    if (profile.GetProfileBinary(section, entry, &bytes, &count)) {
        std::unique_ptr<BYTE[]> stored(bytes);
        profile.WriteProfileBinary(section, entry, stored.get(), count);
        LPBYTE again = nullptr;
        UINT againCount = 0;
        if (!profile.GetProfileBinary(section, entry, &again, &againCount) || againCount != count ||
            (count && std::memcmp(again, stored.get(), count) != 0))
            std::abort();
        delete[] again;
    }
    CString text = profile.GetProfileString(section, entry, "");
    profile.WriteProfileString(section, entry, text);
    if (profile.GetProfileString(section, entry, "") != text)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzFolder folder;
    static const std::string path = folder.File("settings.ini");
    if (!FuzzFolder::Write(path, data, size))
        return 0;
    CIniFile raw;
    raw.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    CProfile profile(path);
    CProfileBatch batch(profile);
    int checked = 0;
    for (const std::string& section : raw.Sections())
        for (const std::string& entry : raw.Keys(section))
            if (PlainName(section) && PlainName(entry) && ++checked <= 64)
                CheckValue(profile, section.c_str(), entry.c_str());
    return 0;
}
