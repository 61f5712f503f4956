// What an open dictionary means to the rest of the library: one main dictionary, one
// custom dictionary and three word lists that live as long as the session.
#pragma once

#include "spell/CustomDictionary.h"
#include "spell/MainDictionary.h"
#include "spell/WordList.h"

class CSpellSession {
public:
    static constexpr int kCacheCapacity = 500;
    static constexpr int kIgnoreAllCapacity = 200;
    static constexpr int kChangeAllCapacity = 200;

    CSpellSession(const char* mainFileName, const char* indexCacheName, const char* customFileName);

    bool IsOpen() const { return m_mainDictionary.IsUsable(); }
    BOOL IsWordExist(const char* word);
    // The buffer receives the word, or its change-all replacement (then TRUE).
    BOOL FindChangeAll(const char* word, char* buffer, int size);
    void AddToChangeAll(const char* word, const char* replacement);
    void AddToIgnoreAll(const char* word);
    bool AppendToCustomDictionary(const char* word);
    // Reads forward from the word's index entry to the first word equal under `compare`.
    BOOL SearchMainDictionary(const char* word, WordComparator compare, char* buffer, int size);

    CMainDictionary& GetMainDictionary() { return m_mainDictionary; }

private:
    bool acceptedByCache(const char* word);
    bool acceptedByMainDictionary(const char* word);
    const char* searchFile(const char* word, WordComparator compare);
    const char* searchWordTable(int record, const char* word, WordComparator compare);
    const char* searchRun(int first, const char* word, WordComparator compare);

    CWordList m_cache { kCacheCapacity };
    CWordList m_ignoreAll { kIgnoreAllCapacity };
    CChangeAllList m_changeAll { kChangeAllCapacity };
    CMainDictionary m_mainDictionary;
    CCustomDictionary m_customDictionary;
    char m_candidate[CMainDictionary::kMaxWordLength + 1] {};
};
