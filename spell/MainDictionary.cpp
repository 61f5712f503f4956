#include "spell/MainDictionary.h"

#include "spell/CharacterServices.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>

using namespace LexFormat;

namespace {

DWORD readDword(const BYTE* bytes)
{
    return static_cast<DWORD>(bytes[0]) | (static_cast<DWORD>(bytes[1]) << 8)
        | (static_cast<DWORD>(bytes[2]) << 16) | (static_cast<DWORD>(bytes[3]) << 24);
}

void writeDword(BYTE* bytes, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<BYTE>(value >> (8 * i));
}

LexIndexEntry parseEntry(const BYTE* bytes)
{
    LexIndexEntry entry {};
    std::memcpy(entry.key, bytes, kKeySize);
    entry.offset = readDword(bytes + kKeySize);
    return entry;
}

void serializeEntry(const LexIndexEntry& entry, BYTE* bytes)
{
    std::memcpy(bytes, entry.key, kKeySize);
    writeDword(bytes + kKeySize, entry.offset);
}

uint64_t packKey(const BYTE* order, const char* text)
{
    uint64_t packed = 0;
    bool ended = false;
    for (int i = 0; i < kKeyLength; ++i) {
        BYTE c = ended ? 0 : static_cast<BYTE>(text[i]);
        packed = (packed << 8) | (ended ? 0 : order[c]);
        ended = ended || c == 0;
    }
    return packed;
}

LexIndexEntry makeEntry(const char* word, DWORD offset)
{
    LexIndexEntry entry {};
    std::memcpy(entry.key, word, strnlen(word, kKeyLength));
    entry.offset = offset;
    return entry;
}

void copyOut(const std::vector<BYTE>& characters, char* buffer, int size)
{
    if (buffer == nullptr || size <= 0)
        return;
    size_t length = std::min(characters.size(), static_cast<size_t>(size - 1));
    std::copy_n(characters.begin(), length, buffer);
    buffer[length] = 0;
}

bool fileTime(const char* fileName, DWORD& time)
{
    struct stat info { };
    if (::stat(fileName, &info) != 0)
        return false;
    time = static_cast<DWORD>(info.st_mtime);
    return true;
}

} // namespace

CMainDictionary::CMainDictionary(const char* fileName, const char* indexCacheName)
{
    if (fileName == nullptr || !open(fileName)) {
        m_stream.Close();
        m_notUsable = 1;
        return;
    }
    if (m_version == kVersion21) {
        DWORD time = 0;
        bool haveTime = fileTime(fileName, time);
        if (indexCacheName == nullptr || !haveTime || !readIndexCache(indexCacheName, time)) {
            buildIndexByScanning();
            if (indexCacheName != nullptr && haveTime)
                writeIndexCache(indexCacheName, time);
        }
    }
    buildWordTable();
}

CMainDictionary::~CMainDictionary()
{
    Close();
}

void CMainDictionary::Close()
{
    if (IsUsable())
        m_stream.Close();
}

bool CMainDictionary::open(const char* fileName)
{
    if (!m_stream.Open(fileName) || m_stream.Size() <= static_cast<uint64_t>(kMinFileSize))
        return false;
    if (!readHeader())
        return false;
    Table collate {}, collateNoCase {}, lowerDelta {}, upperDelta {};
    if (!readTables(collate, collateNoCase, lowerDelta, upperDelta) || !readCodingTables())
        return false;
    // Only the terminator may collate as the terminator, or words of different lengths
    // would compare equal.
    for (int c = 1; c < kTableSize; ++c)
        if (collateNoCase[static_cast<size_t>(c)] == collateNoCase[0]
            || collate[static_cast<size_t>(c)] == collate[0])
            return false;
    m_wordArea = m_version == kVersion21 ? static_cast<uint64_t>(kWordArea21) : m_stream.Tell();
    if (m_version != kVersion21 && !checkIndex(collateNoCase))
        return false;
    // Only a file that passed every check replaces the process-wide tables.
    CharacterServices::LoadTables(collate.data(), collateNoCase.data(), lowerDelta.data(), upperDelta.data());
    m_notUsable = 0;
    return true;
}

