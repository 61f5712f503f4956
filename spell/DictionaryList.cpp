#include "spell/DictionaryList.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <strings.h>

namespace {

constexpr char kBlanks[] = " \t";

std::string trim(const std::string& text)
{
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

int number(const std::string& field)
{
    return static_cast<int>(std::strtol(field.c_str(), nullptr, 10));
}

std::vector<std::string> splitFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream stream(line);
    for (std::string field; std::getline(stream, field, ',');)
        fields.push_back(trim(field));
    return fields;
}

int fullYear(int year)
{
    if (year >= 1900)
        return year;
    return year <= 70 ? 2000 + year : 1900 + year;
}

// File name, language, day, month (or "day.month" in one field), year, archive, size.
bool parseEntry(const std::string& line, DictionaryEntry& entry)
{
    std::vector<std::string> fields = splitFields(line);
    // Missing fields read as empty.
    fields.resize(std::max<size_t>(fields.size(), 8));
    entry.fileName = fields[0];
    entry.languageName = fields[1];
    size_t next = 3;
    size_t dot = fields[2].find('.');
    if (dot != std::string::npos) {
        entry.day = number(fields[2].substr(0, dot));
        entry.month = number(fields[2].substr(dot + 1));
    } else {
        entry.day = number(fields[2]);
        entry.month = number(fields[3]);
        next = 4;
    }
    entry.year = fullYear(number(fields[next]));
    entry.archiveAddress = fields[next + 1];
    entry.size = number(fields[next + 2]);
    return !entry.archiveAddress.empty() && IsPlainDictionaryName(entry.fileName);
}

void parseLink(const std::string& line, std::vector<DictionaryLink>& links)
{
    size_t blank = line.find_first_of(kBlanks, 1);
    DictionaryLink link;
    link.target = line.substr(1, blank == std::string::npos ? std::string::npos : blank - 1);
    if (blank != std::string::npos) {
        size_t text = line.find_first_not_of(kBlanks, blank);
        link.text = text == std::string::npos ? std::string() : line.substr(text);
    }
    if (!link.target.empty())
        links.push_back(std::move(link));
}

} // namespace

bool IsPlainDictionaryName(const std::string& fileName)
{
    constexpr char kExtension[] = ".lex";
    constexpr size_t kExtensionLength = sizeof kExtension - 1;
    return fileName.size() > kExtensionLength && fileName.find_first_of("/\\:") == std::string::npos
        && fileName.find("..") == std::string::npos
        && strcasecmp(fileName.c_str() + fileName.size() - kExtensionLength, kExtension) == 0;
}

DictionaryList ParseDictionaryList(const std::string& text)
{
    DictionaryList list;
    std::stringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (line.size() > kDictionaryListLineLength)
            line.resize(kDictionaryListLineLength);
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '*') {
            parseLink(line, list.links);
            continue;
        }
        DictionaryEntry entry;
        if (parseEntry(line, entry))
            list.entries.push_back(std::move(entry));
    }
    return list;
}
