#include "spell/tools/LexWriter.h"

#include "spell/CharacterServices.h"

#include "platform/core/CodePage.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <set>
#include <stdexcept>
#include <tuple>

using namespace LexFormat;

namespace {

constexpr int kMaxExpansionLength = kExpansionSize - 1;

bool isUpper(BYTE c)
{
    return LowerCase1252(c) != c;
}

// A letter has a partner of the other case; the table deltas cannot express any other.
bool isLetter(BYTE c)
{
    return isUpper(c) || UpperCase1252(c) != c;
}

// Letters sort by the plain letter they carry an accent on, then by code.
BYTE baseLetter(BYTE lower)
{
    static const char* const kBases = "aaaaaaaceeeeiiiidnooooo/ouuuuyty";
    if (lower >= 0xE0)
        return static_cast<BYTE>(kBases[lower - 0xE0]);
    switch (lower) {
    case 0x9A:
        return 's';
    case 0x9C:
        return 'o';
    case 0x9E:
        return 'z';
    default:
        return lower;
    }
}

BYTE weightOf(BYTE lower)
{
    if (!isLetter(lower))
        return 1;
    BYTE base = baseLetter(lower);
    if (std::strchr("aeiouy", base) != nullptr)
        return 2;
    return std::strchr("jkqxz", base) != nullptr ? 4 : 3;
}

// Code order of the collation: every non-letter by code, then the letters.
std::vector<BYTE> collationOrder()
{
    std::vector<BYTE> order(kTableSize);
    for (int c = 0; c < kTableSize; ++c)
        order[static_cast<size_t>(c)] = static_cast<BYTE>(c);
    auto key = [](BYTE c) {
        BYTE lower = LowerCase1252(c);
        bool letter = isLetter(c);
        return std::make_tuple(letter, letter ? baseLetter(lower) : c, lower, isUpper(c));
    };
    std::stable_sort(order.begin(), order.end(), [&key](BYTE a, BYTE b) { return key(a) < key(b); });
    return order;
}

void put(std::vector<BYTE>& file, size_t offset, const void* data, size_t size)
{
    std::memcpy(file.data() + offset, data, size);
}

void putDword(std::vector<BYTE>& file, size_t offset, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        file[offset + static_cast<size_t>(i)] = static_cast<BYTE>(value >> (8 * i));
}

// Character-to-code assignment of versions 2.1 and 3.0: codes below 128 go through the
// output map, codes with the top bit name an expansion.
class Coder {
public:
    Coder(const std::vector<std::string>& words, const LexLayout& layout)
        : m_expansions(layout.expansions)
    {
        if (m_expansions.size() > static_cast<size_t>(kExpansionCount))
            throw std::invalid_argument("more than 128 expansions");
        int lowest = layout.version == kVersion30 ? kPrefixLimit : 1;
        std::set<BYTE> used;
        for (const std::vector<std::string>* list : { &words, &layout.expansions })
            for (const std::string& text : *list)
                used.insert(text.begin(), text.end());
        for (int c = 0; c < kOutputMapSize; ++c)
            m_outputMap[static_cast<size_t>(c)] = static_cast<BYTE>(c);
        int next = lowest;
        for (BYTE c : used) {
            if (c >= lowest && c < kOutputMapSize) {
                m_code[c] = c;
                continue;
            }
            while (next < kOutputMapSize && used.count(static_cast<BYTE>(next)) != 0)
                ++next;
            if (next >= kOutputMapSize)
                throw std::invalid_argument("too many characters for the output map");
            m_outputMap[static_cast<size_t>(next)] = c;
            m_code[c] = static_cast<BYTE>(next++);
        }
    }

    std::vector<BYTE> Code(const std::string& word) const
    {
        std::vector<BYTE> coded;
        for (size_t i = 0; i < word.size();) {
            size_t best = 0;
            int bestIndex = -1;
            for (size_t k = 0; k < m_expansions.size(); ++k) {
                const std::string& expansion = m_expansions[k];
                if (expansion.size() > best && word.compare(i, expansion.size(), expansion) == 0) {
                    best = expansion.size();
                    bestIndex = static_cast<int>(k);
                }
            }
            if (bestIndex >= 0) {
                coded.push_back(static_cast<BYTE>(kExpansionFlag | bestIndex));
                i += best;
            } else {
                coded.push_back(m_code[static_cast<BYTE>(word[i++])]);
            }
        }
        return coded;
    }