bool CMainDictionary::readHeader()
{
    char magic[kMagicSize];
    if (!m_stream.Read(magic, kMagicSize))
        return false;
    if (std::memcmp(magic, kMagic21, kMagicSize) == 0) {
        m_version = kVersion21;
        m_indexCount = kMaxIndexCount;
    } else if (std::memcmp(magic, kMagic30, kMagicSize) == 0) {
        m_version = kVersion30;
        m_indexCount = kMaxIndexCount;
    } else if (std::memcmp(magic, kMagic35, kMagicSize) == 0) {
        m_version = kVersion35;
        BYTE count[4];
        if (!m_stream.Seek(kIndexCountOffset) || !m_stream.Read(count, sizeof count))
            return false;
        DWORD value = readDword(count);
        if (value < static_cast<DWORD>(kMinIndexCount) || value > static_cast<DWORD>(kMaxIndexCount))
            return false;
        m_indexCount = static_cast<int>(value);
    } else {
        return false;
    }
    // Sized only for a file that names its layout: most files offered are no dictionary.
    m_index.resize(static_cast<size_t>(m_indexCount));
    if (!m_stream.Seek(kHeaderSize))
        return false;
    if (m_version == kVersion21)
        return true;
    std::vector<BYTE> raw(static_cast<size_t>(m_indexCount) * kIndexEntrySize);
    if (!m_stream.Read(raw.data(), raw.size()))
        return false;
    for (int k = 0; k < m_indexCount; ++k)
        m_index[static_cast<size_t>(k)] = parseEntry(raw.data() + static_cast<size_t>(k) * kIndexEntrySize);
    return true;
}

bool CMainDictionary::readTables(Table& collate, Table& collateNoCase, Table& lowerDelta, Table& upperDelta)
{
    for (Table* table : { &m_weights, &collate, &collateNoCase, &lowerDelta, &upperDelta })
        if (!m_stream.Read(table->data(), table->size()))
            return false;
    return m_stream.Seek(m_stream.Tell() + kTableSize);
}

bool CMainDictionary::readCodingTables()
{
    if (m_version == kVersion35)
        return true;
    if (!m_stream.Read(m_outputMap.data(), m_outputMap.size()))
        return false;
    for (auto& expansion : m_expansions) {
        if (!m_stream.Read(expansion.data(), expansion.size()))
            return false;
        // Each string ends within its six bytes and holds codes the output map covers.
        const char* end = static_cast<const char*>(std::memchr(expansion.data(), 0, expansion.size()));
        if (end == nullptr)
            return false;
        for (const char* c = expansion.data(); c != end; ++c)
            if (static_cast<BYTE>(*c) >= kOutputMapSize)
                return false;
    }
    if (m_version != kVersion21)
        return true;
    for (Table& map : m_inputMaps) {
        if (!m_stream.Read(map.data(), map.size()))
            return false;
        for (BYTE& b : map)
            b ^= kInputMapKey;
    }
    return true;
}

// The index must point into the word area, in file order, at records that share nothing
// with their predecessor, and its keys must be terminated and sorted.
bool CMainDictionary::checkIndex(const Table& collateNoCase)
{
    uint64_t wordArea = m_stream.Tell();
    uint64_t previousOffset = wordArea;
    for (int k = 0; k < m_indexCount; ++k) {
        const LexIndexEntry& entry = m_index[static_cast<size_t>(k)];
        if (entry.key[kKeyLength] != 0 || entry.offset < previousOffset || entry.offset >= m_stream.Size())
            return false;
        if (k > 0
            && CharacterServices::CompareThrough(
                   collateNoCase.data(), m_index[static_cast<size_t>(k) - 1].key, entry.key, kKeyLength)
                > 0)
            return false;
        if (!m_stream.Seek(entry.offset) || m_stream.Get() > 1)
            return false;
        previousOffset = entry.offset;
    }
    return true;
}

bool CMainDictionary::readIndexCache(const char* cacheName, DWORD fileTime)
{
    FILE* file = std::fopen(cacheName, "rb");
    if (file == nullptr)
        return false;
    // A cache is never longer than this; reading more would only waste time.
    std::vector<BYTE> raw(12 + static_cast<size_t>(m_indexCount) * kIndexEntrySize);
    size_t read = std::fread(raw.data(), 1, raw.size(), file);
    std::fclose(file);
    return parseIndexCache(raw.data(), read, fileTime);
}

