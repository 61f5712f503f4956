// Bounded word lists kept most recently used first: the found-words cache and the
// ignore-all list (CWordList), and the change-all pairs (CChangeAllList).
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

// Compares two words like strcmp: 0 when equal.
using WordComparator = int (*)(const char*, const char*);

enum class WordMatch { NoCase, Exact };

class CWordList {
public:
    explicit CWordList(int capacity);

    // Puts the word in front; a full list first drops its least recently used entry.
    void Add(const char* word);
    // Finds the entry nearest the front that matches, moves it to the front and copies it
    // into the buffer (at most size - 1 characters) when one is given.
    bool Find(const char* word, WordMatch match, char* buffer = nullptr, int size = 0);
    int GetCount() const { return m_count; }
    int GetCapacity() const { return m_capacity; }

private:
    struct Entry {
        std::string word;
        std::string key;
        uint64_t used;
    };
    using Position = std::list<Entry>::iterator;

    void renewKeys();
    void forget(Position position);

    int m_capacity;
    int m_count = 0;
    uint64_t m_clock = 0;
    unsigned m_generation = 0;
    // Most recently used first, and by case-folded word for lookups without a walk.
    std::list<Entry> m_entries;
    std::unordered_multimap<std::string, Position> m_byKey;
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