    void WriteTables(std::vector<BYTE>& file, size_t offset) const
    {
        put(file, offset, m_outputMap.data(), m_outputMap.size());
        for (size_t k = 0; k < m_expansions.size(); ++k) {
            const std::string& expansion = m_expansions[k];
            if (expansion.empty() || expansion.size() > static_cast<size_t>(kMaxExpansionLength))
                throw std::invalid_argument("an expansion holds one to five characters");
            for (size_t i = 0; i < expansion.size(); ++i)
                file[offset + kOutputMapSize + k * kExpansionSize + i]
                    = m_code[static_cast<BYTE>(expansion[i])];
        }
    }

private:
    std::vector<std::string> m_expansions;
    std::array<BYTE, kOutputMapSize> m_outputMap {};
    std::array<BYTE, kTableSize> m_code {};
};

// The four input maps of version 2.1: permutations, so every record byte decodes.
BYTE inputMap(int map, int b)
{
    switch (map) {
    case 0:
        return static_cast<BYTE>(b);
    case 1:
        return static_cast<BYTE>(255 - b);
    case 2:
        return static_cast<BYTE>(b ^ 0xA5);
    default:
        return static_cast<BYTE>(b + 77);
    }
}

void appendRecords21(std::vector<BYTE>& file, const std::vector<std::string>& words, const Coder& coder)
{
    std::array<std::array<BYTE, kTableSize>, kInputMapCount> inverse {};
    for (int m = 0; m < kInputMapCount; ++m)
        for (int b = 0; b < kTableSize; ++b)
            inverse[static_cast<size_t>(m)][inputMap(m, b)] = static_cast<BYTE>(b);
    for (size_t i = 0; i < words.size(); ++i) {
        std::vector<BYTE> coded = coder.Code(words[i]);
        if (coded.size() > static_cast<size_t>(kMaxRecordLength21))
            throw std::invalid_argument("a 2.1 record holds at most 63 bytes: " + words[i]);
        int map = static_cast<int>(i % kInputMapCount);
        file.push_back(static_cast<BYTE>((map << 6) | static_cast<int>(coded.size())));
        for (BYTE t : coded)
            file.push_back(inverse[static_cast<size_t>(map)][t]);
    }
}

std::vector<BYTE> codeFrontCoded(const std::string& word, const Coder* coder)
{
    if (coder != nullptr)
        return coder->Code(word);
    for (char c : word)
        if (static_cast<BYTE>(c) < kPrefixLimit)
            throw std::invalid_argument("a 3.5 dictionary cannot hold characters below 16");
    return std::vector<BYTE>(word.begin(), word.end());
}

// Entry k points at the start of the run of words (same first seven characters) that holds
// word k * count / entries, so every lookup lands at or before its word.
std::vector<size_t> indexTargets(const std::vector<std::string>& words, int entries, const LexTables& tables)
{
    std::vector<size_t> runStart(words.size());
    for (size_t i = 0; i < words.size(); ++i) {
        bool sameRun = i > 0
            && CharacterServices::CompareThrough(
                   tables.collateNoCase.data(), words[i - 1].c_str(), words[i].c_str(), kKeyLength)
                == 0;
        runStart[i] = sameRun ? runStart[i - 1] : i;
    }
    std::vector<size_t> targets(static_cast<size_t>(entries));
    for (size_t k = 0; k < targets.size(); ++k)
        targets[k] = runStart[k * words.size() / targets.size()];
    return targets;
}

void appendFrontCoded(std::vector<BYTE>& file, size_t indexOffset, const std::vector<std::string>& words,
    const LexLayout& layout, int entries, const Coder* coder)
{
    std::vector<size_t> targets = indexTargets(words, entries, layout.tables);
    std::set<size_t> indexed(targets.begin(), targets.end());
    std::vector<DWORD> offsets(words.size());
    std::vector<BYTE> previous;
    for (size_t i = 0; i < words.size(); ++i) {
        std::vector<BYTE> coded = codeFrontCoded(words[i], coder);
        size_t shared = 0;
        if (indexed.count(i) == 0)
            while (shared < previous.size() && shared < coded.size()
                && shared < static_cast<size_t>(kMaxSharedPrefix) && previous[shared] == coded[shared])
                ++shared;
        offsets[i] = static_cast<DWORD>(file.size());
        file.push_back(static_cast<BYTE>(indexed.count(i) != 0 ? 0 : shared + 1));
        file.insert(file.end(), coded.begin() + static_cast<long>(shared), coded.end());
        previous = coded;
    }
    for (size_t k = 0; k < targets.size(); ++k) {
        size_t entry = indexOffset + k * kIndexEntrySize;
        const std::string& first = words[targets[k]];
        put(file, entry, first.data(), std::min<size_t>(first.size(), kKeyLength));
        putDword(file, entry + kKeySize, offsets[targets[k]]);
    }
}

int indexEntries(const LexLayout& layout)
{
    switch (layout.version) {
    case kVersion21:
        return 0;
    case kVersion30:
        return kMaxIndexCount;
    default:
        return layout.indexCount;
    }
}

} // namespace

