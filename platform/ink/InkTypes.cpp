#include "platform/ink/InkTypes.h"

#include <cctype>
#include <cstdio>

namespace {

// Byte order of the text form: the first three groups are little-endian numbers.
constexpr int kByteAt[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
constexpr const char* kShape = "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}";

int HexValue(char c)
{
    if (std::isdigit(static_cast<unsigned char>(c)))
        return c - '0';
    c = char(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

}  // namespace

std::optional<InkGuid> ParseInkGuid(const std::string& text)
{
    if (text.size() != 38)
        return std::nullopt;
    std::array<BYTE, 16> textOrder{};
    int nibble = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (kShape[i] != 'x') {
            if (text[i] != kShape[i])
                return std::nullopt;
            continue;
        }
        int v = HexValue(text[i]);
        if (v < 0)
            return std::nullopt;
        textOrder[size_t(nibble / 2)] = BYTE(textOrder[size_t(nibble / 2)] << 4 | v);
        ++nibble;
    }
    InkGuid guid{};
    for (int i = 0; i < 16; ++i)
        guid[size_t(kByteAt[i])] = textOrder[size_t(i)];
    return guid;
}

std::string FormatInkGuid(const InkGuid& g)
{
    char text[39];
    std::snprintf(text, sizeof text, "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g[3],
                  g[2], g[1], g[0], g[5], g[4], g[7], g[6], g[8], g[9], g[10], g[11], g[12], g[13], g[14], g[15]);
    return text;
}
