#include "platform/gdi/PlayerState.h"

#include "platform/gdi/GdiState.h"
#include "platform/gdi/Mapping.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace gdi {

PlayerState::PlayerState(HDC hdc, QRectF frame, QRect target)
    : m_dc(CDC::FromHandle(hdc)), m_frame(frame), m_target(target)
{
    m_saved = m_dc->SaveDC();
    m_baseClip = ::CreateRectRgn(0, 0, 0, 0);
    m_hadClip = m_dc->GetClipRgn(m_baseClip) == 1;
    m_dc->SetMapMode(MM_ANISOTROPIC);
    Apply();
}

PlayerState::PlayerState(HDC hdc) : m_dc(CDC::FromHandle(hdc)), m_direct(true)
{
    m_saved = m_dc->SaveDC();
    m_baseClip = ::CreateRectRgn(0, 0, 0, 0);
    m_hadClip = m_dc->GetClipRgn(m_baseClip) == 1;
    m_map = {m_dc->GetMapMode(), m_dc->GetWindowOrg(), m_dc->GetViewportOrg(), m_dc->GetWindowExt(),
             m_dc->GetViewportExt()};
}

PlayerState::~PlayerState()
{
    m_dc->RestoreDC(m_saved);
    for (HGDIOBJ o : m_objects)
        if (o)
            ::DeleteObject(o);
    for (HGDIOBJ o : m_retired)
        ::DeleteObject(o);
    ::DeleteObject(m_baseClip);
}

namespace {

int Clamp(int64_t v) { return int(std::clamp<int64_t>(v, -(int64_t(1) << 30), int64_t(1) << 30)); }

// An extent times a scale factor from the file, either of which can be huge.
int ClampProduct(int v, int64_t factor)
{
    __int128 product = __int128(v) * factor;
    return Clamp(int64_t(std::clamp<__int128>(product, INT64_MIN, INT64_MAX)));
}

}  // namespace

void PlayerState::Apply()
{
    if (m_direct) {
        m_dc->SetMapMode(m_map.mode == MM_TEXT ? MM_ANISOTROPIC : m_map.mode);
        m_dc->SetWindowOrg(m_map.wo);
        m_dc->SetViewportOrg(m_map.vo);
        m_dc->SetWindowExt(m_map.we);
        m_dc->SetViewportExt(m_map.ve);
        return;
    }
    // target = left + (metafile device - frame left) * target width / frame width
    int64_t fw = std::max<int64_t>(1, std::llround(m_frame.width() * 16));
    int64_t fh = std::max<int64_t>(1, std::llround(m_frame.height() * 16));
    int64_t tw = int64_t(m_target.width()) * 16, th = int64_t(m_target.height()) * 16;
    int64_t gx = std::gcd(fw, tw), gy = std::gcd(fh, th);
    fw /= gx, tw /= gx, fh /= gy, th /= gy;
    m_dc->SetWindowOrg(m_map.wo);
    m_dc->SetWindowExt(ClampProduct(m_map.we.cx, fw), ClampProduct(m_map.we.cy, fh));
    m_dc->SetViewportExt(ClampProduct(m_map.ve.cx, tw), ClampProduct(m_map.ve.cy, th));
    double vx = (m_map.vo.x - m_frame.left()) * double(tw) / double(fw) + m_target.left();
    double vy = (m_map.vo.y - m_frame.top()) * double(th) / double(fh) + m_target.top();
    m_dc->SetViewportOrg(int(std::lround(vx)), int(std::lround(vy)));
}

void PlayerState::SetMapMode(int mode)
{
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return;
    m_map.mode = mode;
    int upi = mode == MM_LOMETRIC ? 254 : mode == MM_HIMETRIC ? 2540 : mode == MM_LOENGLISH ? 100
              : mode == MM_HIENGLISH ? 1000 : mode == MM_TWIPS ? 1440 : 0;
    if (mode == MM_TEXT)
        m_map.we = m_map.ve = {1, 1};
    else if (upi)
        m_map.we = {upi, upi}, m_map.ve = {96, -96};
    Apply();
}

void PlayerState::SetWindowOrg(POINT p)
{
    m_map.wo = p;
    Apply();
}

