// Private to platform/gdi: the objects behind the handles and the state of a device context.
// Qt lives here and in the .cpp files only.
#pragma once

#include "platform/gdi/DibTypes.h"
#include "platform/gdi/GdiTypes.h"

#include <QFont>
#include <QImage>
#include <QTransform>
#include <QPainterPath>
#include <QRegion>

#include <memory>
#include <optional>
#include <vector>

class CDC;
class CGdiObject;

namespace gdi {

enum class Kind { Pen, Brush, Font, Bitmap, Region, Palette };

struct Object {
    explicit Object(Kind k) : kind(k) {}
    virtual ~Object() = default;
    Kind kind;
    bool stock = false;
    int selections = 0;
    // The first wrapper attached to the handle, which FromHandle hands out while it holds it.
    CGdiObject* owner = nullptr;
    // The wrapper FromHandle made for the handle when it had no owner, dropped with the object.
    CGdiObject* wrapper = nullptr;
};

struct Pen : Object {
    Pen() : Object(Kind::Pen) {}
    int style = PS_SOLID;
    int width = 0;
    COLORREF color = 0;
    bool geometric = false;
    int endCap = PS_ENDCAP_ROUND;
    int join = PS_JOIN_ROUND;
};

struct Brush : Object {
    Brush() : Object(Kind::Brush) {}
    UINT style = BS_SOLID;
    COLORREF color = 0;
    int hatch = 0;
    QImage pattern;  // 8 x 8 at most, RGB32
    bool monoPattern = false;
};

class DeviceFace;

struct Font : Object {
    Font() : Object(Kind::Font) {}
    LOGFONT lf{};
    // The face last resolved for this font and the device size (height, width) it was for.
    std::shared_ptr<const DeviceFace> face;
    int faceHeight = -1;
    int faceWidth = 0;
};

struct Bitmap : Object {
    Bitmap() : Object(Kind::Bitmap) {}
    QImage surface;  // RGB32; a monochrome bitmap holds only black and white
    int bitsPixel = 32;
    // DIB section: the caller's view of the pixels, kept in step with the surface.
    bool section = false;
    std::vector<BYTE> info;  // BITMAPINFOHEADER, then masks or colour table
    std::vector<BYTE> bits;
    // What both sides held at the last exchange, so unchanged pixels are not converted again.
    std::vector<BYTE> bitsSynced;
    QImage surfaceSynced;
    void PullFromBits();
    void PushToBits();
};

struct Region : Object {
    Region() : Object(Kind::Region) {}
    QRegion rgn;
};

struct Palette : Object {
    Palette() : Object(Kind::Palette) {}
    std::vector<PALETTEENTRY> entries;
};

// The handle table: a handle is valid while its object is registered.
Object* Lookup(HGDIOBJ h);
template <typename T>
T* LookupAs(HGDIOBJ h, Kind k)
{
    Object* o = Lookup(h);
    return o && o->kind == k ? static_cast<T*>(o) : nullptr;
}
HGDIOBJ Register(std::unique_ptr<Object> o);
bool Unregister(HGDIOBJ h);  // false for stock, selected or unknown objects
Object* Stock(int index);
constexpr int kStockMonoBitmap = 100;  // the one-pixel bitmap of a fresh memory DC
std::unique_ptr<Bitmap> MakeBitmap(int width, int height, int bitsPixel);
void LoadDdbBits(Bitmap& b, const BYTE* bits, size_t size);

enum class DcKind { Screen, Memory, Window, Printer, Metafile };

// Everything SaveDC keeps.
struct Attributes {
    Pen* pen = nullptr;
    Brush* brush = nullptr;
    Font* font = nullptr;
    Bitmap* bitmap = nullptr;
    Palette* palette = nullptr;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int polyFillMode = ALTERNATE;
    int stretchMode = BLACKONWHITE;
    int arcDirection = AD_COUNTERCLOCKWISE;
    UINT textAlign = 0;
    int mapMode = MM_TEXT;
    POINT winOrg{0, 0};
    POINT vpOrg{0, 0};
    SIZE winExt{1, 1};
    SIZE vpExt{1, 1};
    POINT brushOrg{0, 0};
    POINT current{0, 0};
    std::optional<QRegion> clip;  // device units
};

class Recorder;
struct PrintJob;

struct Dc {
    DcKind kind = DcKind::Memory;
    Attributes a;
    std::vector<Attributes> saved;
    QImage* target = nullptr;  // window or page surface when no bitmap is selected
    int dpiX = 96;
    int dpiY = 96;
    int width = 1920;   // device size in pixels for a DC without a surface
    int height = 1080;
    bool inPath = false;
    QPainterPath path;
    bool pathReady = false;
    std::unique_ptr<CDC> wrapper;
    std::shared_ptr<Recorder> recorder;
    std::shared_ptr<PrintJob> printer;

    QImage* Surface() const { return a.bitmap ? &a.bitmap->surface : target; }
    bool Mono() const { return a.bitmap && a.bitmap->bitsPixel == 1 && !a.bitmap->section; }
};

Dc* LookupDc(HDC h);
// Text drawn on a printer page: the PDF keeps it, invisible above the page's picture, so
// that it can be searched and copied. `origin` is the start of the baseline under `transform`.
void NotePrintedText(Dc& dc, const QTransform& transform, QPointF origin, const QFont& font, const QString& text);
void RetainAll(Attributes& a, int delta);
// A DC drawing on the given surface (a window's back buffer, a printer page); null draws nowhere.
HDC CreateSurfaceDc(QImage* target, DcKind kind);
HDC RegisterDc(std::unique_ptr<Dc> dc);
void UnregisterDc(HDC h);

// Colour helpers: surfaces are RGB32, COLORREF is 0x00BBGGRR.
inline QRgb ToRgb(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }
inline COLORREF ToColorRef(QRgb c) { return RGB(qRed(c), qGreen(c), qBlue(c)); }
COLORREF Resolve(const Dc& dc, COLORREF c);  // palette index / palette-relative to plain RGB
QRgb DeviceColor(const Dc& dc, COLORREF c);   // what the surface stores for c
QRgb ToMono(QRgb c);

// Keeps a DIB section's bits and surface in step around one drawing call.
class DrawScope {
public:
    // A reading scope leaves the bits alone afterwards.
    explicit DrawScope(Dc& dc, bool writes = true);
    ~DrawScope();
    DrawScope(const DrawScope&) = delete;
    DrawScope& operator=(const DrawScope&) = delete;
    QImage* surface() const { return m_surface; }

private:
    Bitmap* m_bitmap;
    QImage* m_surface;
    bool m_writes;
};

void EnsureGuiApplication();
QRegion RegionFromPath(const QPainterPath& path);  // uses the path's fill rule

}  // namespace gdi
