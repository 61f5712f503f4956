#include "platform/core/Geometry.h"

#include <algorithm>
#include <utility>

namespace {

LONG Add(LONG a, LONG b) { return static_cast<LONG>(static_cast<int64_t>(a) + b); }
LONG Sub(LONG a, LONG b) { return static_cast<LONG>(static_cast<int64_t>(a) - b); }

bool Covers(LONG innerLow, LONG innerHigh, LONG outerLow, LONG outerHigh)
{
    return innerLow <= outerLow && innerHigh >= outerHigh;
}

} // namespace

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom)
{
    if (rect == nullptr)
        return FALSE;
    *rect = RECT { left, top, right, bottom };
    return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) { return SetRect(rect, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT dst, const RECT* src)
{
    if (dst == nullptr || src == nullptr)
        return FALSE;
    *dst = *src;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* rect)
{
    return rect == nullptr || rect->right <= rect->left || rect->bottom <= rect->top;
}

BOOL PtInRect(const RECT* rect, POINT point)
{
    return rect != nullptr && point.x >= rect->left && point.x < rect->right && point.y >= rect->top
        && point.y < rect->bottom;
}

BOOL InflateRect(LPRECT rect, int dx, int dy)
{
    if (rect == nullptr)
        return FALSE;
    *rect = RECT { Sub(rect->left, dx), Sub(rect->top, dy), Add(rect->right, dx), Add(rect->bottom, dy) };
    return TRUE;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy)
{
    if (rect == nullptr)
        return FALSE;
    *rect = RECT { Add(rect->left, dx), Add(rect->top, dy), Add(rect->right, dx), Add(rect->bottom, dy) };
    return TRUE;
}

BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b)
{
    if (dst == nullptr || a == nullptr || b == nullptr)
        return FALSE;
    RECT common { std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                  std::min(a->bottom, b->bottom) };
    if (IsRectEmpty(&common)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    *dst = common;
    return TRUE;
}

BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b)
{
    if (dst == nullptr || a == nullptr || b == nullptr)
        return FALSE;
    if (IsRectEmpty(a) && IsRectEmpty(b)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    if (IsRectEmpty(a) || IsRectEmpty(b)) {
        *dst = IsRectEmpty(a) ? *b : *a;
        return TRUE;
    }
    *dst = RECT { std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                  std::max(a->bottom, b->bottom) };
    return TRUE;
}

BOOL SubtractRect(LPRECT dst, const RECT* a, const RECT* b)
{
    if (dst == nullptr || a == nullptr || b == nullptr)
        return FALSE;
    RECT result = *a;
    RECT common;
    if (IntersectRect(&common, a, b)) {
        if (Covers(common.left, common.right, a->left, a->right)) {
            if (common.top == a->top)
                result.top = common.bottom;
            else if (common.bottom == a->bottom)
                result.bottom = common.top;
        }
        if (Covers(common.top, common.bottom, a->top, a->bottom)) {
            if (common.left == a->left)
                result.left = common.right;
            else if (common.right == a->right)
                result.right = common.left;
        }
    }
    if (IsRectEmpty(&result)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    *dst = result;
    return TRUE;
}

BOOL EqualRect(const RECT* a, const RECT* b)
{
    return a != nullptr && b != nullptr && a->left == b->left && a->top == b->top && a->right == b->right
        && a->bottom == b->bottom;
}

CSize& CSize::operator+=(SIZE other)
{
    cx = Add(cx, other.cx);
    cy = Add(cy, other.cy);
    return *this;
}

CSize& CSize::operator-=(SIZE other)
{
    cx = Sub(cx, other.cx);
    cy = Sub(cy, other.cy);
    return *this;
}

CSize CSize::operator-() const { return CSize(Sub(0, cx), Sub(0, cy)); }

CPoint::CPoint(LPARAM packed) : POINT { GET_X_LPARAM(packed), GET_Y_LPARAM(packed) } { }

void CPoint::Offset(int dx, int dy)
{
    x = Add(x, dx);
    y = Add(y, dy);
}

CPoint& CPoint::operator+=(SIZE size)
{
    Offset(size.cx, size.cy);
    return *this;
}

CPoint& CPoint::operator-=(SIZE size)
{
    x = Sub(x, size.cx);
    y = Sub(y, size.cy);
    return *this;
}

CPoint& CPoint::operator+=(POINT point) { return *this += SIZE { point.x, point.y }; }
CPoint& CPoint::operator-=(POINT point) { return *this -= SIZE { point.x, point.y }; }
CSize CPoint::operator-(POINT point) const { return CSize(Sub(x, point.x), Sub(y, point.y)); }
CPoint CPoint::operator-() const { return CPoint(Sub(0, x), Sub(0, y)); }

CRect::CRect(POINT topLeft, SIZE size)
    : RECT { topLeft.x, topLeft.y, Add(topLeft.x, size.cx), Add(topLeft.y, size.cy) }
{
}

int CRect::Width() const { return Sub(right, left); }
int CRect::Height() const { return Sub(bottom, top); }

CPoint CRect::CenterPoint() const
{
    return CPoint(static_cast<LONG>((static_cast<int64_t>(left) + right) / 2),
                  static_cast<LONG>((static_cast<int64_t>(top) + bottom) / 2));
}

void CRect::InflateRect(int l, int t, int r, int b)
{
    *this = CRect(Sub(left, l), Sub(top, t), Add(right, r), Add(bottom, b));
}

void CRect::DeflateRect(int l, int t, int r, int b)
{
    *this = CRect(Add(left, l), Add(top, t), Sub(right, r), Sub(bottom, b));
}

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

CRect& CRect::operator+=(POINT point) { return *this += SIZE { point.x, point.y }; }

CRect& CRect::operator+=(SIZE size)
{
    OffsetRect(size.cx, size.cy);
    return *this;
}

CRect& CRect::operator+=(const RECT* sides)
{
    InflateRect(sides);
    return *this;
}

CRect& CRect::operator-=(POINT point) { return *this -= SIZE { point.x, point.y }; }

CRect& CRect::operator-=(SIZE size)
{
    OffsetRect(Sub(0, size.cx), Sub(0, size.cy));
    return *this;
}

CRect& CRect::operator-=(const RECT* sides)
{
    DeflateRect(sides);
    return *this;
}

CRect& CRect::operator&=(const RECT& other)
{
    ::IntersectRect(this, this, &other);
    return *this;
}

CRect& CRect::operator|=(const RECT& other)
{
    ::UnionRect(this, this, &other);
    return *this;
}
