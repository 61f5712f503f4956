#include "spell/SuggestionGenerator.h"

#include "spell/CharacterServices.h"
#include "spell/SpellSession.h"
#include "spell/TextBuffer.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {

constexpr char kVowels[] = "aeiou";
constexpr BYTE kPairA = 0xE6;
constexpr BYTE kPairB = 0xE8;
constexpr int kScanWhenFewer = 4;
constexpr int kStepBack = 5;
constexpr int kMaxLengthDifference = 2;
constexpr int kMissingWeight = 4;
constexpr int kMaxDistance = 20;
constexpr int kNearExact = 2;
constexpr int kEmptyDistance = 1000;
constexpr int kEarlierDistance = 1;

std::string lowerCut(const char* word, size_t length)
{
    std::string lower(word, strnlen(word, length));
    for (char& c : lower)
        c = static_cast<char>(CharacterServices::ToLower(static_cast<BYTE>(c)));
    return lower;
}

std::string sortedLower(const char* word)
{
    std::string sorted = lowerCut(word, CMainDictionary::kMaxWordLength);
    std::sort(sorted.begin(), sorted.end(),
        [](char a, char b) { return static_cast<BYTE>(a) < static_cast<BYTE>(b); });
    return sorted;
}

int weightOf(const std::set<BYTE>& characters, const BYTE* weights)
{
    int sum = 0;
    for (BYTE c : characters)
        sum += weights[c];
    return sum;
}

bool hasLower(const char* word)
{
    for (; *word; ++word)
        if (CharacterServices::IsLower(static_cast<BYTE>(*word)))
            return true;
    return false;
}

bool hasUpper(const char* word)
{
    for (; *word; ++word)
        if (CharacterServices::IsUpper(static_cast<BYTE>(*word)))
            return true;
    return false;
}

// A suggestion stored in lower case follows the word's capitals or capital initial.
std::string adaptCase(const std::string& suggestion, const char* word)
{
    std::string adapted = suggestion;
    if (hasUpper(adapted.c_str()))
        return adapted;
    if (!hasLower(word)) {
        CharacterServices::MakeUpper(adapted.data());
    } else if (CharacterServices::IsUpper(static_cast<BYTE>(word[0])) && !hasUpper(word + 1)
        && !adapted.empty()) {
        adapted[0] = static_cast<char>(CharacterServices::ToUpper(static_cast<BYTE>(adapted[0])));
    }
    return adapted;
}

} // namespace

CSuggestionGenerator::CSuggestionGenerator(CSpellSession& session)
    : m_session(session)
{
}

int CSuggestionGenerator::Distance(const std::string& s, const std::string& t, const BYTE* weights)
{
    size_t i = 0;
    size_t j = 0;
    int distance = 0;
    while (i < s.size() && j < t.size()) {
        BYTE a = static_cast<BYTE>(s[i]);
        BYTE b = static_cast<BYTE>(t[j]);
        if (a == b) {
            ++i;
            ++j;
        } else if (CharacterServices::CollateCase(a, b) < 0) {
            distance += weights[a];
            ++i;
        } else {
            distance += weights[b];
            ++j;
        }
    }
    for (; i < s.size(); ++i)
        distance += weights[static_cast<BYTE>(s[i])];
    for (; j < t.size(); ++j)
        distance += weights[static_cast<BYTE>(t[j])] + 2;
    return distance;
}

bool CSuggestionGenerator::lookup(const std::string& candidate, std::string& stored)
{
    char buffer[kMaxLength + 1];
    if (!m_session.SearchMainDictionary(
            candidate.c_str(), CharacterServices::CompareNoCase, buffer, sizeof buffer))
        return false;
    stored = buffer;
    return true;
}

void CSuggestionGenerator::addHit(const std::string& candidate)
{
    std::string stored;
    if (!full() && lookup(candidate, stored))
        m_slots.push_back(Slot { stored, kEarlierDistance });
}

void CSuggestionGenerator::addIfNew(const std::string& candidate, WordComparator compare)
{
    std::string stored;
    if (full() || !lookup(candidate, stored))
        return;
    for (const Slot& slot : m_slots)
        if (compare(slot.word.c_str(), stored.c_str()) == 0)
            return;
    m_slots.push_back(Slot { stored, kEarlierDistance });
}

void CSuggestionGenerator::deletions(const std::string& w)
{
    for (size_t i = 0; i < w.size() && !full(); ++i)
        addHit(std::string(w).erase(i, 1));
}

void CSuggestionGenerator::transpositions(const std::string& w)
{
    for (size_t i = 0; i + 1 < w.size() && !full(); ++i) {
        std::string swapped = w;
        std::swap(swapped[i], swapped[i + 1]);
        addHit(swapped);
    }
}