bool CMainDictionary::parseIndexCache(const BYTE* bytes, size_t size, DWORD fileTime)
{
    if (m_version != kVersion21 || size < 12 + static_cast<size_t>(m_indexCount) * kIndexEntrySize
        || readDword(bytes) != fileTime || readDword(bytes + 4) != static_cast<DWORD>(m_indexCount)
        || readDword(bytes + 8) != kIndexCacheMarker)
        return false;
    const BYTE* entries = bytes + 12;
    // Checked whole before the index takes any of it.
    for (int k = 0; k < m_indexCount; ++k) {
        LexIndexEntry entry = parseEntry(entries + static_cast<size_t>(k) * kIndexEntrySize);
        if (entry.key[kKeyLength] != 0 || entry.offset < static_cast<DWORD>(kWordArea21)
            || entry.offset >= m_stream.Size())
            return false;
    }
    for (int k = 0; k < m_indexCount; ++k)
        m_index[static_cast<size_t>(k)] = parseEntry(entries + static_cast<size_t>(k) * kIndexEntrySize);
    return true;
}

bool CMainDictionary::LoadIndexCache(const BYTE* bytes, size_t size, DWORD fileTime)
{
    if (!IsUsable() || bytes == nullptr || !parseIndexCache(bytes, size, fileTime))
        return false;
    matchEntryRecords();
    m_aids.built = false;
    return true;
}

void CMainDictionary::writeIndexCache(const char* cacheName, DWORD fileTime) const
{
    std::vector<BYTE> raw(12 + static_cast<size_t>(m_indexCount) * kIndexEntrySize);
    writeDword(raw.data(), fileTime);
    writeDword(raw.data() + 4, static_cast<DWORD>(m_indexCount));
    writeDword(raw.data() + 8, kIndexCacheMarker);
    for (int k = 0; k < m_indexCount; ++k)
        serializeEntry(
            m_index[static_cast<size_t>(k)], raw.data() + 12 + static_cast<size_t>(k) * kIndexEntrySize);
    // Written beside and renamed, so a failed write leaves the old cache intact.
    std::string temporary = std::string(cacheName) + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return;
    char buffer[8192];
    std::setvbuf(file, buffer, _IOFBF, sizeof buffer);
    bool written = std::fwrite(raw.data(), 1, raw.size(), file) == raw.size();
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), cacheName) != 0)
        std::remove(temporary.c_str());
}

// Spreads the entries evenly over the word area by file position, each at the start of a
// run of words that share their first seven characters.
void CMainDictionary::buildIndexByScanning()
{
    const int64_t area = kWordArea21;
    char word[kMaxWordLength + 1];
    for (LexIndexEntry& entry : m_index)
        entry.offset = static_cast<DWORD>(area);
    m_stream.Seek(area);
    ReadNextWord(word, sizeof word);
    m_index[0] = makeEntry(word, static_cast<DWORD>(area));
    LexIndexEntry run = m_index[0];
    int64_t size = static_cast<int64_t>(m_stream.Size());
    // A word area under 100 bytes would divide by zero: such a file keeps one run entry.
    int64_t span = std::max<int64_t>((size - area) / 100, 1);
    m_stream.Seek(area);
    int i = 1;
    for (;;) {
        int64_t position = static_cast<int64_t>(m_stream.Tell());
        if (!ReadNextWord(word, sizeof word))
            break;
        if (CharacterServices::CompareNoCaseN(word, run.key, kKeyLength) != 0)
            run = makeEntry(word, static_cast<DWORD>(position));
        if (i < kMaxIndexCount && i < (position - area) / 100 * kMaxIndexCount / span)
            m_index[static_cast<size_t>(i++)] = run;
    }
    for (int k = i; k < kMaxIndexCount; ++k)
        m_index[static_cast<size_t>(k)] = m_index[static_cast<size_t>(i) - 1];
}

bool CMainDictionary::SeekToIndexEntry(int k)
{
    if (!IsUsable() || k < 0 || k >= m_indexCount)
        return false;
    return m_stream.Seek(m_index[static_cast<size_t>(k)].offset);
}

// The same search as comparing the keys over seven characters without case: both sides as
// their mapped characters, packed high byte first and zero after a word's end.
int CMainDictionary::FindIndexEntry(const char* word, bool beforeEqual)
{
    renewLookupAids();
    return searchKeys(CharacterServices::NoCaseOrder(), word, beforeEqual);
}

