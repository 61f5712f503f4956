// The Exif block of a JPEG picture: the raw APP1 payload as read, and its main,
// sub and maker-note tags decoded into entries found by case-insensitive keys
// ("Main.Make", "Sub.FStop").
#pragma once

#include "piclib/common/PLExifEntry.h"
#include "piclib/common/PLExifTables.h"
#include "piclib/common/PLObject.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct jpeg_marker_struct;
struct jpeg_compress_struct;

class PLExifData : public PLObject {
public:
    using EntryPtr = std::shared_ptr<PLExifEntry>;
    using EntryList = std::vector<EntryPtr>;

    PLExifData() = default;
    PLExifData(const PLExifData&) = delete;
    PLExifData& operator=(const PLExifData&) = delete;

    // Reads the last APP1 marker of the list that holds Exif data. A malformed main
    // or sub directory raises PLTextException code 14; the entries read before stay.
    void ReadFromMarkers(jpeg_marker_struct* markers);
    // Writes the raw block unchanged as an APP1 marker; nothing when there is none.
    void WriteAsMarker(jpeg_compress_struct* cinfo) const;

    static std::string LowerKey(const std::string& key);

    // Null when no entry has this key, in any mix of case.
    EntryPtr GetEntry(const std::string& key) const;

    const EntryList& GetAllEntries() const { return m_All; }
    const EntryList& GetMainEntries() const { return m_Main; }
    const EntryList& GetSubEntries() const { return m_Sub; }
    const EntryList& GetMakerEntries() const { return m_Maker; }

    const uint8_t* GetBlock() const { return m_pBlock ? m_pBlock->data() : nullptr; }
    size_t GetBlockLength() const { return m_Length; }
    bool IsBigEndian() const { return m_bBigEndian; }

private:
    friend class PLExifMakerNote;

    void reset();
    void readBlock();
    void readMakerNote();
    void readDirectory(PLExifTagTable table, const std::string& prefix, EntryList& list);
    void readEntry(PLExifTagTable table, const std::string& prefix, EntryList& list);
    void add(const EntryPtr& entry, EntryList& list);

    // Moves the read position to base + offset.
    void seek(int64_t offset);
    // The next n bytes at the read position, which then moves past them.
    const uint8_t* take(size_t n);
    uint16_t read16();
    uint32_t read32();

    std::shared_ptr<std::vector<uint8_t>> m_pBlock;
    size_t m_Length = 0;
    int64_t m_Pos = 0;
    int64_t m_Base = 0;
    bool m_bBigEndian = false;
    EntryList m_All;
    EntryList m_Main;
    EntryList m_Sub;
    EntryList m_Maker;
    std::map<std::string, EntryPtr> m_Map;
};
