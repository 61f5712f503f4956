#include "platform/sys/parlex/LanguageFile.h"

#include "platform/core/String.h"

#include <optional>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

size_t SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead >> 5) == 0x6)
        return 2;
    if ((lead >> 4) == 0xE)
        return 3;
    return (lead >> 3) == 0x1E ? 4 : 0;
}

bool IsValidUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        size_t length = SequenceLength(static_cast<unsigned char>(text[i]));
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2)
                return false;
        i += length;
    }
    return true;
}

std::string Bytes(const CString& text)
{
    return std::string(text.GetString(), static_cast<size_t>(text.GetLength()));
}

std::optional<char> Unescaped(char ch)
{
    switch (ch) {
    case 'n':
        return '\n';
    case 't':
        return '\t';
    case 'r':
        return '\r';
    case '\\':
    case '=':
    case '#':
    case ';':
        return ch;
    default:
        return std::nullopt;
    }
}

// The key and the text of one line; nullopt when it is broken.
std::optional<std::pair<std::string, std::string>> ParseLine(std::string_view line)
{
    std::string key;
    std::string text;
    std::string* into = &key;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '=' && into == &key) {
            into = &text;
        } else if (line[i] == '\\') {
            std::optional<char> ch = i + 1 < line.size() ? Unescaped(line[++i]) : std::nullopt;
            if (!ch)
                return std::nullopt;
            *into += *ch;
        } else {
            *into += line[i];
        }
    }
    if (into == &key || key.empty())
        return std::nullopt;
    return std::pair { key, text };
}

std::string Escaped(const std::string& text, bool key)
{
    std::string out;
    if (key && !text.empty() && (text.front() == '#' || text.front() == ';'))
        out += '\\';
    for (char ch : text) {
        if (ch == '\n')
            out += "\\n";
        else if (ch == '\t')
            out += "\\t";
        else if (ch == '\r')
            out += "\\r";
        else if (ch == '\\' || (key && ch == '='))
            out += std::string("\\") + ch;
        else
            out += ch;
    }
    return out;
}

} // namespace

LanguageTexts ParseLanguageFile(std::string_view utf8)
{
    LanguageTexts result;
    if (utf8.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        utf8.remove_prefix(kByteOrderMark.size());
    while (!utf8.empty()) {
        size_t end = utf8.find('\n');
        std::string_view line = utf8.substr(0, end);
        utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#' || line.front() == ';')
            continue;
        bool text = IsValidUtf8(line) && line.find('\0') == std::string_view::npos;
        auto entry = text ? ParseLine(line) : std::nullopt;
        if (!entry) {
            ++result.brokenLines;
            continue;
        }
        result.texts[Bytes(CStringFromUtf8(entry->first))] = Bytes(CStringFromUtf8(entry->second));
    }
    return result;
}

std::string FormatLanguageFile(const std::map<std::string, std::string>& texts)
{
    std::string out;
    for (const auto& [key, text] : texts)
        out += ToUtf8(Escaped(key, true)) + "=" + ToUtf8(Escaped(text, false)) + "\n";
    return out;
}
