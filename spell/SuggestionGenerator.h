// Proposes up to ten main-dictionary words for a word that was refused: four cheap
// single-edit rewrites first, then, when they give fewer than four, a scan of the words
// with the same first letter ranked by a weighted letter distance.
#pragma once

#include "spell/WordList.h"

#include <string>
#include <vector>

class CSpellSession;

class CSuggestionGenerator {
public:
    static constexpr int kMaxSuggestions = 10;
    static constexpr int kMaxLength = 31;

    explicit CSuggestionGenerator(CSpellSession& session);

    // Writes the suggestions as zero-terminated strings followed by one more zero byte and
    // returns how many were written. A size below 2 writes nothing.
    int Suggest(const char* word, char* output, int size);

    // Weighted distance of two strings sorted in byte order.
    static int Distance(const std::string& s, const std::string& t, const unsigned char* weights);

private:
    struct Slot {
        std::string word;
        int distance;
    };

    bool full() const { return static_cast<int>(m_slots.size()) >= kMaxSuggestions; }
    bool lookup(const std::string& candidate, std::string& stored);
    void addHit(const std::string& candidate);
    void addIfNew(const std::string& candidate, WordComparator compare);
    void deletions(const std::string& w);
    void transpositions(const std::string& w);
    void letterPairs(const std::string& w);
    void vowelInsertions(const std::string& w);
    void similarityScan(const std::string& w);
    bool considerScanned(const char* candidate, const std::string& sorted, int m, int threshold);
    int write(const char* word, char* output, int size) const;

    CSpellSession& m_session;
    std::vector<Slot> m_slots;
};
