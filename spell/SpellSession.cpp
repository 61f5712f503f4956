#include "spell/SpellSession.h"

#include "spell/CharacterServices.h"
#include "spell/TextBuffer.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kWordBuffer = CMainDictionary::kMaxWordLength + 1;

void lowerCopy(const char* word, char* lower)
{
    CopyToBuffer(lower, kWordBuffer, word);
    CharacterServices::MakeLower(lower);
}

} // namespace

CSpellSession::CSpellSession(const char* mainFileName, const char* indexCacheName, const char* customFileName)
    : m_mainDictionary(mainFileName, indexCacheName)
    , m_customDictionary(customFileName)
{
}

BOOL CSpellSession::IsWordExist(const char* word)
{
    if (word == nullptr)
        return FALSE;
    if (acceptedByCache(word) || m_ignoreAll.Find(word, WordMatch::NoCase) || acceptedByMainDictionary(word))
        return TRUE;
    char stored[kWordBuffer];
    if (!m_customDictionary.Find(word, stored, sizeof stored))
        return FALSE;
    m_cache.Add(stored);
    return TRUE;
}

// A stored form in lower case takes every capitalisation; one with capitals only itself,
// unless its lower-case form is known too.
bool CSpellSession::acceptedByCache(const char* word)
{
    char stored[kWordBuffer];
    if (!m_cache.Find(word, WordMatch::NoCase, stored, sizeof stored))
        return false;
    char lower[kWordBuffer];
    lowerCopy(stored, lower);
    return CharacterServices::IsAllLower(stored) || std::strcmp(word, stored) == 0
        || m_cache.Find(lower, WordMatch::Exact);
}

bool CSpellSession::acceptedByMainDictionary(const char* word)
{
    char stored[kWordBuffer];
    if (!SearchMainDictionary(word, CharacterServices::CompareNoCase, stored, sizeof stored))
        return false;
    m_cache.Add(stored);
    if (CharacterServices::IsAllLower(stored) || std::strcmp(word, stored) == 0)
        return true;
    char lower[kWordBuffer];
    lowerCopy(stored, lower);
    char exact[kWordBuffer];
    if (SearchMainDictionary(lower, CharacterServices::CompareExact, exact, sizeof exact)) {
        m_cache.Add(stored);
        return true;
    }
    // Another capitalisation may come first in the file ("Ac" before "AC"); a word that is
    // stored exactly as written is still correct.
    if (!SearchMainDictionary(word, CharacterServices::CompareExact, exact, sizeof exact))
        return false;
    m_cache.Add(exact);
    return true;
}

BOOL CSpellSession::FindChangeAll(const char* word, char* buffer, int size)
{
    CopyToBuffer(buffer, size, word);
    const char* replacement = m_changeAll.Find(word);
    if (replacement == nullptr)
        return FALSE;
    CopyToBuffer(buffer, size, replacement);
    return TRUE;
}

void CSpellSession::AddToChangeAll(const char* word, const char* replacement)
{
    m_changeAll.Add(word, replacement);
}

void CSpellSession::AddToIgnoreAll(const char* word)
{
    m_ignoreAll.Add(word);
}

bool CSpellSession::AppendToCustomDictionary(const char* word)
{
    return m_customDictionary.Append(word);
}

BOOL CSpellSession::SearchMainDictionary(const char* word, WordComparator compare, char* buffer, int size)
{
    CopyToBuffer(buffer, size, nullptr);
    if (word == nullptr || !m_mainDictionary.IsUsable())
        return FALSE;
    const char* found = nullptr;
    int first = 0;
    if ((compare == CharacterServices::CompareNoCase || compare == CharacterServices::CompareExact)
        && m_mainDictionary.FindFirstNotBelow(word, first)) {
        found = searchRun(first, word, compare);
    } else {
        int entry = m_mainDictionary.FindIndexEntry(word, false);
        if (!m_mainDictionary.SeekToIndexEntry(entry))
            return FALSE;
        int record = m_mainDictionary.GetEntryRecord(entry);
        found = record >= 0 ? searchWordTable(record, word, compare) : searchFile(word, compare);
    }
    if (found == nullptr)
        return FALSE;
    CopyToBuffer(buffer, size, found);
    return TRUE;
}

// Reads forward to the first word equal under `compare`, giving up at the first word above
// the searched one.
const char* CSpellSession::searchFile(const char* word, WordComparator compare)
{
    while (m_mainDictionary.ReadNextWord(m_candidate, sizeof m_candidate)) {
        if (compare(m_candidate, word) == 0)
            return m_candidate;
        if (CharacterServices::CompareNoCase(m_candidate, word) > 0)
            return nullptr;
    }
    return nullptr;
}

// The same walk over the decoded words.
const char* CSpellSession::searchWordTable(int record, const char* word, WordComparator compare)
{
    const BYTE* order = CharacterServices::NoCaseOrder();
    for (int end = m_mainDictionary.GetRecordCount(); record < end; ++record) {
        const char* candidate = m_mainDictionary.GetRecordWord(record);
        if (compare(candidate, word) == 0)
            return candidate;
        if (CharacterServices::CompareWords(order, candidate, word) > 0)
            return nullptr;
    }
    return nullptr;
}

// In words in order, the walk from the index entry's word passes the words below the
// searched one and ends at the first word above it: only the run of words equal without
// case between them can match.
const char* CSpellSession::searchRun(int first, const char* word, WordComparator compare)
{
    const BYTE* order = CharacterServices::NoCaseOrder();
    for (int r = first; r < m_mainDictionary.GetRecordCount(); ++r) {
        const char* candidate = m_mainDictionary.GetRecordWord(r);
        if (CharacterServices::CompareWords(order, candidate, word) != 0)
            return nullptr;
        if (compare == CharacterServices::CompareNoCase || std::strcmp(candidate, word) == 0)
            return candidate;
    }
    return nullptr;
}
