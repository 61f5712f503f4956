// Bounded word lists kept most recently used first: the found-words cache and the
// ignore-all list (CWordList), and the change-all pairs (CChangeAllList).
#pragma once

#include "platform/core/Types.h"

#include <cstdint>
#include <list>
#include <string>
#include <vector>

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
    // Entries live in fixed slots, chained by use (most recent first) and by the hash of
    // their case-folded form, so neither a lookup nor an addition allocates a node.
    struct Slot {
        std::string word;
        uint64_t hash = 0;
        int newer = -1;
        int older = -1;
        int chain = -1;
    };

    void renewHashes();
    void link(int slot);
    void unlink(int slot);
    void unchain(int slot);
    void toFront(int slot);
    bool isNewer(int a, int b) const;
    int& bucket(uint64_t hash) { return m_buckets[hash & (m_buckets.size() - 1)]; }

    int m_capacity;
    int m_count = 0;
    unsigned m_generation = 0;
    std::vector<Slot> m_slots;
    std::vector<int> m_buckets;
    std::vector<int> m_free;
    int m_newest = -1;
    int m_oldest = -1;
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
