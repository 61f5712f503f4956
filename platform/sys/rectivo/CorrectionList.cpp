#include "platform/sys/rectivo/CorrectionList.h"

#include "platform/core/CodePage.h"

#include <algorithm>

namespace {

constexpr const char* kReplaceWith = "ReplaceWith";
constexpr const char* kExceptions = "FirstLetterExceptions";

bool IsUpper(char ch)
{
    return IsCharUpper(ch) != FALSE;
}

bool IsLower(char ch)
{
    return IsCharLower(ch) != FALSE;
}

char Upper(char ch)
{
    return static_cast<char>(UpperCase1252(static_cast<BYTE>(ch)));
}

char Lower(char ch)
{
    return static_cast<char>(LowerCase1252(static_cast<BYTE>(ch)));
}

std::string Transformed(std::string text, char (*change)(char))
{
    std::transform(text.begin(), text.end(), text.begin(), change);
    return text;
}

// The typed word's capitals carry over: "TEH" -> "THE", "Teh" -> "The".
std::string WithCapitalsOf(const std::string& word, std::string replacement)
{
    bool allUpper = word.size() > 1 && std::none_of(word.begin(), word.end(), IsLower)
        && std::any_of(word.begin(), word.end(), IsUpper);
    if (allUpper)
        return Transformed(replacement, Upper);
    if (!word.empty() && IsUpper(word[0]) && !replacement.empty())
        replacement[0] = Upper(replacement[0]);
    return replacement;
}

// "TWo" -> "Two": two capitals, then small letters only.
bool HasTwoInitialCaps(const std::string& word)
{
    return word.size() > 2 && IsUpper(word[0]) && IsUpper(word[1])
        && std::all_of(word.begin() + 2, word.end(), IsLower);
}

// "hELLO" -> "Hello": typed with caps lock on and shift held for the first letter.
bool LooksCapsLocked(const std::string& word)
{
    return word.size() > 1 && IsLower(word[0]) && std::all_of(word.begin() + 1, word.end(), IsUpper);
}

} // namespace

void CCorrectionList::Load(const std::string& nativePath)
{
    if (m_file.Load(nativePath) == CIniFile::LoadResult::failed)
        m_file = CIniFile();
}

std::string CCorrectionList::Replacement(const std::string& word) const
{
    if (word.empty())
        return {};
    if (const std::string* listed = m_file.Find(kReplaceWith, word); listed != nullptr && !listed->empty())
        return WithCapitalsOf(word, *listed);
    if (correctTwoInitCaps && HasTwoInitialCaps(word))
        return word.substr(0, 1) + Transformed(word.substr(1), Lower);
    if (correctCapsLock && LooksCapsLocked(word))
        return std::string(1, Upper(word[0])) + Transformed(word.substr(1), Lower);
    return {};
}

// An entry matches the text with or without its full stop; a dotted entry ("e.g.") also
// matches its last part ("g."), which is all a caller sees of it.
bool CCorrectionList::IsFirstLetterException(const std::string& text) const
{
    std::string bare = !text.empty() && text.back() == '.' ? text.substr(0, text.size() - 1) : text;
    if (bare.empty())
        return false;
    std::string dotted = "." + bare + ".";
    for (const std::string& entry : m_file.Keys(kExceptions)) {
        bool tail = entry.size() > dotted.size()
            && lstrcmpiA(entry.c_str() + entry.size() - dotted.size(), dotted.c_str()) == 0;
        if (tail || lstrcmpiA(entry.c_str(), text.c_str()) == 0
            || lstrcmpiA(entry.c_str(), bare.c_str()) == 0)
            return true;
    }
    return false;
}
