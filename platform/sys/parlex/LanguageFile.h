// Language files: UTF-8 text, one "key=text" a line. In keys and texts "\n", "\r" and "\t"
// stand for a line feed, a carriage return and a tab; "\\", "\=", "\#" and "\;" for those
// characters. The first bare "=" ends the key. Empty lines and lines starting with "#" or ";"
// are comments.
#pragma once

#include <map>
#include <string>
#include <string_view>

struct LanguageTexts {
    std::map<std::string, std::string> texts; // Windows-1252 key -> text
    int brokenLines = 0; // lines without a key, with a bad escape, bad UTF-8 or NUL
};

constexpr size_t kMaxLanguageFileBytes = 4 * 1024 * 1024;

LanguageTexts ParseLanguageFile(std::string_view utf8);
// UTF-8 lines in the same form, keys sorted.
std::string FormatLanguageFile(const std::map<std::string, std::string>& texts);
