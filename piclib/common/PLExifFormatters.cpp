#include "piclib/common/PLExifFormatters.h"

#include "piclib/common/PLExifEntry.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

// A double as a default-formatted stream writes it: six significant digits.
std::string realText(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    return std::string(text, result.ptr);
}

double ratio(const PLExifEntry& entry)
{
    return static_cast<double>(entry.GetNumerator()) / entry.GetDenominator();
}

// One decimal place, rounded half up.
std::string tenths(double value)
{
    return realText(std::floor(value * 10 + 0.5) * 0.1);
}

} // namespace

void PLExifFormatExposureTime(PLExifEntry& entry)
{
    const int64_t n = entry.GetNumerator();
    const int64_t d = entry.GetDenominator();
    if (d != 0 && n >= d)
        entry.SetDisplayText(realText(ratio(entry)));
    else if (n == 0 || n == 1)
        entry.SetDisplayText(entry.GetValueText());
    else
        entry.SetDisplayText("1/" + std::to_string(d / n));
}

void PLExifFormatFNumber(PLExifEntry& entry)
{
    if (entry.GetDenominator() != 0)
        entry.SetDisplayText(std::string(1, 'f').append(tenths(ratio(entry))));
}

void PLExifFormatShutterApex(PLExifEntry& entry)
{
    if (entry.GetDenominator() != 0)
        entry.SetDisplayText("1/" + realText(std::floor(std::pow(2.0, ratio(entry)) + 0.5)) + " s");
}

void PLExifFormatApertureApex(PLExifEntry& entry)
{
    if (entry.GetDenominator() != 0)
        entry.SetDisplayText(std::string(1, 'f').append(tenths(std::pow(1.4142, ratio(entry)))));
}

void PLExifFormatDecimal(PLExifEntry& entry)
{
    if (entry.GetDenominator() != 0)
        entry.SetDisplayText(realText(ratio(entry)));
}

void PLExifFormatComponents(PLExifEntry& entry)
{
    static const char* const names[] = { "", "Y", "Cb", "Cr", "R", "G", "B" };
    std::istringstream words(entry.GetValueText());
    std::string text;
    std::string word;
    for (int i = 0; i < 4 && words >> word; ++i) {
        const bool known = word.size() == 2 && word[0] == '0' && word[1] >= '0' && word[1] <= '6';
        text += known ? names[word[1] - '0'] : " " + word;
    }
    entry.SetDisplayText(text);
}

void PLExifFormatCanonImageNumber(PLExifEntry& entry)
{
    char text[32];
    std::snprintf(text, sizeof text, "%03d-%04d", entry.GetIntValue() / 10000, entry.GetIntValue() % 10000);
    entry.SetDisplayText(text);
}

void PLExifFormatCanonSerialNumber(PLExifEntry& entry)
{
    const auto value = static_cast<uint32_t>(entry.GetIntValue());
    char text[32];
    std::snprintf(text, sizeof text, "%04x%05u", value >> 16, value & 0xFFFF);
    entry.SetDisplayText(text);
}

void PLExifFormatCanonFlashDetails(PLExifEntry& entry)
{
    static const struct {
        int bit;
        const char* word;
    } words[] = { { 14, "External E-TTL " }, { 13, "Internal Flash " }, { 11, "FP sync used " },
        { 4, "FP sync enabled " } };
    std::string text;
    for (const auto& w : words)
        if (entry.GetIntValue() & (1 << w.bit))
            text += w.word;
    entry.SetDisplayText(text);
}

void PLExifFormatCanonFocusPoint(PLExifEntry& entry)
{
    static const char* const points[] = { "Right", "Centre", "Left" };
    const int32_t value = entry.GetIntValue();
    const int32_t point = value & 0x0FFF;
    entry.SetDisplayText((value & 0xF000) && point < 3 ? points[point] : "");
}
