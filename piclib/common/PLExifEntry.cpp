#include "piclib/common/PLExifEntry.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

// Components shown before the rest is cut off with " ...".
constexpr size_t ShownComponents = 16;
constexpr size_t HexBytesShown = 16;

uint32_t readUnsigned(const uint8_t* p, int width)
{
    switch (width) {
    case 1:
        return p[0];
    case 2: {
        uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    }
    default: {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    }
}

int32_t readSigned(const uint8_t* p, int width)
{
    const uint32_t v = readUnsigned(p, width);
    if (width == 1)
        return static_cast<int8_t>(v);
    if (width == 2)
        return static_cast<int16_t>(v);
    return static_cast<int32_t>(v);
}

bool isTextByte(uint8_t c)
{
    return (c >= 32 && c <= 127) || c == 0 || c == 8 || c == 9 || c == 10 || c == 13;
}

int32_t truncated(double value)
{
    constexpr double low = std::numeric_limits<int32_t>::min();
    constexpr double high = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(std::trunc(value), low, high));
}

std::string escapedChar(uint8_t c)
{
    switch (c) {
    case 8:
        return "\\b";
    case 9:
        return "\\t";
    case 10:
        return "\\n";
    case 13:
        return "\\r";
    default:
        break;
    }
    if (c >= 32 && c <= 127)
        return std::string(1, static_cast<char>(c));
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\0x%02x", c);
    return escaped;
}

void lowerAndCapitalise(std::string& text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!text.empty())
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
}

} // namespace

PLExifEntry::PLExifEntry(const PLExifTagRow* row, uint32_t tag, int format, uint32_t count, std::string key,
    Bytes bytes, uint32_t valueOffset)
    : m_pRow(row)
    , m_pFormat(PLExifFormatOf(format))
    , m_Key(std::move(key))
    , m_Tag(tag)
    , m_Format(format)
    , m_Count(count)
    , m_ByteSize(static_cast<size_t>(m_pFormat->elementBytes) * count)
    , m_pValue(std::move(bytes))
    , m_ValueOffset(valueOffset)
{
}

void PLExifEntry::Format()
{
    m_ValueText.clear();
    size_t done = formatComponent(0);
    while (done < m_Count) {
        if (done >= ShownComponents) {
            m_ValueText += " ...";
            break;
        }
        m_ValueText += ' ';
        done += formatComponent(done);
    }
    if (m_Denominator != 0) {
        m_RealValue = static_cast<double>(m_Numerator) / m_Denominator;
        m_IntValue = truncated(m_RealValue);
    }
    if (m_pRow && m_pRow->formatter)
        m_pRow->formatter(*this);
    else
        m_DisplayText = m_ValueText;
    applyValueNames();
    m_DisplayText.erase(m_DisplayText.find_last_not_of(' ') + 1);
}

size_t PLExifEntry::formatComponent(size_t index)
{
    const int width = m_pFormat->elementBytes;
    const uint8_t* p = m_pValue->data() + index * width;
    char text[32];
    switch (m_pFormat->formatter) {
    case PLExifValueFormatter::Unsigned:
        m_Numerator = static_cast<int32_t>(readUnsigned(p, width));
        m_Denominator = 1;
        m_ValueText += std::to_string(readUnsigned(p, width));
        return 1;
    case PLExifValueFormatter::Signed:
        m_Numerator = readSigned(p, width);
        m_Denominator = 1;
        m_ValueText += std::to_string(m_Numerator);
        return 1;
    case PLExifValueFormatter::UnsignedFraction:
        std::snprintf(text, sizeof text, "%u/%u", readUnsigned(p, 4), readUnsigned(p + 4, 4));
        break;
    case PLExifValueFormatter::SignedFraction:
        std::snprintf(text, sizeof text, "%d/%d", readSigned(p, 4), readSigned(p + 4, 4));
        break;
    case PLExifValueFormatter::Text:
        formatText();
        return m_Count;
    case PLExifValueFormatter::Bytes:
        formatBytes();
        return m_Count;
    }
    m_Numerator = readSigned(p, 4);
    m_Denominator = readSigned(p + 4, 4);
    m_ValueText += text;
    return 1;
}

void PLExifEntry::formatText()
{
    for (size_t i = 0; i < m_ByteSize && (*m_pValue)[i] != 0; ++i)
        m_ValueText += escapedChar((*m_pValue)[i]);
}

void PLExifEntry::formatBytes()
{
    const std::vector<uint8_t>& bytes = *m_pValue;
    if (std::all_of(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(m_ByteSize), isTextByte))
        return formatText();
    for (size_t i = 0; i < std::min(m_ByteSize, HexBytesShown); ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x ", bytes[i]);
        m_ValueText += hex;
    }
    if (m_ByteSize > HexBytesShown)
        m_ValueText += "... ";
}

void PLExifEntry::applyValueNames()
{
    if (!m_pRow || m_pRow->valueNames.empty())
        return;
    const std::span<const PLExifValueName> names = m_pRow->valueNames;
    if (names[0].value == PLExifUnitMarker && names[0].name) {
        m_ValueText += std::string(" ") + names[0].name;
        m_DisplayText += std::string(" ") + names[0].name;
        return;
    }
    if (names[0].value == PLExifWordMarker && !names[0].name) {
        lowerAndCapitalise(m_ValueText);
        lowerAndCapitalise(m_DisplayText);
        return;
    }
    for (const PLExifValueName& pair : names)
        if (pair.value == m_IntValue) {
            SetTexts(pair.name);
            return;
        }
}