// The same search as comparing the keys over seven characters without case: both sides as
// their mapped characters, packed high byte first and zero after a word's end.
int CMainDictionary::searchKeys(const BYTE* order, const char* word, bool beforeEqual) const
{
    if (m_aids.keys.empty())
        return 0;
    uint64_t packed = packKey(order, word);
    int lo = 0;
    int hi = m_indexCount;
    for (;;) {
        int mid = (lo + hi) / 2;
        uint64_t key = m_aids.keys[static_cast<size_t>(mid)];
        if (key == packed)
            return beforeEqual ? mid - 1 : mid;
        if (hi - lo < 2)
            return lo;
        if (key < packed)
            lo = mid;
        else
            hi = mid;
    }
}

bool CMainDictionary::ReadNextWord(char* buffer, int size)
{
    m_decoded.clear();
    bool found
        = IsUsable() && (m_version == kVersion21 ? decodeRecord21(m_decoded) : decodeFrontCoded(m_decoded));
    if (!found)
        m_decoded.clear();
    copyOut(m_decoded, buffer, size);
    return found;
}

void CMainDictionary::appendCoded(BYTE code, std::vector<BYTE>& characters) const
{
    if (code & kExpansionFlag) {
        for (char c : m_expansions[code & ~kExpansionFlag]) {
            if (c == 0)
                break;
            characters.push_back(m_outputMap[static_cast<BYTE>(c)]);
        }
    } else {
        characters.push_back(m_outputMap[code]);
    }
    if (characters.size() > static_cast<size_t>(kMaxWordLength))
        characters.resize(kMaxWordLength);
}

bool CMainDictionary::decodeRecord21(std::vector<BYTE>& characters)
{
    int header = m_stream.Get();
    if (header < 0)
        return false;
    BYTE coded[kMaxRecordLength21];
    int length = header & kRecordLengthMask;
    if (!m_stream.Read(coded, static_cast<size_t>(length)))
        return false;
    const Table& map = m_inputMaps[static_cast<size_t>((header >> 6) & 3)];
    for (int i = 0; i < length; ++i)
        appendCoded(map[coded[i]], characters);
    return true;
}

bool CMainDictionary::decodeFrontCoded(std::vector<BYTE>& characters)
{
    int prefix = m_stream.Get();
    if (prefix < 0 || prefix >= kPrefixLimit)
        return false;
    size_t shared = prefix > 1 ? static_cast<size_t>(prefix - 1) : 0;
    // A record cannot share more than its predecessor had.
    if (shared > m_previousCoded.size()) {
        m_previousCoded.clear();
        return false;
    }
    m_previousCoded.resize(shared);
    for (int c = m_stream.Get(); c >= 0; c = m_stream.Get()) {
        if (c < kPrefixLimit) {
            m_stream.Unget();
            break;
        }
        if (m_previousCoded.size() < static_cast<size_t>(kMaxWordLength))
            m_previousCoded.push_back(static_cast<BYTE>(c));
    }
    if (m_version == kVersion35) {
        characters.assign(m_previousCoded.begin(), m_previousCoded.end());
        return true;
    }
    for (BYTE code : m_previousCoded)
        appendCoded(code, characters);
    return true;
}

// Decodes the word area front to back as reads from the first record would. The table ends
// at the first record that cannot be decoded; index entries past it are read from the file.
void CMainDictionary::buildWordTable()
{
    constexpr size_t kMaxTableBytes = 64u << 20;
    m_previousCoded.clear();
    m_stream.Seek(m_wordArea);
    char word[kMaxWordLength + 1];
    for (uint64_t position = m_stream.Tell(); ReadNextWord(word, sizeof word); position = m_stream.Tell()) {
        if (m_recordText.size() > kMaxTableBytes) {
            m_recordText.clear();
            m_recordStarts.clear();
            m_recordOffsets.clear();
            break;
        }
        m_recordOffsets.push_back(static_cast<uint32_t>(position));
        m_recordStarts.push_back(static_cast<uint32_t>(m_recordText.size()));
        m_recordText.insert(m_recordText.end(), word, word + std::strlen(word) + 1);
    }
    m_tableReachedEnd = !m_recordStarts.empty() && m_stream.Tell() == m_stream.Size();
    m_previousCoded.clear();
    m_stream.Seek(m_wordArea);
    matchEntryRecords();
}

