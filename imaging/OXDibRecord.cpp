#include "imaging/OXDib.h"

#include "imaging/LockedBlock.h"

#include "platform/core/Archive.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Dib.h"
#include "platform/core/MemFile.h"
#include "platform/sys/AtomicFile.h"

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr WORD kBmpMagic = 0x4D42;  // "BM"
constexpr UINT kPiece = 16384;
constexpr DWORD kLargestHeader = 124;

// FALSE instead of the end-of-file exception: a record that is too short is a failed read.
bool Available(CArchive& ar, uint64_t bytes)
{
    try {
        ar.CheckAvailable(bytes);
    } catch (CArchiveException* e) {
        e->Delete();
        return false;
    }
    return true;
}

bool ReadExactly(CArchive& ar, void* buffer, uint64_t bytes)
{
    auto* out = static_cast<BYTE*>(buffer);
    while (bytes) {
        UINT piece = UINT(std::min<uint64_t>(bytes, kPiece));
        if (ar.Read(out, piece) != piece)
            return false;
        out += piece;
        bytes -= piece;
    }
    return true;
}

bool Skip(CArchive& ar, uint64_t bytes)
{
    std::vector<BYTE> scratch(size_t(std::min<uint64_t>(bytes, kPiece)));
    while (bytes) {
        UINT piece = UINT(std::min<uint64_t>(bytes, kPiece));
        if (ar.Read(scratch.data(), piece) != piece)
            return false;
        bytes -= piece;
    }
    return true;
}

bool IsSupportedFormat(const BITMAPINFOHEADER& h)
{
    bool bits = h.biBitCount == 1 || h.biBitCount == 4 || h.biBitCount == 8 || h.biBitCount == 16 ||
                h.biBitCount == 24 || h.biBitCount == 32;
    bool compression = h.biCompression == BI_RGB || (h.biCompression == BI_RLE8 && h.biBitCount == 8) ||
                       (h.biCompression == BI_RLE4 && h.biBitCount == 4) ||
                       (h.biCompression == BI_BITFIELDS && (h.biBitCount == 16 || h.biBitCount == 32));
    return bits && compression && h.biWidth > 0 && h.biHeight != 0 && h.biHeight != INT_MIN;
}

// The info header of the record, from a core header or from an info header of any later size;
// the masks that newer headers carry inside them come back separately.
bool ReadHeader(CArchive& ar, DWORD size, BITMAPINFOHEADER& h, std::vector<BYTE>& headerMasks)
{
    h = BITMAPINFOHEADER{};
    if (size == sizeof(BITMAPCOREHEADER)) {
        BITMAPCOREHEADER core{};
        if (!ReadExactly(ar, &core.bcWidth, sizeof(core) - sizeof(DWORD)))
            return false;
        h.biWidth = core.bcWidth;
        h.biHeight = core.bcHeight;
        h.biPlanes = core.bcPlanes;
        h.biBitCount = core.bcBitCount;
    } else {
        if (size < sizeof(h) || size > kLargestHeader || !ReadExactly(ar, &h.biWidth, sizeof(h) - sizeof(DWORD)))
            return false;
        std::vector<BYTE> rest(size - sizeof(h));
        if (!ReadExactly(ar, rest.data(), rest.size()))
            return false;
        if (h.biCompression == BI_BITFIELDS && rest.size() >= 3 * sizeof(DWORD))
            headerMasks.assign(rest.begin(), rest.begin() + 3 * sizeof(DWORD));
    }
    h.biSize = sizeof(h);
    return IsSupportedFormat(h);
}

// Colour table entries of the record; 0 for the formats that carry none.
DWORD RecordColours(const BITMAPINFOHEADER& h, bool core)
{
    if (core || (h.biClrUsed == 0 && h.biBitCount < 9))
        return h.biBitCount < 9 ? 1u << h.biBitCount : 0;
    return h.biClrUsed;
}

struct RecordPlan {
    BITMAPINFOHEADER header{};
    bool core = false;
    std::vector<BYTE> headerMasks;
    DWORD colours = 0;
    DWORD tableBytes = 0;  // in the block: 4-byte entries and the masks
    DWORD fileTable = 0;   // in the record, after the header
    uint64_t gap = 0;      // between the table and the pixels
};

// Colour table, masks and pixels of the record, in the order a packed DIB keeps them.
bool ReadTableAndPixels(CArchive& ar, const RecordPlan& plan, BYTE* block)
{
    BYTE* table = block + sizeof(BITMAPINFOHEADER);
    if (plan.core) {
        // Spread 3-byte entries to 4 bytes from the last one, so nothing is overwritten.
        if (!ReadExactly(ar, table, plan.fileTable))
            return false;
        for (DWORD i = plan.colours; i-- > 0;) {
            RGBQUAD quad{table[i * 3], table[i * 3 + 1], table[i * 3 + 2], 0};
            std::memcpy(table + i * sizeof(RGBQUAD), &quad, sizeof(quad));
        }
    } else {
        std::copy(plan.headerMasks.begin(), plan.headerMasks.end(), table);
        if (!ReadExactly(ar, table + plan.headerMasks.size(), plan.fileTable))
            return false;
    }
    return Skip(ar, plan.gap) && ReadExactly(ar, table + plan.tableBytes, plan.header.biSizeImage);
}

