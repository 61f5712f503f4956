#include "platform/ink/InkDisp.h"
#include "platform/ink/InkFormat.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

constexpr BYTE kAntiAliased = 1, kFitToCurve = 2, kIgnorePressure = 4, kHasPressure = 8, kKnownFlags = 15;
constexpr BYTE kLongValue = 1, kTextValue = 2, kBytesValue = 3;

class Writer {
public:
    std::vector<BYTE> bytes;

    void Raw(const void* data, size_t size)
    {
        const BYTE* p = static_cast<const BYTE*>(data);
        bytes.insert(bytes.end(), p, p + size);
    }
    template <typename T>
    void Value(T v)
    {
        BYTE le[sizeof(T)];
        std::memcpy(le, &v, sizeof(T));  // the machines we build for are little-endian
        Raw(le, sizeof le);
    }

    void Properties(const InkExtendedProperties& properties)
    {
        Value(DWORD(properties.Count()));
        for (const auto& [key, value] : properties.Values()) {
            Raw(key.data(), key.size());
            Value(BYTE(value.index() + 1));
            if (auto* n = std::get_if<int32_t>(&value)) {
                Value(DWORD(4));
                Value(*n);
            } else if (auto* text = std::get_if<std::string>(&value)) {
                Value(DWORD(text->size()));
                Raw(text->data(), text->size());
            } else {
                const auto& block = std::get<std::vector<BYTE>>(value);
                Value(DWORD(block.size()));
                Raw(block.data(), block.size());
            }
        }
    }
};

struct Damaged : std::runtime_error {
    Damaged() : std::runtime_error("damaged ink") {}
};

class Reader {
public:
    Reader(const std::vector<BYTE>& bytes) : m_bytes(bytes) {}

    const BYTE* Take(size_t size)
    {
        if (size > m_bytes.size() - m_at)
            throw Damaged();
        const BYTE* p = m_bytes.data() + m_at;
        m_at += size;
        return p;
    }
    template <typename T>
    T Value()
    {
        T v;
        std::memcpy(&v, Take(sizeof(T)), sizeof(T));
        return v;
    }
    // A count of items of at least `itemSize` bytes each, checked against what is left.
    size_t Count(size_t itemSize)
    {
        DWORD n = Value<DWORD>();
        if (itemSize && n > (m_bytes.size() - m_at) / itemSize)
            throw Damaged();
        return n;
    }
    bool AtEnd() const { return m_at == m_bytes.size(); }

    InkExtendedProperties Properties()
    {
        InkExtendedProperties properties;
        for (size_t n = Count(16 + 1 + 4); n > 0; --n) {
            InkGuid key;
            std::memcpy(key.data(), Take(16), 16);
            BYTE type = Value<BYTE>();
            size_t length = Count(1);
            const BYTE* data = Take(length);
            if (type == kLongValue && length == 4)
                properties.Set(key, int32_t(data[0] | data[1] << 8 | data[2] << 16 | uint32_t(data[3]) << 24));
            else if (type == kTextValue)
                properties.Set(key, std::string(data, data + length));
            else if (type == kBytesValue)
                properties.Set(key, std::vector<BYTE>(data, data + length));
            else
                throw Damaged();
        }
        return properties;
    }

private:
    const std::vector<BYTE>& m_bytes;
    size_t m_at = 0;
};

BYTE Flags(const InkStrokeDisp& s)
{
    const InkDrawingAttributes& a = s.DrawingAttributes();
    return BYTE((a.AntiAliased ? kAntiAliased : 0) | (a.FitToCurve ? kFitToCurve : 0) |
                (a.IgnorePressure ? kIgnorePressure : 0) | (s.Pressures().empty() ? 0 : kHasPressure));
}

InkDrawingAttributes ReadAttributes(Reader& in, BYTE& flags)
{
    InkDrawingAttributes a;
    a.Color = in.Value<COLORREF>();
    a.Width = in.Value<float>();
    a.Height = in.Value<float>();
    a.Transparency = in.Value<BYTE>();
    a.RasterOperation = in.Value<BYTE>();
    BYTE tip = in.Value<BYTE>();
    flags = in.Value<BYTE>();
    if (tip > 1 || (flags & ~kKnownFlags) || !(a.Width >= 0) || !(a.Height >= 0))
        throw Damaged();
    a.PenTip = InkPenTip(tip);
    a.AntiAliased = flags & kAntiAliased;
    a.FitToCurve = flags & kFitToCurve;
    a.IgnorePressure = flags & kIgnorePressure;
    return a;
}

}  // namespace

std::vector<BYTE> InkDisp::Save() const
{
    Writer out;
    out.Raw(kInkMagic, 4);
    out.Value(kInkFormatVersion);
    out.Properties(m_properties);
    out.Value(DWORD(m_strokes.size()));
    for (const auto& s : m_strokes) {
        const InkDrawingAttributes& a = s->DrawingAttributes();
        out.Value(a.Color);
        out.Value(a.Width);
        out.Value(a.Height);
        out.Value(BYTE(std::clamp(a.Transparency, 0, 255)));
        out.Value(BYTE(a.RasterOperation));
        out.Value(BYTE(a.PenTip));
        out.Value(Flags(*s));
        out.Value(DWORD(s->Points().size()));
        for (const POINT& p : s->Points()) {
            out.Value(p.x);
            out.Value(p.y);
        }
        for (WORD pressure : s->Pressures())
            out.Value(pressure);
        out.Properties(s->ExtendedProperties());
    }
    return out.bytes;
}

bool InkDisp::Load(const std::vector<BYTE>& bytes)
{
    auto loaded = Create();
    try {
        Reader in(bytes);
        if (!bytes.empty()) {
            if (std::memcmp(in.Take(4), kInkMagic, 4) != 0 || in.Value<WORD>() != kInkFormatVersion)
                return false;
            loaded->m_properties = in.Properties();
            for (size_t n = in.Count(16 + 4 + 4); n > 0; --n) {
                BYTE flags = 0;
                InkDrawingAttributes a = ReadAttributes(in, flags);
                std::vector<POINT> points(in.Count(8));
                for (POINT& p : points)
                    p = {in.Value<LONG>(), in.Value<LONG>()};
                std::vector<WORD> pressures(flags & kHasPressure ? points.size() : 0);
                for (WORD& p : pressures)
                    p = in.Value<WORD>();
                auto stroke = loaded->CreateStroke(std::move(points), std::move(pressures));
                stroke->SetDrawingAttributes(a);
                stroke->ExtendedProperties() = in.Properties();
            }
            if (!in.AtEnd())
                return false;
        }
    } catch (const Damaged&) {
        return false;
    }
    DeleteStrokes();
    for (const auto& s : loaded->m_strokes)
        Adopt(*s, s->ID());
    m_properties = loaded->m_properties;
    m_nextId = loaded->m_nextId;
    return true;
}
