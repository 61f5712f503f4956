// Reader of one main dictionary file: checks the layout, keeps the index and the coding
// tables in memory and decodes the words one by one from any indexed position.
#pragma once

#include "platform/core/Types.h"
#include "spell/DictionaryStream.h"
#include "spell/LexFormat.h"

#include <array>
#include <vector>

struct LexIndexEntry {
    char key[LexFormat::kKeySize];
    DWORD offset;
};

class CMainDictionary {
public:
    static constexpr int kMaxWordLength = 255;

    // A reader that fails to open stays "not usable": it finds nothing and reads no word.
    explicit CMainDictionary(const char* fileName, const char* indexCacheName = nullptr);
    ~CMainDictionary();
    CMainDictionary(const CMainDictionary&) = delete;
    CMainDictionary& operator=(const CMainDictionary&) = delete;

    void Close();
    bool IsUsable() const { return m_notUsable == 0; }
    WORD GetVersion() const { return m_version; }
    int GetIndexCount() const { return m_indexCount; }
    const LexIndexEntry& GetIndexEntry(int k) const { return m_index[static_cast<size_t>(k)]; }
    const BYTE* GetWeights() const { return m_weights.data(); }

    // Decodes the record at the current position; false (and an empty buffer) at the end
    // of the file, on a short read or on a damaged record.
    bool ReadNextWord(char* buffer, int size);
    bool SeekToIndexEntry(int k);
    // Binary search over the index keys (seven characters, case-insensitive); an equal key
    // gives its entry, or the one before it when `beforeEqual` is set.
    int FindIndexEntry(const char* word, bool beforeEqual);

    // Every word decoded once when the file opens, in file order, so lookups read words
    // without decoding them. The record an index entry points at, or -1 when the entry must
    // be read from the file (a damaged or oversized word area).
    int GetEntryRecord(int k) const;
    int GetRecordCount() const { return static_cast<int>(m_recordStarts.size()); }
    const char* GetRecordWord(int r) const
    {
        return m_recordText.data() + m_recordStarts[static_cast<size_t>(r)];
    }
    // True when the decoded words answer every search alone: they cover the whole file,
    // every index entry points at one of them, and they stand in case-insensitive order
    // under the tables in force. Then `first` is the first word, from the one the word's
    // index entry points at, that is not below the word without case (the record count
    // when there is none).
    bool FindFirstNotBelow(const char* word, int& first);
    // Takes the index of a file of the oldest layout from the bytes of an index cache written
    // for a file of this time. False, with the index unchanged, for bytes that are not a whole
    // cache of this file.
    bool LoadIndexCache(const BYTE* bytes, size_t size, DWORD fileTime);

private:
    using Table = std::array<BYTE, LexFormat::kTableSize>;

    bool open(const char* fileName);
    bool readHeader();
    bool readTables(Table& collate, Table& collateNoCase, Table& lowerDelta, Table& upperDelta);
    bool readCodingTables();
    bool checkIndex(const Table& collateNoCase);
    bool readIndexCache(const char* cacheName, DWORD fileTime);
    bool parseIndexCache(const BYTE* bytes, size_t size, DWORD fileTime);
    void writeIndexCache(const char* cacheName, DWORD fileTime) const;
    void buildIndexByScanning();
    bool decodeRecord21(std::vector<BYTE>& characters);
    bool decodeFrontCoded(std::vector<BYTE>& characters);
    void appendCoded(BYTE code, std::vector<BYTE>& characters) const;
    void buildWordTable();
    void matchEntryRecords();
    void renewLookupAids();

    WORD m_version = 0;
    WORD m_notUsable = 1;
    int m_indexCount = 0;
    std::vector<LexIndexEntry> m_index;
    CDictionaryStream m_stream;
    Table m_weights {};
    std::array<Table, LexFormat::kInputMapCount> m_inputMaps {};
    std::array<BYTE, LexFormat::kOutputMapSize> m_outputMap {};
    std::array<std::array<char, LexFormat::kExpansionSize>, LexFormat::kExpansionCount> m_expansions {};
    std::vector<BYTE> m_previousCoded;
    std::vector<BYTE> m_decoded;
    uint64_t m_wordArea = 0;
    std::vector<char> m_recordText;
    std::vector<uint32_t> m_recordStarts;
    std::vector<uint32_t> m_recordOffsets;
    std::vector<int> m_entryRecords;
    bool m_tableReachedEnd = false;
    // Aids that depend on the character tables in force, renewed when those change: the
    // index keys as numbers, and whether the words are in order.
    struct LookupAids {
        bool built = false;
        unsigned generation = 0;
        std::vector<uint64_t> keys;
        bool answersAlone = false;
        // Each word's first seven characters packed as the index keys are, to order most
        // pairs of words without reading them.
        std::vector<uint64_t> recordKeys;
        // One bit per case-folded hash of the words: a clear bit means no word is equal.
        std::vector<uint64_t> presence;
    };
    bool mayBePresent(const BYTE* order, const char* word) const;
    int searchKeys(const BYTE* order, const char* word, bool beforeEqual) const;
    bool tableCoversFile() const;

    LookupAids m_aids;
};