HGLOBAL ReadBlock(CArchive& ar, const RecordPlan& plan)
{
    const uint64_t total = sizeof(BITMAPINFOHEADER) + uint64_t(plan.tableBytes) + plan.header.biSizeImage;
    HGLOBAL handle = total <= kGlobalMaxBlock ? GlobalAlloc(GHND, SIZE_T(total)) : nullptr;
    if (!handle)
        return nullptr;
    bool read = false;
    {
        CLockedBlock block(handle);
        if (block.data()) {
            std::memcpy(block.data(), &plan.header, sizeof(plan.header));
            read = ReadTableAndPixels(ar, plan, block.data());
        }
    }
    if (read)
        return handle;
    GlobalFree(handle);
    return nullptr;
}

}  // namespace

void COXDIB::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        Write(ar);
    else
        Read(ar);
}

BOOL COXDIB::Read(CArchive& ar)
{
    Free();
    BITMAPFILEHEADER file{};
    DWORD headerSize = 0;
    if (!ReadExactly(ar, &file, sizeof(file)) || file.bfType != kBmpMagic || !ReadExactly(ar, &headerSize, 4))
        return FALSE;
    RecordPlan plan;
    plan.core = headerSize == sizeof(BITMAPCOREHEADER);
    BITMAPINFOHEADER& h = plan.header;
    if (!ReadHeader(ar, headerSize, h, plan.headerMasks))
        return FALSE;
    plan.colours = RecordColours(h, plan.core);
    if (plan.colours > 256)
        return FALSE;
    if (h.biClrUsed == 0 && h.biBitCount < 9)
        h.biClrUsed = plan.colours;
    const bool masks = h.biCompression == BI_BITFIELDS;
    plan.tableBytes = (plan.colours + (masks ? 3 : 0)) * sizeof(RGBQUAD);
    plan.fileTable = plan.core ? plan.colours * sizeof(RGBTRIPLE) : plan.tableBytes - DWORD(plan.headerMasks.size());
    if (h.biCompression != BI_RLE8 && h.biCompression != BI_RLE4)
        h.biSizeImage = DibImageSize(&h);
    // The pixels start where the file header says; 0 there means right after the table.
    const uint64_t tableEnd = sizeof(file) + uint64_t(headerSize) + plan.fileTable;
    if (h.biSizeImage == 0 || (file.bfOffBits && file.bfOffBits < tableEnd))
        return FALSE;
    plan.gap = file.bfOffBits ? file.bfOffBits - tableEnd : 0;
    if (!Available(ar, plan.fileTable + plan.gap + h.biSizeImage))
        return FALSE;
    HGLOBAL block = ReadBlock(ar, plan);
    if (!block)
        return FALSE;
    Attach(block);
    return TRUE;
}

BOOL COXDIB::Write(CArchive& ar)
{
    PackedDibLayout layout;
    if (!GetLayout(layout) || layout.core || layout.headerSize != sizeof(BITMAPINFOHEADER))
        return FALSE;
    CLockedBlock locked(m_hDIB);
    BYTE* block = locked.data();
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(block);
    if (header->biCompression != BI_RLE8 && header->biCompression != BI_RLE4)
        header->biSizeImage = layout.imageBytes;
    const DWORD dibBytes = layout.headerSize + layout.tableBytes + layout.imageBytes;
    const DWORD offBits = sizeof(BITMAPFILEHEADER) + layout.headerSize + layout.tableBytes;
    ar << kBmpMagic << DWORD(offBits + layout.imageBytes) << WORD(0) << WORD(0) << offBits;
    for (DWORD done = 0; done < dibBytes; done += kPiece)
        ar.Write(block + done, std::min(kPiece, dibBytes - done));
    return TRUE;
}

BOOL COXDIB::Write(LPCTSTR path)
{
    if (!path || !m_hDIB)
        return FALSE;
    std::string bytes;
    try {
        CMemFile memory;
        CArchive ar(&memory, CArchive::store, 4096);
        if (!Write(ar))
            return FALSE;
        ar.Close();
        bytes.resize(size_t(memory.GetLength()));
        memory.SeekToBegin();
        memory.Read(bytes.data(), UINT(bytes.size()));
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return WriteFileAtomically(path, bytes) ? TRUE : FALSE;
}
