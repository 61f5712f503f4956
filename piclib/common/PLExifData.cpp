#include "piclib/common/PLExifData.h"

#include "piclib/common/PLExifException.h"
#include "piclib/common/PLExifMakerNote.h"
#include "piclib/common/PLTextException.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>

namespace {

const uint8_t ExifHeader[6] = { 'E', 'x', 'i', 'f', 0, 0 };
constexpr int64_t TiffHeaderStart = 6;
constexpr uint32_t LargestCount = 65536;

bool holdsExif(const jpeg_marker_struct& marker)
{
    return marker.marker == JPEG_APP0 + 1 && marker.data_length >= sizeof ExifHeader
        && std::memcmp(marker.data, ExifHeader, sizeof ExifHeader) == 0;
}

// Reverses every unit of the given width in place.
void swapUnits(std::vector<uint8_t>& bytes, int width)
{
    if (width < 2)
        return;
    for (size_t i = 0; i + width <= bytes.size(); i += width)
        std::reverse(
            bytes.begin() + static_cast<ptrdiff_t>(i), bytes.begin() + static_cast<ptrdiff_t>(i + width));
}

std::string hexKey(const std::string& prefix, uint32_t tag)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04x", tag);
    return prefix + digits;
}

} // namespace

std::string PLExifData::LowerKey(const std::string& key)
{
    std::string lower = key;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

void PLExifData::reset()
{
    m_pBlock.reset();
    m_Length = 0;
    m_Pos = 0;
    m_Base = 0;
    m_bBigEndian = false;
    m_All.clear();
    m_Main.clear();
    m_Sub.clear();
    m_Maker.clear();
    m_Map.clear();
}

void PLExifData::ReadFromMarkers(jpeg_marker_struct* markers)
{
    reset();
    const jpeg_marker_struct* exif = nullptr;
    for (const jpeg_marker_struct* m = markers; m; m = m->next)
        if (holdsExif(*m))
            exif = m;
    if (!exif)
        return;
    m_pBlock = std::make_shared<std::vector<uint8_t>>(exif->data, exif->data + exif->data_length);
    m_Length = exif->data_length;
    try {
        readBlock();
    } catch (const PLExifException& e) {
        for (const EntryPtr& entry : m_All)
            entry->ReleaseValueBytes();
        throw PLTextException(PL_ERRBAD_EXIF, e.GetText());
    }
}

void PLExifData::readBlock()
{
    m_Pos = sizeof ExifHeader;
    const uint8_t* order = take(2);
    if (order[0] == 'M' && order[1] == 'M')
        m_bBigEndian = true;
    else if (order[0] == 'I' && order[1] == 'I')
        m_bBigEndian = false;
    take(2);
    m_Base = TiffHeaderStart;
    seek(read32());
    readDirectory(PLExifMainTable(), "Main.", m_Main);
    if (const EntryPtr sub = GetEntry("Main.ExifOffset")) {
        seek(sub->GetIntValue());
        readDirectory(PLExifSubTable(), "Sub.", m_Sub);
    }
    readMakerNote();
    for (const EntryPtr& entry : m_All)
        entry->ReleaseValueBytes();
}

// A broken maker note costs only its own entries.
void PLExifData::readMakerNote()
{
    const int64_t base = m_Base;
    const bool bigEndian = m_bBigEndian;
    try {
        PLExifMakerNote::Read(*this);
    } catch (const PLExifException&) {
    }
    m_Base = base;
    m_bBigEndian = bigEndian;
}

void PLExifData::readDirectory(PLExifTagTable table, const std::string& prefix, EntryList& list)
{
    const uint16_t count = read16();
    const int64_t first = m_Pos - m_Base;
    for (int64_t i = 0; i < count; ++i) {
        seek(first + 12 * i);
        readEntry(table, prefix, list);
    }
}

void PLExifData::readEntry(PLExifTagTable table, const std::string& prefix, EntryList& list)
{
    const uint16_t tag = read16();
    const uint16_t format = read16();
    const uint32_t count = read32();
    if (count == 0)
        return;
    const PLExifFormatRow* formatRow = PLExifFormatOf(format);
    if (!formatRow)
        throw PLExifException("EXIF Tag format field not understood");
    const uint64_t size = uint64_t { count } * formatRow->elementBytes;
    if (count > LargestCount || size > LargestCount)
        throw PLExifException("EXIF NoComp field not understood");
    const PLExifTagRow* row = PLExifFindRow(table, tag);
    std::string key = row ? prefix + row->shortName : hexKey(prefix, tag);
    if (size > 4)
        seek(read32());
    const auto valueOffset = static_cast<uint32_t>(m_Pos - m_Base);
    const uint8_t* value = take(size);
    auto bytes = std::make_shared<std::vector<uint8_t>>(value, value + size);
    if (m_bBigEndian)
        swapUnits(*bytes, formatRow->swapBytes);
    auto entry = std::make_shared<PLExifEntry>(
        row, tag, format, count, std::move(key), std::move(bytes), valueOffset);
    entry->Format();
    add(entry, list);
}

void PLExifData::add(const EntryPtr& entry, EntryList& list)
{
    entry->SetLowerKey(LowerKey(entry->GetKey()));
    m_All.push_back(entry);
    m_Map[entry->GetLowerKey()] = entry;
    list.push_back(entry);
}

PLExifData::EntryPtr PLExifData::GetEntry(const std::string& key) const
{
    const auto found = m_Map.find(LowerKey(key));
    return found == m_Map.end() ? nullptr : found->second;
}

void PLExifData::WriteAsMarker(jpeg_compress_struct* cinfo) const
{
    if (m_Length > 0)
        jpeg_write_marker(cinfo, JPEG_APP0 + 1, m_pBlock->data(), static_cast<unsigned>(m_Length));
}

void PLExifData::seek(int64_t offset)
{
    m_Pos = m_Base + offset;
}

const uint8_t* PLExifData::take(size_t n)
{
    if (m_Pos < 0 || m_Pos > static_cast<int64_t>(m_Length) || n > m_Length - static_cast<size_t>(m_Pos))
        throw PLExifException("EXIF data reaches beyond the block");
    const uint8_t* p = m_pBlock->data() + m_Pos;
    m_Pos += static_cast<int64_t>(n);
    return p;
}

uint16_t PLExifData::read16()
{
    const uint8_t* p = take(2);
    return m_bBigEndian ? static_cast<uint16_t>(p[0] << 8 | p[1]) : static_cast<uint16_t>(p[1] << 8 | p[0]);
}

uint32_t PLExifData::read32()
{
    const uint8_t* p = take(4);
    const uint32_t b0 = p[0], b1 = p[1], b2 = p[2], b3 = p[3];
    return m_bBigEndian ? (b0 << 24 | b1 << 16 | b2 << 8 | b3) : (b3 << 24 | b2 << 16 | b1 << 8 | b0);
}