// Only the pair 0xE6/0xE8 is tried, and never at a position holding the first letter.
void CSuggestionGenerator::letterPairs(const std::string& w)
{
    for (size_t i = 0; i < w.size() && !full(); ++i) {
        BYTE c = static_cast<BYTE>(w[i]);
        if (w[i] == w[0] || (c != kPairA && c != kPairB))
            continue;
        std::string variant = w;
        variant[i] = static_cast<char>(c == kPairA ? kPairB : kPairA);
        addIfNew(variant, CharacterServices::CompareNoCase);
    }
}

void CSuggestionGenerator::vowelInsertions(const std::string& w)
{
    for (size_t i = 1; i < w.size() && !full(); ++i)
        for (const char* vowel = kVowels; *vowel && !full(); ++vowel)
            addIfNew(std::string(w).insert(i, 1, *vowel), CharacterServices::CompareNoCase);
    for (const char* vowel = kVowels; *vowel && !full(); ++vowel)
        addIfNew(w + *vowel, CharacterServices::CompareCase);
}

void CSuggestionGenerator::similarityScan(const std::string& w)
{
    CMainDictionary& dictionary = m_session.GetMainDictionary();
    const BYTE* weights = dictionary.GetWeights();
    std::string s = w;
    std::sort(s.begin(), s.end(), [](char a, char b) { return static_cast<BYTE>(a) < static_cast<BYTE>(b); });
    int threshold = weightOf(std::set<BYTE>(s.begin(), s.end()), weights) - kMissingWeight;
    int start = std::max(dictionary.FindIndexEntry(w.c_str(), true) - kStepBack, 0);
    if (!dictionary.SeekToIndexEntry(start))
        return;
    int m = static_cast<int>(m_slots.size());
    m_slots.resize(kMaxSuggestions, Slot { std::string(), kEmptyDistance });
    char candidate[CMainDictionary::kMaxWordLength + 1];
    while (dictionary.ReadNextWord(candidate, sizeof candidate)) {
        int order = CharacterServices::CompareNoCaseN(candidate, w.c_str(), 1);
        if (order < 0)
            continue;
        if (order > 0 || considerScanned(candidate, s, m, threshold))
            break;
    }
    m_slots.erase(
        std::remove_if(m_slots.begin(), m_slots.end(), [](const Slot& slot) { return slot.word.empty(); }),
        m_slots.end());
}

// Ranks one word of the scan; true when it is so close that the scan ends.
bool CSuggestionGenerator::considerScanned(const char* candidate, const std::string& s, int m, int threshold)
{
    int difference = static_cast<int>(std::strlen(candidate)) - static_cast<int>(s.size());
    if (difference > kMaxLengthDifference || difference < -kMaxLengthDifference)
        return false;
    const BYTE* weights = m_session.GetMainDictionary().GetWeights();
    std::string t = sortedLower(candidate);
    std::set<BYTE> common;
    for (char c : t)
        if (s.find(c) != std::string::npos)
            common.insert(static_cast<BYTE>(c));
    if (weightOf(common, weights) <= threshold)
        return false;
    int distance = Distance(s, t, weights);
    if (distance >= kMaxDistance)
        return false;
    bool earlier = std::any_of(m_slots.begin(), m_slots.begin() + m, [candidate](const Slot& slot) {
        return CharacterServices::CompareNoCase(slot.word.c_str(), candidate) == 0;
    });
    if (!earlier) {
        auto slot = std::find_if(m_slots.begin(), m_slots.end(),
            [distance](const Slot& each) { return each.distance > distance; });
        if (slot != m_slots.end()) {
            m_slots.insert(slot, Slot { std::string(candidate, strnlen(candidate, kMaxLength)), distance });
            m_slots.pop_back();
        }
    }
    return distance < kNearExact;
}

int CSuggestionGenerator::Suggest(const char* word, char* output, int size)
{
    if (output == nullptr || size < 2)
        return 0;
    output[0] = output[1] = 0;
    if (word == nullptr || *word == 0 || size == 2 || !m_session.GetMainDictionary().IsUsable())
        return 0;
    std::string w = lowerCut(word, kMaxLength);
    m_slots.clear();
    if (w.size() > 2) {
        deletions(w);
        transpositions(w);
    }
    if (w.size() > 1 && !full())
        letterPairs(w);
    if (!full())
        vowelInsertions(w);
    if (static_cast<int>(m_slots.size()) < kScanWhenFewer)
        similarityScan(w);
    return write(word, output, size);
}

int CSuggestionGenerator::write(const char* word, char* output, int size) const
{
    int used = 0;
    int count = 0;
    for (const Slot& slot : m_slots) {
        std::string text = adaptCase(slot.word, word);
        int length = static_cast<int>(text.size());
        if (length + 1 >= size - used - 2)
            break;
        std::memcpy(output + used, text.c_str(), static_cast<size_t>(length) + 1);
        used += length + 1;
        ++count;
    }
    output[used] = 0;
    if (count == 0)
        output[1] = 0;
    return count;
}
