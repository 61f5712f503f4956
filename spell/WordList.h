// Bounded word lists kept most recently used first: the found-words cache and the
// ignore-all list (CWordList), and the change-all pairs (CChangeAllList).
#pragma once

#include <list>
#include <string>

// Compares two words like strcmp: 0 when equal.
using WordComparator = int (*)(const char*, const char*);

class CWordList {
public:
    explicit CWordList(int capacity);

    // Puts the word in front; a full list first drops its least recently used entry.
    void Add(const char* word);
    // Finds the first entry equal under `compare`, moves it to the front and copies it into
    // the buffer (at most size - 1 characters) when one is given.
    bool Find(const char* word, WordComparator compare, char* buffer = nullptr, int size = 0);
    int GetCount() const { return m_count; }
    int GetCapacity() const { return m_capacity; }

private:
    int m_capacity;
    int m_count = 0;
    std::list<std::string> m_entries;
};

class CChangeAllList {
public:
    explicit CChangeAllList(int capacity);

    void Add(const char* word, const char* replacement);
    // The replacement of a word listed exactly, moved to the front; null when none.
    const char* Find(const char* word);
    int GetCount() const { return m_count; }

private:
    struct Pair {
        std::string word;
        std::string replacement;
    };
    int m_capacity;
    int m_count = 0;
    std::list<Pair> m_entries;
};