void PlayerState::SetViewportOrg(POINT p)
{
    m_map.vo = p;
    Apply();
}

void PlayerState::SetWindowExt(SIZE s)
{
    if ((m_map.mode != MM_ISOTROPIC && m_map.mode != MM_ANISOTROPIC) || s.cx == 0 || s.cy == 0)
        return;
    m_map.we = s;
    Apply();
}

void PlayerState::SetViewportExt(SIZE s)
{
    if ((m_map.mode != MM_ISOTROPIC && m_map.mode != MM_ANISOTROPIC) || s.cx == 0 || s.cy == 0)
        return;
    m_map.ve = s;
    if (m_map.mode == MM_ISOTROPIC) {
        Attributes a;
        a.mapMode = MM_ISOTROPIC;
        a.winExt = m_map.we;
        a.vpExt = m_map.ve;
        ApplyIsotropic(a);
        m_map.ve = a.vpExt;
    }
    Apply();
}

void PlayerState::Save()
{
    m_stack.push_back(m_map);
    m_dc->SaveDC();
}

void PlayerState::Restore(int relative)
{
    int n = int(m_stack.size());
    int index = relative < 0 ? n + relative : relative - 1;
    if (index < 0 || index >= n)
        return;
    m_dc->RestoreDC(relative < 0 ? relative : -(n - index));
    m_map = m_stack[size_t(index)];
    m_stack.resize(size_t(index));
    Apply();
}

QRegion PlayerState::ToTarget(const QRegion& rgn) const
{
    QRegion out;
    double sx = m_target.width() / std::max(m_frame.width(), 1e-9), sy = m_target.height() / std::max(m_frame.height(), 1e-9);
    for (const QRect& r : rgn) {
        int l = int(std::lround((r.left() - m_frame.left()) * sx)) + m_target.left();
        int t = int(std::lround((r.top() - m_frame.top()) * sy)) + m_target.top();
        int ri = int(std::lround((r.right() + 1 - m_frame.left()) * sx)) + m_target.left();
        int b = int(std::lround((r.bottom() + 1 - m_frame.top()) * sy)) + m_target.top();
        out += QRect(QPoint(l, t), QPoint(ri - 1, b - 1));
    }
    return out;
}

void PlayerState::SelectClip(const QRegion* rgn, int mode)
{
    HRGN h = ::CreateRectRgn(0, 0, 0, 0);
    if (rgn)
        LookupAs<Region>(h, Kind::Region)->rgn = ToTarget(*rgn);
    if (mode == RGN_COPY) {
        // The caller's clipping always stays in force.
        if (!rgn)
            m_dc->ExtSelectClipRgn(m_hadClip ? m_baseClip : nullptr, RGN_COPY);
        else if (m_hadClip)
            ::CombineRgn(h, h, m_baseClip, RGN_AND);
        if (rgn)
            m_dc->ExtSelectClipRgn(h, RGN_COPY);
    } else if (rgn) {
        m_dc->ExtSelectClipRgn(h, mode);
    }
    ::DeleteObject(h);
}

void PlayerState::Store(size_t index, HGDIOBJ object)
{
    if (index > 65535) {
        ::DeleteObject(object);
        return;
    }
    if (index >= m_objects.size())
        m_objects.resize(index + 1, nullptr);
    if (m_objects[index] && !::DeleteObject(m_objects[index]))
        m_retired.push_back(m_objects[index]);
    m_objects[index] = object;
}

void PlayerState::StoreInFreeSlot(HGDIOBJ object)
{
    size_t i = 0;
    while (i < m_objects.size() && m_objects[i])
        ++i;
    Store(i, object);
}

HGDIOBJ PlayerState::Object(DWORD index) const
{
    if (index & 0x80000000u)
        return ::GetStockObject(int(index & 0x7FFFFFFF));
    return index < m_objects.size() ? m_objects[index] : nullptr;
}

void PlayerState::Delete(DWORD index)
{
    if (index < m_objects.size() && m_objects[index]) {
        if (!::DeleteObject(m_objects[index]))  // refused while selected: freed at the end
            m_retired.push_back(m_objects[index]);
        m_objects[index] = nullptr;
    }
}

}  // namespace gdi
