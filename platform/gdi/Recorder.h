// Private to platform/gdi: the enhanced-metafile records a metafile DC collects.
#pragma once

#include "platform/gdi/GdiState.h"
#include "platform/gdi/MetaRecords.h"
#include "platform/gdi/Metafile.h"

#include <map>

namespace gdi {

class Recorder {
public:
    explicit Recorder(RECT frame) : m_frame(frame) {}
    void Add(DWORD type, const Bytes& params, QRect bounds = QRect());
    // The table index of an object, creating it in the metafile the first time.
    DWORD Handle(HGDIOBJ object);
    // The finished metafile: header, records, end record.
    std::vector<BYTE> Finish(const Dc& dc, const char* description) const;

private:
    RECT m_frame;
    std::vector<BYTE> m_records;
    DWORD m_count = 0;
    QRect m_bounds;
    std::map<HGDIOBJ, std::pair<DWORD, Bytes>> m_handles;  // index and the record that made it
    DWORD m_nextHandle = 1;
};

Recorder* RecorderOf(HDC hdc);
// Device bounds of logical points, for the records' bounds field.
QRect DeviceBounds(HDC hdc, const POINT* points, int count);
void RecordPoints(HDC hdc, DWORD type, const POINT* points, int count);
// drawn: whether the rectangle counts towards the picture's bounds.
void RecordRect(HDC hdc, DWORD type, int x1, int y1, int x2, int y2, bool drawn = true);
void RecordArc(HDC hdc, DWORD type, const RECT& box, POINT start, POINT end);
void RecordValue(HDC hdc, DWORD type, DWORD value);
void RecordPoint(HDC hdc, DWORD type, POINT point);
void RecordBare(HDC hdc, DWORD type);
void RecordSelect(HDC hdc, HGDIOBJ object);
void RecordClip(HDC hdc, const QRegion* rgn, int mode);
void RecordFill(HDC hdc, const QRegion& deviceRgn, HGDIOBJ brush);
void RecordSolidFill(HDC hdc, const RECT& rect, COLORREF color);
void RecordRoundRect(HDC hdc, const RECT& box, SIZE corner);
void RecordPolyPolygon(HDC hdc, const POINT* points, const INT* counts, int polygons);
void RecordBlit(HDC hdc, const RECT& dest, Dc* src, const RECT& source, DWORD rop);
void RecordText(HDC hdc, POINT at, UINT options, const RECT* rect, const char* text, UINT count, const INT* dx);

// The metafiles behind HENHMETAFILE: enhanced bytes, or Windows bytes with a made-up header.
struct Metafile {
    std::vector<BYTE> emf;
    std::vector<BYTE> wmf;
    ENHMETAHEADER header{};
};
Metafile* FindMetafile(HENHMETAFILE h);
HENHMETAFILE AddMetafile(std::unique_ptr<Metafile> m);
bool PlayEmf(HDC hdc, const Metafile& m, const RECT& rect);
bool PlayWmf(HDC hdc, const std::vector<BYTE>& wmf, const RECT& rect, const ENHMETAHEADER& header);
int StockIndexOf(HGDIOBJ object);

}  // namespace gdi
