#include "platform/gdi/FontMap.h"

#include "platform/gdi/Mapping.h"
#include "platform/gdi/TextCodec.h"

#include <QFontDatabase>

#include <cmath>
#include <cstring>
#include <map>
#include <mutex>

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

QFont DeviceFont(const Dc& dc)
{
    LOGFONT lf = dc.a.font ? dc.a.font->lf : LOGFONT{};
    QFont font(FamilyFor(lf));
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setWeight(QFont::Weight(std::clamp<int>(lf.lfWeight ? lf.lfWeight : FW_NORMAL, 100, 900)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    // Negative: character (em) height; positive: cell height; zero: the default cell, 16 pixels of
    // a 96 dpi screen and as tall on any other device (a printer's page too).
    int h = lf.lfHeight == 0 ? Scale(16, dc.dpiY, 96) : std::abs(Scale(lf.lfHeight, dc.a.vpExt.cy, dc.a.winExt.cy));
    int em = lf.lfHeight < 0 ? h : int(std::lround(h / CellRatio(font)));
    font.setPixelSize(std::clamp(em, 1, 8192));  // larger than any surface needs
    if (lf.lfWidth != 0) {
        int w = std::abs(Scale(lf.lfWidth, dc.a.vpExt.cx, dc.a.winExt.cx));
        QFontMetrics m(font);
        int avg = std::max(m.averageCharWidth(), 1);
        font.setStretch(std::clamp(int(std::lround(100.0 * w / avg)), 1, 4000));
    }
    return font;
}

double Escapement(const Dc& dc) { return dc.a.font ? dc.a.font->lf.lfEscapement / 10.0 : 0.0; }

}  // namespace gdi
