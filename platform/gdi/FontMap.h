// Private to platform/gdi: LOGFONT to an installed font at the DC's scale.
#pragma once

#include "platform/gdi/GdiState.h"

#include <QFont>
#include <QFontMetrics>

#include <array>
#include <map>
#include <memory>
#include <mutex>

namespace gdi {

// The pixels one character covers, drawn aliased with its pen at (0, 0) on the baseline.
struct Glyph {
    QRect box;                   // relative to the pen
    std::vector<uint8_t> marks;  // box.width() x box.height(), 1 where covered
};

// A font resolved for a device at one size, with what measuring and drawing text ask of it,
// worked out once: finding the family and measuring a font cost far more than a word does.
class DeviceFace {
public:
    explicit DeviceFace(const QFont& font);
    DeviceFace(const DeviceFace&) = delete;
    DeviceFace& operator=(const DeviceFace&) = delete;

    const QFont& Font() const { return m_font; }
    const QFontMetrics& Metrics() const { return m_metrics; }
    int Advance(QChar c) const
    {
        return c.unicode() < m_latin.size() ? m_latin[c.unicode()] : m_metrics.horizontalAdvance(c);
    }
    int Ascent() const { return m_ascent; }
    int Descent() const { return m_descent; }
    int AverageWidth() const { return m_averageWidth; }
    int MaxWidth() const { return m_maxWidth; }
    bool FixedPitch() const { return m_fixedPitch; }
    bool Scalable() const { return m_scalable; }
    // Drawn once on first use, then shared by every later run of the character.
    const Glyph& GlyphOf(QChar c) const;

private:
    QFont m_font;
    QFontMetrics m_metrics;
    int m_ascent;
    int m_descent;
    int m_averageWidth;
    int m_maxWidth;
    bool m_fixedPitch;
    bool m_scalable;
    std::array<int, 256> m_latin{};
    mutable std::mutex m_lock;
    mutable std::map<char16_t, Glyph> m_glyphs;
};

QString FamilyFor(const LOGFONT& lf);
// The selected font at device size (unrotated) with its measurements, kept for later calls
// with the same font at the same size.
std::shared_ptr<const DeviceFace> FaceOf(const Dc& dc);
double Escapement(const Dc& dc);  // degrees counter-clockwise

}  // namespace gdi