LexTables MakeWesternTables()
{
    LexTables tables;
    std::vector<BYTE> order = collationOrder();
    int rank = -1;
    BYTE previousClass = 0;
    for (size_t position = 0; position < order.size(); ++position) {
        BYTE c = order[position];
        BYTE lower = LowerCase1252(c);
        tables.collate[c] = static_cast<BYTE>(position);
        if (position == 0 || lower != previousClass)
            ++rank;
        tables.collateNoCase[c] = static_cast<BYTE>(rank);
        previousClass = lower;
        tables.weights[c] = weightOf(lower);
        if (isUpper(c))
            tables.lowerDelta[c] = static_cast<BYTE>(lower - c);
        if (isLetter(c) && !isUpper(c))
            tables.upperDelta[c] = static_cast<BYTE>(c - UpperCase1252(c));
    }
    return tables;
}

std::vector<std::string> SortForDictionary(std::vector<std::string> words, const LexTables& tables)
{
    words.erase(std::remove(words.begin(), words.end(), std::string()), words.end());
    std::sort(words.begin(), words.end(), [&tables](const std::string& a, const std::string& b) {
        for (const LexTables::Table* order : { &tables.collateNoCase, &tables.collate }) {
            int difference = CharacterServices::CompareThrough(order->data(), a.c_str(), b.c_str(), INT_MAX);
            if (difference != 0)
                return difference < 0;
        }
        return a < b;
    });
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
}

size_t LexWordAreaOffset(const LexLayout& layout)
{
    size_t offset = kHeaderSize + static_cast<size_t>(indexEntries(layout)) * kIndexEntrySize
        + kTableCount * kTableSize;
    if (layout.version != kVersion35)
        offset += kOutputMapSize + kExpansionCount * kExpansionSize;
    if (layout.version == kVersion21)
        offset += kInputMapCount * kTableSize;
    return offset;
}

std::vector<BYTE> WriteLexDictionary(const std::vector<std::string>& unsorted, const LexLayout& layout)
{
    std::vector<std::string> words = SortForDictionary(unsorted, layout.tables);
    if (words.empty())
        throw std::invalid_argument("a dictionary needs at least one word");
    std::vector<BYTE> file(LexWordAreaOffset(layout), 0);
    const char* magic = layout.version == kVersion21 ? kMagic21
        : layout.version == kVersion30               ? kMagic30
                                                     : kMagic35;
    put(file, 0, magic, kMagicSize);
    put(file, kLabelOffset, kLabel, kLabelSize);
    put(file, kLanguageOffset, layout.language.data(),
        std::min<size_t>(layout.language.size(), kLanguageSize));
    int entries = indexEntries(layout);
    if (layout.version == kVersion35)
        putDword(file, kIndexCountOffset, static_cast<DWORD>(entries));
    size_t offset = kHeaderSize + static_cast<size_t>(entries) * kIndexEntrySize;
    for (const LexTables::Table* table : { &layout.tables.weights, &layout.tables.collate,
             &layout.tables.collateNoCase, &layout.tables.lowerDelta, &layout.tables.upperDelta }) {
        put(file, offset, table->data(), table->size());
        offset += kTableSize;
    }
    offset += kTableSize;
    if (layout.version == kVersion35) {
        appendFrontCoded(file, kHeaderSize, words, layout, entries, nullptr);
        return file;
    }
    Coder coder(words, layout);
    coder.WriteTables(file, offset);
    offset += kOutputMapSize + kExpansionCount * kExpansionSize;
    if (layout.version == kVersion30) {
        appendFrontCoded(file, kHeaderSize, words, layout, entries, &coder);
        return file;
    }
    for (int m = 0; m < kInputMapCount; ++m)
        for (int b = 0; b < kTableSize; ++b)
            file[offset + static_cast<size_t>(m * kTableSize + b)] = inputMap(m, b) ^ kInputMapKey;
    appendRecords21(file, words, coder);
    return file;
}
