#include "imaging/Dib.h"

#include "platform/core/Archive.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Dib.h"

#include <cstdlib>
#include <cstring>
#include <vector>

IMPLEMENT_SERIAL(CDib, CObject, 1)

namespace {

constexpr WORD kBmpMagic = 0x4D42;  // "BM"

bool IsValidBitCount(WORD bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

DWORD DibTableBytes(const BITMAPINFOHEADER& header)
{
    DWORD entries = header.biClrUsed;
    if (header.biBitCount <= 8 && entries == 0)
        entries = 1u << header.biBitCount;
    DWORD masks = header.biCompression == BI_BITFIELDS ? 3 : 0;
    return (entries + masks) * sizeof(RGBQUAD);
}

BOOL IsUsableDibImage(const BYTE* image, DWORD size)
{
    constexpr DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    if (!image || size < headers)
        return FALSE;
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    std::memcpy(&file, image, sizeof(file));
    std::memcpy(&info, image + sizeof(file), sizeof(info));
    if (file.bfType != kBmpMagic || info.biSize < sizeof(BITMAPINFOHEADER) || !IsValidBitCount(info.biBitCount))
        return FALSE;
    if (info.biClrUsed > 256 || (info.biBitCount <= 8 && info.biClrUsed > (1u << info.biBitCount)))
        return FALSE;
    uint64_t tableEnd = sizeof(file) + uint64_t(info.biSize) + DibTableBytes(info);
    if (tableEnd > file.bfOffBits || file.bfOffBits > size)
        return FALSE;
    DWORD pixels = DibImageSize(&info);
    return pixels != 0 && pixels <= size - file.bfOffBits;
}

CDib::~CDib()
{
    Free();
}

void CDib::Free()
{
    if (m_handle) {
        GlobalUnlock(m_handle);
        GlobalFree(m_handle);
    }
    m_handle = nullptr;
    m_block = nullptr;
    m_size = 0;
    m_bitCount = 0;
    m_fileHeader = nullptr;
    m_info = nullptr;
    m_bitmapInfo = nullptr;
    m_bits = nullptr;
}

BOOL CDib::Allocate(BOOL keep)
{
    HGLOBAL handle = nullptr;
    if (keep && m_handle) {
        GlobalUnlock(m_handle);
        handle = GlobalReAlloc(m_handle, m_size, GMEM_MOVEABLE | GMEM_ZEROINIT);
        if (!handle)
            GlobalFree(m_handle);
    } else {
        if (m_handle) {
            GlobalUnlock(m_handle);
            GlobalFree(m_handle);
        }
        handle = m_size ? GlobalAlloc(GHND, m_size) : nullptr;
    }
    m_handle = handle;
    m_block = handle ? static_cast<BYTE*>(GlobalLock(handle)) : nullptr;
    if (!m_block) {
        Free();
        return FALSE;
    }
    SetPointers();
    return TRUE;
}

void CDib::SetPointers()
{
    m_fileHeader = reinterpret_cast<BITMAPFILEHEADER*>(m_block);
    m_info = m_size >= sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)
                 ? reinterpret_cast<BITMAPINFOHEADER*>(m_block + sizeof(BITMAPFILEHEADER))
                 : nullptr;
    m_bitmapInfo = reinterpret_cast<BITMAPINFO*>(m_info);
    m_bits = m_info && m_fileHeader->bfOffBits <= m_size ? m_block + m_fileHeader->bfOffBits : nullptr;
}

BOOL CDib::Adopt(const BYTE* image, DWORD size)
{
    if (!IsUsableDibImage(image, size))
        return FALSE;
    Free();
    m_size = size;
    if (!Allocate(FALSE))
        return FALSE;
    std::memcpy(m_block, image, size);
    SetPointers();
    m_bitCount = m_info->biBitCount;
    return TRUE;
}

BOOL CDib::CreateBlank(const BITMAPINFOHEADER& header, const void* table, DWORD tableBytes)
{
    DWORD offBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + tableBytes;
    DWORD pixels = DibImageSize(&header);
    uint64_t total = uint64_t(offBits) + pixels;
    Free();
    if (pixels == 0 || total > kGlobalMaxBlock)
        return FALSE;
    m_size = DWORD(total);
    if (!Allocate(FALSE))
        return FALSE;
    BITMAPFILEHEADER file{kBmpMagic, m_size, 0, 0, offBits};
    std::memcpy(m_block, &file, sizeof(file));
    std::memcpy(m_block + sizeof(file), &header, sizeof(header));
    if (tableBytes)
        std::memcpy(m_block + sizeof(file) + sizeof(header), table, tableBytes);
    SetPointers();
    m_bitCount = header.biBitCount;
    return TRUE;
}

void CDib::CopyFrom(const CDib* other)
{
    Free();
    if (other && other->m_size) {
        m_size = other->m_size;
        if (Allocate(FALSE)) {
            std::memcpy(m_block, other->m_block, m_size);
            SetPointers();
            m_bitCount = other->m_bitCount;
        }
    }
    if (other)
        m_pack = other->m_pack;
}

BOOL CDib::UsesCompression() const
{
    return m_pack != nullptr || (m_info && m_info->biCompression != BI_RGB);
}

void CDib::GetBitmapInfo(BITMAPINFO* out) const
{
    if (m_info && out)
        std::memcpy(out, m_info, std::min<size_t>(sizeof(BITMAPINFO), m_size - sizeof(BITMAPFILEHEADER)));
}

void CDib::GetBitmapInfoHeader(BITMAPINFOHEADER* out) const
{
    if (m_info && out)
        std::memcpy(out, m_info, sizeof(BITMAPINFOHEADER));
}

void CDib::SetMonoColours(COLORREF c0, COLORREF c1)
{
    if (m_info && m_bitCount == 1) {
        const COLORREF colours[2] = {c0, c1};
        std::memcpy(reinterpret_cast<BYTE*>(m_info) + m_info->biSize, colours, sizeof(colours));
    }
}

BOOL CDib::GetMonoColours(COLORREF* c0, COLORREF* c1) const
{
    if (!m_info || m_bitCount != 1)
        return FALSE;
    COLORREF colours[2];
    std::memcpy(colours, reinterpret_cast<const BYTE*>(m_info) + m_info->biSize, sizeof(colours));
    if (c0)
        *c0 = colours[0];
    if (c1)
        *c1 = colours[1];
    return TRUE;
}

void CDib::WritePacked(CArchive& ar) const
{
    BYTE* out = nullptr;
    DWORD outSize = 0;
    BOOL packed = m_pack(1, m_block, m_size, &out, &outSize);
    // A failed packing would store an empty picture; store it plain instead.
    if (packed && out) {
        ar << PackedTag << outSize;
        ar.Write(out, outSize);
    } else {
        ar << PlainTag << m_size;
        ar.Write(m_block, m_size);
    }
    std::free(out);
}

void CDib::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        if (m_pack && m_size && UsesCompression())
            return WritePacked(ar);
        ar << PlainTag << m_size;
        if (m_size)
            ar.Write(m_block, m_size);
        return;
    }
    WORD tag = 0;
    DWORD size = 0;
    ar >> tag >> size;
    if (size == 0)
        return Free();
    ar.CheckAvailable(size);
    std::vector<BYTE> bytes(size);
    if (ar.Read(bytes.data(), size) != size)
        ar.ThrowException(CArchiveException::endOfFile);
    if (tag != PlainTag && !(tag == PackedTag && m_pack))
        return;
    if (tag == PackedTag) {
        BYTE* out = nullptr;
        DWORD outSize = 0;
        BOOL unpacked = m_pack(0, bytes.data(), size, &out, &outSize) && out;
        bytes.assign(out, unpacked ? out + outSize : out);
        std::free(out);
        if (!unpacked)
            return;
    }
    if (!IsUsableDibImage(bytes.data(), DWORD(bytes.size())))
        ar.ThrowException(CArchiveException::genericException);
    Adopt(bytes.data(), DWORD(bytes.size()));
}
