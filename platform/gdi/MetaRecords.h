// Private to platform/gdi: little-endian record building and checked reading.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstring>
#include <vector>

namespace gdi {

struct Bytes : std::vector<BYTE> {
    Bytes& Dword(DWORD v)
    {
        for (int i = 0; i < 4; ++i)
            push_back(BYTE(v >> (8 * i)));
        return *this;
    }
    Bytes& Long(LONG v) { return Dword(DWORD(v)); }
    Bytes& Point(POINT p) { return Long(p.x).Long(p.y); }
    Bytes& Rect(const RECT& r) { return Long(r.left).Long(r.top).Long(r.right).Long(r.bottom); }
    Bytes& Raw(const void* data, size_t n)
    {
        const BYTE* p = static_cast<const BYTE*>(data);
        insert(end(), p, p + n);
        return *this;
    }
    Bytes& Pad4()
    {
        while (size() % 4)
            push_back(0);
        return *this;
    }
};

// Reads fields of one record; every read past the end gives 0 and marks the reader bad.
class Reader {
public:
    Reader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}
    bool Has(size_t offset, size_t n) const { return offset <= m_size && n <= m_size - offset; }
    DWORD Dword(size_t offset)
    {
        if (!Has(offset, 4))
            return Fail();
        DWORD v;
        std::memcpy(&v, m_data + offset, 4);
        return v;
    }
    LONG Long(size_t offset) { return LONG(Dword(offset)); }
    WORD Word(size_t offset)
    {
        if (!Has(offset, 2))
            return WORD(Fail());
        return WORD(m_data[offset] | m_data[offset + 1] << 8);
    }
    SHORT Short(size_t offset) { return SHORT(Word(offset)); }
    POINT Point(size_t offset) { return {Long(offset), Long(offset + 4)}; }
    RECT Rect(size_t offset) { return {Long(offset), Long(offset + 4), Long(offset + 8), Long(offset + 12)}; }
    const BYTE* At(size_t offset, size_t n)
    {
        if (!Has(offset, n)) {
            Fail();
            return nullptr;
        }
        return m_data + offset;
    }
    size_t size() const { return m_size; }
    bool ok() const { return m_ok; }

private:
    DWORD Fail()
    {
        m_ok = false;
        return 0;
    }
    const BYTE* m_data;
    size_t m_size;
    bool m_ok = true;
};

// Record types of enhanced metafiles.
enum : DWORD {
    EMR_HEADER = 1, EMR_POLYBEZIER = 2, EMR_POLYGON = 3, EMR_POLYLINE = 4, EMR_POLYBEZIERTO = 5,
    EMR_POLYLINETO = 6, EMR_POLYPOLYLINE = 7, EMR_POLYPOLYGON = 8, EMR_SETWINDOWEXTEX = 9,
    EMR_SETWINDOWORGEX = 10, EMR_SETVIEWPORTEXTEX = 11, EMR_SETVIEWPORTORGEX = 12, EMR_SETBRUSHORGEX = 13,
    EMR_EOF = 14, EMR_SETPIXELV = 15, EMR_SETMAPMODE = 17, EMR_SETBKMODE = 18, EMR_SETPOLYFILLMODE = 19,
    EMR_SETROP2 = 20, EMR_SETSTRETCHBLTMODE = 21, EMR_SETTEXTALIGN = 22, EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25, EMR_OFFSETCLIPRGN = 26, EMR_MOVETOEX = 27, EMR_EXCLUDECLIPRECT = 29,
    EMR_INTERSECTCLIPRECT = 30, EMR_SAVEDC = 33, EMR_RESTOREDC = 34, EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38, EMR_CREATEBRUSHINDIRECT = 39, EMR_DELETEOBJECT = 40, EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43, EMR_ROUNDRECT = 44, EMR_ARC = 45, EMR_CHORD = 46, EMR_PIE = 47, EMR_LINETO = 54,
    EMR_SETARCDIRECTION = 57, EMR_BEGINPATH = 59, EMR_ENDPATH = 60, EMR_CLOSEFIGURE = 61, EMR_FILLPATH = 62,
    EMR_STROKEANDFILLPATH = 63, EMR_STROKEPATH = 64, EMR_FILLRGN = 71, EMR_EXTSELECTCLIPRGN = 75,
    EMR_BITBLT = 76, EMR_STRETCHBLT = 77, EMR_SETDIBITSTODEVICE = 80, EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82, EMR_EXTTEXTOUTA = 83, EMR_EXTTEXTOUTW = 84, EMR_POLYBEZIER16 = 85,
    EMR_POLYGON16 = 86, EMR_POLYLINE16 = 87, EMR_POLYBEZIERTO16 = 88, EMR_POLYLINETO16 = 89,
    EMR_POLYPOLYLINE16 = 90, EMR_POLYPOLYGON16 = 91, EMR_CREATEDIBPATTERNBRUSHPT = 94,
};

}  // namespace gdi
