// The bitmap object's record: two tags, the back colour, the picture (as a JPEG copy or with
// its own pixels) and the layout.
#include "objects/kinds/BitmapOb.h"

#include "objects/VersionTag.h"
#include "objects/kinds/KindShared.h"
#include "piclib/common/PLJPEGDecoder.h"
#include "piclib/common/PLJPEGEncoder.h"
#include "piclib/common/PLMemSink.h"
#include "piclib/common/PLTextException.h"
#include "piclib/common/PLWinBmp.h"
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

namespace {
constexpr DWORD JpegFollows = 1;
// Room for the JPEG headers of pictures so small that their .bmp image is shorter.
constexpr int JpegHeaderRoom = 4096;

bool IsEmbeddedKind(const CExtDib& picture)
{
    return picture.m_kind == CExtDib::InPlace || picture.m_kind == CExtDib::Embedded;
}

// The picture as a device bitmap the codec can read; NULL when it cannot be made.
HBITMAP MakeDeviceBitmap(CExtDib& picture)
{
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CSize size;
    CBitmap* previous = picture.SelectIntoDC(&memory, &size);
    if (!previous)
        return nullptr;
    return static_cast<HBITMAP>(::SelectObject(memory.GetSafeHdc(), previous->GetSafeHandle()));
}
}

void CBitmapOb::Serialize(CArchive& archive)
{
    CHyperDrawOb::Serialize(archive);
    if (archive.IsStoring())
        StoreFields(archive);
    else
        LoadFields(archive);
}

void CBitmapOb::StoreFields(CArchive& archive)
{
    CVersionTag(&archive, this, 0).Write();
    CVersionTag(&archive, this, 1).Write();
    archive << static_cast<DWORD>(BackColor);
    // Exact-colour transparency does not survive JPEG artefacts.
    const bool transparent = m_picture.HasTransparentColour() && m_picture.GetSize();
    if (!m_jpeg && IsEmbeddedKind(m_picture) && !transparent)
        MakeJpegCopy();
    if (m_jpeg && !transparent) {
        archive << JpegFollows;
        m_picture.SerializeEx(archive, FALSE);
        archive << static_cast<DWORD>(m_jpeg->size());
        if (!m_jpeg->empty())
            archive.Write(m_jpeg->data(), static_cast<UINT>(m_jpeg->size()));
    } else {
        archive << DWORD(0);
        m_picture.SerializeEx(archive, TRUE);
    }
    archive << static_cast<DWORD>(Layout);
}

void CBitmapOb::LoadFields(CArchive& archive)
{
    CVersionTag(&archive, this, 0).Read();
    const BOOL current = CVersionTag(&archive, this, 1).Read();
    BackColor = static_cast<COLORREF>(ReadInt32(archive));
    m_jpeg.reset();
    if (current && ReadInt32(archive) != 0)
        LoadJpegCopy(archive);
    else
        m_picture.SerializeEx(archive, TRUE);
    Layout = ReadInt32(archive);
}

void CBitmapOb::LoadJpegCopy(CArchive& archive)
{
    m_picture.SerializeEx(archive, FALSE);
    m_jpeg = ReadSizedBytes(archive, static_cast<DWORD>(ReadInt32(archive)));
    RestoreFromJpeg();
}

void CBitmapOb::RestoreFromJpeg()
{
    if (m_jpeg->empty())
        return;
    try {
        PLWinBmp decoded;
        PLJPEGDecoder decoder;
        decoder.MakeBmpFromMemory(m_jpeg->data(), static_cast<int>(m_jpeg->size()), &decoded);
        CDC memory;
        memory.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        CDC screen;
        screen.Attach(::GetDC(nullptr));
        const BOOL made = bitmap.CreateCompatibleBitmap(&screen, decoded.GetWidth(), decoded.GetHeight());
        ::ReleaseDC(nullptr, screen.Detach());
        if (!made)
            return;
        CBitmap* old = memory.SelectObject(&bitmap);
        decoded.Draw(memory.GetSafeHdc(), 0, 0);
        memory.SelectObject(old);
        BITMAP info {};
        bitmap.GetBitmap(&info);
        m_picture.CreateFromBitmap(&memory, &bitmap, static_cast<UINT>(info.bmBitsPixel * info.bmPlanes), TRUE);
    } catch (const PLTextException&) {
        // The picture keeps what its record gave it.
    }
}

BOOL CBitmapOb::MakeJpegCopy()
{
    m_jpeg.reset();
    if (!m_picture.GetSize())
        return FALSE;
    HBITMAP device = MakeDeviceBitmap(m_picture);
    if (!device)
        return FALSE;
    try {
        PLWinBmp bmp;
        bmp.CreateFromHBitmap(device);
        ::DeleteObject(device);
        device = nullptr;
        PLMemSink sink;
        sink.Open("TmpJPEG", static_cast<int>(std::min<DWORD>(m_picture.GetSize(), INT32_MAX - JpegHeaderRoom)) +
                                 JpegHeaderRoom);
        PLJPEGEncoder encoder;
        encoder.SetQuality(JpegQuality);
        encoder.SaveBmp(&bmp, &sink);
        m_jpeg.emplace(sink.GetBytes(), sink.GetBytes() + sink.GetDataSize());
        sink.Close();
    } catch (const PLTextException&) {
        if (device)
            ::DeleteObject(device);
        m_jpeg.reset();
        return FALSE;
    }
    return TRUE;
}
