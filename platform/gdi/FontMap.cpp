#include "platform/gdi/FontMap.h"

#include "platform/gdi/Mapping.h"
#include "platform/gdi/TextCodec.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>

namespace gdi {

namespace {

struct Alias {
    const char* face;
    const char* family;
};

constexpr Alias kAliases[] = {
    {"arial", "Liberation Sans"},          {"helvetica", "Liberation Sans"},
    {"ms sans serif", "Liberation Sans"},
    {"times new roman", "Liberation Serif"}, {"times", "Liberation Serif"},
    {"ms serif", "Liberation Serif"},      {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},        {"arial narrow", "Liberation Sans Narrow"},
};

QString Fallback(const LOGFONT& lf)
{
    if ((lf.lfPitchAndFamily & 3) == FIXED_PITCH || (lf.lfPitchAndFamily & 0xF0) == FF_MODERN)
        return QStringLiteral("DejaVu Sans Mono");
    if ((lf.lfPitchAndFamily & 0xF0) == FF_ROMAN)
        return QStringLiteral("DejaVu Serif");
    return QStringLiteral("DejaVu Sans");
}

// Cell height (ascent + descent) per pixel of em size, measured once per family.
double CellRatio(const QFont& font)
{
    static std::mutex lock;
    static std::map<QString, double> cache;
    QString key = font.family() + (font.bold() ? "b" : "") + (font.italic() ? "i" : "");
    std::lock_guard g(lock);
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    QFont probe = font;
    probe.setPixelSize(1000);
    QFontMetricsF m(probe);
    double ratio = (m.ascent() + m.descent()) / 1000.0;
    if (ratio <= 0)
        ratio = 1.15;
    cache[key] = ratio;
    return ratio;
}

}  // namespace

QString FamilyFor(const LOGFONT& lf)
{
    EnsureGuiApplication();
    char face[LF_FACESIZE + 1] = {};
    std::memcpy(face, lf.lfFaceName, LF_FACESIZE);
    QString name = FromAnsi(face, -1).trimmed();
    QString lower = name.toLower();
    for (const Alias& a : kAliases)
        if (lower == QLatin1String(a.face))
            return QString::fromLatin1(a.family);
    if (!name.isEmpty() && QFontDatabase::families().contains(name, Qt::CaseInsensitive))
        return name;
    return Fallback(lf);
}

namespace {

// The font's pixel height and width on the device; zero width keeps the face's proportions.
struct DeviceSize {
    int height;
    int width;
};

DeviceSize SizeOn(const Dc& dc, const LOGFONT& lf)
{
    // Negative: character (em) height; positive: cell height; zero: the default cell, 16 pixels of
    // a 96 dpi screen and as tall on any other device (a printer's page too).
    const int h = lf.lfHeight == 0 ? Scale(16, dc.dpiY, 96) : std::abs(Scale(lf.lfHeight, dc.a.vpExt.cy, dc.a.winExt.cy));
    const int w = lf.lfWidth == 0 ? 0 : std::abs(Scale(lf.lfWidth, dc.a.vpExt.cx, dc.a.winExt.cx));
    return {h, w};
}

QFont MakeFont(const LOGFONT& lf, DeviceSize size)
{
    QFont font(FamilyFor(lf));
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setWeight(QFont::Weight(std::clamp<int>(lf.lfWeight ? lf.lfWeight : FW_NORMAL, 100, 900)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    int em = lf.lfHeight < 0 ? size.height : int(std::lround(size.height / CellRatio(font)));
    font.setPixelSize(std::clamp(em, 1, 8192));  // larger than any surface needs
    if (size.width != 0) {
        QFontMetrics m(font);
        int avg = std::max(m.averageCharWidth(), 1);
        font.setStretch(std::clamp(int(std::lround(100.0 * size.width / avg)), 1, 4000));
    }
    return font;
}

LOGFONT SelectedLogFont(const Dc& dc) { return dc.a.font ? dc.a.font->lf : LOGFONT{}; }

// The font's fields (the face name without what follows its end) and its device size.
std::string FaceKey(const LOGFONT& lf, DeviceSize size)
{
    LOGFONT k = lf;
    const size_t name = strnlen(k.lfFaceName, LF_FACESIZE);
    std::memset(k.lfFaceName + name, 0, LF_FACESIZE - name);
    std::string key(reinterpret_cast<const char*>(&k), sizeof k);
    key.append(reinterpret_cast<const char*>(&size), sizeof size);
    return key;
}

// Draws c aliased as a run of text draws it and keeps the covered pixels.
Glyph DrawGlyph(const QFont& font, const QFontMetrics& m, QChar c)
{
    // The character's own box with the nominal cell, and room around both for what the
    // rasteriser adds: a canvas of a few cells for every character of a wide font is slow to clear.
    const int cell = m.ascent() + m.descent();
    const int margin = cell / 2 + 8;
    const QRect room = m.boundingRect(c).united(QRect(0, -m.ascent(), std::max(m.horizontalAdvance(c), 1), cell))
                           .adjusted(-margin, -margin, margin, margin);
    const QPoint pen = -room.topLeft();
    QImage mask(room.size(), QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.translate(pen);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QPoint(0, 0), QString(c));
    }
    QRect box;
    for (int y = 0; y < mask.height(); ++y) {
        const uchar* row = mask.constScanLine(y);
        for (int x = 0; x < mask.width(); ++x)
            if (row[x] >= 128)
                box |= QRect(x, y, 1, 1);
    }
    Glyph g;
    g.box = box.translated(-pen);
    g.marks.reserve(size_t(box.width()) * size_t(box.height()));
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            g.marks.push_back(mask.constScanLine(y)[x] >= 128 ? 1 : 0);
    return g;
}

}  // namespace

DeviceFace::DeviceFace(const QFont& font)
    : m_font(font)
    , m_metrics(font)
    , m_ascent(m_metrics.ascent())
    , m_descent(m_metrics.descent())
    , m_averageWidth(m_metrics.averageCharWidth())
    , m_maxWidth(m_metrics.maxWidth())
{
    const QFontInfo info(font);
    m_fixedPitch = info.fixedPitch();
    m_scalable = QFontDatabase::isSmoothlyScalable(info.family(), info.styleName());
    for (size_t c = 0; c < m_latin.size(); ++c)
        m_latin[c] = m_metrics.horizontalAdvance(QChar(char16_t(c)));
}

const Glyph& DeviceFace::GlyphOf(QChar c) const
{
    std::lock_guard g(m_lock);
    auto it = m_glyphs.find(c.unicode());
    if (it == m_glyphs.end())
        it = m_glyphs.emplace(c.unicode(), DrawGlyph(m_font, m_metrics, c)).first;
    return it->second;
}

std::shared_ptr<const DeviceFace> FaceOf(const Dc& dc)
{
    // Enough for every font a page shows at a few zooms; beyond that the table starts again.
    constexpr size_t kMostFaces = 256;
    static std::mutex lock;
    static std::unordered_map<std::string, std::shared_ptr<const DeviceFace>> faces;
    const LOGFONT lf = SelectedLogFont(dc);
    const DeviceSize size = SizeOn(dc, lf);
    // A font keeps the face it was last drawn with: text is measured and drawn several times a
    // box, and the font's fields never change once it is made.
    Font* font = dc.a.font;
    auto keep = [&](std::shared_ptr<const DeviceFace> face) {
        if (font) {
            font->face = face;
            font->faceHeight = size.height;
            font->faceWidth = size.width;
        }
        return face;
    };
    {
        std::lock_guard g(lock);
        if (font && font->face && font->faceHeight == size.height && font->faceWidth == size.width)
            return font->face;
    }
    const std::string key = FaceKey(lf, size);
    {
        std::lock_guard g(lock);
        if (auto it = faces.find(key); it != faces.end())
            return keep(it->second);
    }
    auto face = std::make_shared<const DeviceFace>(MakeFont(lf, size));
    std::lock_guard g(lock);
    if (faces.size() >= kMostFaces)
        faces.clear();
    faces.emplace(key, face);
    return keep(face);
}

double Escapement(const Dc& dc) { return dc.a.font ? dc.a.font->lf.lfEscapement / 10.0 : 0.0; }

}  // namespace gdi