// Index entries normally run in file order, so one forward walk finds them all; an entry
// that points back is searched for among the records already passed.
void CMainDictionary::matchEntryRecords()
{
    const std::vector<uint32_t>& offsets = m_recordOffsets;
    m_entryRecords.assign(static_cast<size_t>(m_indexCount), -1);
    auto at = offsets.begin();
    for (int k = 0; k < m_indexCount; ++k) {
        uint32_t wanted = m_index[static_cast<size_t>(k)].offset;
        if (at != offsets.begin() && *(at - 1) >= wanted)
            at = std::lower_bound(offsets.begin(), at, wanted);
        while (at != offsets.end() && *at < wanted)
            ++at;
        if (at != offsets.end() && *at == wanted)
            m_entryRecords[static_cast<size_t>(k)] = static_cast<int>(at - offsets.begin());
    }
}

int CMainDictionary::GetEntryRecord(int k) const
{
    return IsUsable() && k >= 0 && k < m_indexCount ? m_entryRecords[static_cast<size_t>(k)] : -1;
}

bool CMainDictionary::tableCoversFile() const
{
    return m_tableReachedEnd
        && std::find(m_entryRecords.begin(), m_entryRecords.end(), -1) == m_entryRecords.end();
}

void CMainDictionary::renewLookupAids()
{
    unsigned generation = CharacterServices::TablesGeneration();
    if (m_aids.built && m_aids.generation == generation)
        return;
    const BYTE* order = CharacterServices::NoCaseOrder();
    m_aids = LookupAids {};
    m_aids.keys.reserve(m_index.size());
    for (const LexIndexEntry& entry : m_index)
        m_aids.keys.push_back(packKey(order, entry.key));
    m_aids.answersAlone = IsUsable() && tableCoversFile();
    for (int r = 1; r < GetRecordCount() && m_aids.answersAlone; ++r)
        m_aids.answersAlone
            = CharacterServices::CompareWords(order, GetRecordWord(r - 1), GetRecordWord(r)) <= 0;
    if (m_aids.answersAlone) {
        size_t bits = 64;
        while (bits < static_cast<size_t>(GetRecordCount()) * 8)
            bits *= 2;
        m_aids.presence.assign(bits / 64, 0);
    }
    if (m_aids.answersAlone)
        m_aids.recordKeys.reserve(static_cast<size_t>(GetRecordCount()));
    for (int r = 0; m_aids.answersAlone && r < GetRecordCount(); ++r) {
        m_aids.recordKeys.push_back(packKey(order, GetRecordWord(r)));
        uint64_t bit
            = CharacterServices::FoldedHash(order, GetRecordWord(r)) & (m_aids.presence.size() * 64 - 1);
        m_aids.presence[bit / 64] |= uint64_t(1) << (bit % 64);
    }
    m_aids.built = true;
    m_aids.generation = generation;
}

// Words in order: the first word not below is found in steps that double from the start,
// then by halving, since it is usually near.
bool CMainDictionary::FindFirstNotBelow(const char* word, int& first)
{
    renewLookupAids();
    if (!m_aids.answersAlone)
        return false;
    const BYTE* order = CharacterServices::NoCaseOrder();
    int end = GetRecordCount();
    // No word equal to it: the walk would find nothing, wherever it starts.
    if (!mayBePresent(order, word)) {
        first = end;
        return true;
    }
    uint64_t packed = packKey(order, word);
    // Words whose first seven characters differ order as those do.
    auto below = [&](int r) {
        uint64_t key = m_aids.recordKeys[static_cast<size_t>(r)];
        return key != packed ? key < packed
                             : CharacterServices::CompareWords(order, GetRecordWord(r), word) < 0;
    };
    int low = m_entryRecords[static_cast<size_t>(searchKeys(order, word, false))];
    int probe = low;
    for (int step = 1; probe < end && below(probe); step *= 2) {
        low = probe + 1;
        probe = std::min(end, probe + step);
    }
    int high = probe;
    while (low < high) {
        int middle = low + (high - low) / 2;
        if (below(middle))
            low = middle + 1;
        else
            high = middle;
    }
    first = low;
    return true;
}

bool CMainDictionary::mayBePresent(const BYTE* order, const char* word) const
{
    uint64_t bit = CharacterServices::FoldedHash(order, word) & (m_aids.presence.size() * 64 - 1);
    return (m_aids.presence[bit / 64] >> (bit % 64)) & 1;
}
