#include "piclib/common/PLExifMakerNote.h"

#include "piclib/common/PLExifData.h"
#include "piclib/common/PLExifMakerTables.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Nikon's newer notes and Olympus' notes start with an 8-byte header.
constexpr int64_t NoteHeaderSize = 8;
constexpr int64_t FujifilmDirectoryStart = 12;

// Element i of a SHORT array whose value bytes are still held.
uint16_t element(const PLExifEntry& array, size_t i)
{
    uint16_t value;
    std::memcpy(&value, array.GetValueBytes()->data() + 2 * i, 2);
    return value;
}

bool isShortArray(const PLExifData::EntryPtr& entry)
{
    return entry && entry->GetFormat() == PLEXIF_SHORT && entry->GetValueBytes();
}

} // namespace

void PLExifMakerNote::Read(PLExifData& exif)
{
    const PLExifData::EntryPtr make = exif.GetEntry("Main.Make");
    const std::string maker = make ? PLExifData::LowerKey(make->GetValueText()) : std::string();
    const PLExifData::EntryPtr note = exif.GetEntry("Sub.Maker");
    if (!note)
        return;
    const int64_t offset = note->GetValueOffset();
    const auto made = [&maker](const char* name) { return maker.find(name) != std::string::npos; };
    if (made("nikon"))
        readNikon(exif, offset);
    else if (made("olympus"))
        readAt(exif, offset + NoteHeaderSize, PLExifOlympusTable(), "Oly.");
    else if (made("canon"))
        readCanon(exif, offset);
    else if (made("fujifilm"))
        readFujifilm(exif, offset);
    else if (made("casio"))
        readCasio(exif, offset);
}

void PLExifMakerNote::readNikon(PLExifData& exif, int64_t offset)
{
    exif.seek(offset);
    if (std::memcmp(exif.take(5), "Nikon", 5) == 0)
        readAt(exif, offset + NoteHeaderSize, PLExifNikon2Table(), "Nikon2.");
    else
        readAt(exif, offset, PLExifNikonTable(), "Nikon.");
}

void PLExifMakerNote::readCanon(PLExifData& exif, int64_t offset)
{
    readAt(exif, offset, PLExifCanonTable(), "Canon.");
    expandSettings(exif, "Canon.CnSet1", PLExifCanonSet1Table());
    expandSettings(exif, "Canon.CnSet2", PLExifCanonSet2Table());
    expandCustomFunctions(exif);
}

// The note is little-endian whatever the block says, and its offsets count from its start.
void PLExifMakerNote::readFujifilm(PLExifData& exif, int64_t offset)
{
    exif.m_bBigEndian = false;
    exif.m_Base += offset;
    readAt(exif, FujifilmDirectoryStart, PLExifFujiTable(), "Fuji.");
}

void PLExifMakerNote::readCasio(PLExifData& exif, int64_t offset)
{
    readAt(exif, offset, PLExifCasioTable(), "Casio.");
    const PLExifData::EntryPtr model = exif.GetEntry("Main.Model");
    const PLExifData::EntryPtr flash = exif.GetEntry("Casio.FlashMode");
    if (model && model->GetDisplayText() == "QV-2000UX" && flash && flash->GetIntValue() == 4)
        flash->SetTexts("Red Eye Reduction");
}

void PLExifMakerNote::readAt(PLExifData& exif, int64_t offset, PLExifTagTable table, const char* prefix)
{
    exif.seek(offset);
    exif.readDirectory(table, prefix, exif.m_Maker);
}

void PLExifMakerNote::expandSettings(PLExifData& exif, const char* arrayKey, PLExifTagTable table)
{
    const PLExifData::EntryPtr array = exif.GetEntry(arrayKey);
    if (!isShortArray(array))
        return;
    const std::string& key = array->GetKey();
    const std::string prefix = key.substr(key.find('.') + 1) + ".";
    for (const PLExifTagRow& row : table) {
        if (row.tag >= array->GetCount())
            break;
        const uint16_t value = element(*array, row.tag);
        std::vector<uint8_t> bytes(2);
        std::memcpy(bytes.data(), &value, 2);
        addValue(exif, &row, row.tag, PLEXIF_SHORT, prefix + row.shortName, std::move(bytes),
            array->GetValueOffset() + 2 * row.tag);
    }
}

// Each element after the length holds a function number (high byte) and its setting.
void PLExifMakerNote::expandCustomFunctions(PLExifData& exif)
{
    const PLExifData::EntryPtr array = exif.GetEntry("Canon.CustomFnc");
    if (!isShortArray(array))
        return;
    const size_t end = std::min<size_t>(element(*array, 0) / 2, array->GetCount());
    for (size_t i = 1; i < end; ++i) {
        const uint16_t value = element(*array, i);
        const uint32_t function = value >> 8;
        if (function == 0)
            continue;
        const PLExifTagRow* row = PLExifFindRow(PLExifCanonCustomTable(), function);
        char number[4];
        std::snprintf(number, sizeof number, "%02x", function);
        addValue(exif, row, function, PLEXIF_BYTE, std::string("CanonCFn.") + (row ? row->shortName : number),
            { static_cast<uint8_t>(value & 0xFF) }, array->GetValueOffset() + static_cast<uint32_t>(2 * i));
    }
}

void PLExifMakerNote::addValue(PLExifData& exif, const PLExifTagRow* row, uint32_t tag, int format,
    std::string key, std::vector<uint8_t> bytes, uint32_t valueOffset)
{
    auto value = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
    auto entry
        = std::make_shared<PLExifEntry>(row, tag, format, 1, std::move(key), std::move(value), valueOffset);
    entry->Format();
    exif.add(entry, exif.m_Maker);
}
