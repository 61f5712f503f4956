// CPoint, CSize, CRect and the RECT helper functions. Rectangles are right/bottom exclusive.
// Arithmetic wraps at 32 bits as on the platform instead of overflowing.
#pragma once

#include "platform/core/Types.h"

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rect);
BOOL CopyRect(LPRECT dst, const RECT* src);
BOOL IsRectEmpty(const RECT* rect);
BOOL PtInRect(const RECT* rect, POINT point);
BOOL InflateRect(LPRECT rect, int dx, int dy);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b);
// Empty rectangles are ignored; returns FALSE when the union is empty.
BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b);
// Removes `b` from `a` when that leaves a rectangle; otherwise dst is `a`.
BOOL SubtractRect(LPRECT dst, const RECT* a, const RECT* b);
BOOL EqualRect(const RECT* a, const RECT* b);

class CSize : public SIZE {
public:
    CSize() : SIZE { 0, 0 } { }
    CSize(int x, int y) : SIZE { x, y } { }
    CSize(SIZE size) : SIZE(size) { }
    explicit CSize(POINT point) : SIZE { point.x, point.y } { }

    bool operator==(SIZE other) const { return cx == other.cx && cy == other.cy; }
    bool operator!=(SIZE other) const { return !(*this == other); }
    CSize& operator+=(SIZE other);
    CSize& operator-=(SIZE other);
    CSize operator+(SIZE other) const { return CSize(*this) += other; }
    CSize operator-(SIZE other) const { return CSize(*this) -= other; }
    CSize operator-() const;
};

class CPoint : public POINT {
public:
    CPoint() : POINT { 0, 0 } { }
    CPoint(int x, int y) : POINT { x, y } { }
    CPoint(POINT point) : POINT(point) { }
    explicit CPoint(SIZE size) : POINT { size.cx, size.cy } { }
    // The low word is x and the high word y, each signed.
    explicit CPoint(LPARAM packed);

    void Offset(int dx, int dy);
    void Offset(POINT point) { Offset(point.x, point.y); }
    void Offset(SIZE size) { Offset(size.cx, size.cy); }
    void SetPoint(int newX, int newY) { x = newX, y = newY; }

    bool operator==(POINT other) const { return x == other.x && y == other.y; }
    bool operator!=(POINT other) const { return !(*this == other); }
    CPoint& operator+=(SIZE size);
    CPoint& operator-=(SIZE size);
    CPoint& operator+=(POINT point);
    CPoint& operator-=(POINT point);
    CPoint operator+(SIZE size) const { return CPoint(*this) += size; }
    CPoint operator-(SIZE size) const { return CPoint(*this) -= size; }
    CPoint operator+(POINT point) const { return CPoint(*this) += point; }
    CSize operator-(POINT point) const;
    CPoint operator-() const;
};

class CRect : public RECT {
public:
    CRect() : RECT { 0, 0, 0, 0 } { }
    CRect(int l, int t, int r, int b) : RECT { l, t, r, b } { }
    CRect(const RECT& rect) : RECT(rect) { }
    CRect(const RECT* rect) : RECT(*rect) { }
    CRect(POINT topLeft, SIZE size);
    CRect(POINT topLeft, POINT bottomRight) : RECT { topLeft.x, topLeft.y, bottomRight.x, bottomRight.y } { }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    int Width() const;
    int Height() const;
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const;

    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }
    BOOL EqualRect(const RECT* other) const { return ::EqualRect(this, other); }

    void SetRect(int l, int t, int r, int b) { ::SetRect(this, l, t, r, b); }
    void SetRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() { ::SetRectEmpty(this); }
    void CopyRect(const RECT* src) { ::CopyRect(this, src); }

    void InflateRect(int dx, int dy) { ::InflateRect(this, dx, dy); }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(const RECT* sides) { InflateRect(sides->left, sides->top, sides->right, sides->bottom); }
    void InflateRect(int l, int t, int r, int b);
    void DeflateRect(int dx, int dy) { DeflateRect(dx, dy, dx, dy); }
    void DeflateRect(SIZE size) { DeflateRect(size.cx, size.cy); }
    void DeflateRect(const RECT* sides) { DeflateRect(sides->left, sides->top, sides->right, sides->bottom); }
    void DeflateRect(int l, int t, int r, int b);
    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
    void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void MoveToXY(POINT point) { MoveToXY(point.x, point.y); }
    void MoveToX(int x) { MoveToXY(x, top); }
    void MoveToY(int y) { MoveToXY(left, y); }
    void NormalizeRect();

    BOOL IntersectRect(const RECT* a, const RECT* b) { return ::IntersectRect(this, a, b); }
    BOOL UnionRect(const RECT* a, const RECT* b) { return ::UnionRect(this, a, b); }
    BOOL SubtractRect(const RECT* a, const RECT* b) { return ::SubtractRect(this, a, b); }

    bool operator==(const RECT& other) const { return ::EqualRect(this, &other) != FALSE; }
    bool operator!=(const RECT& other) const { return !(*this == other); }
    CRect& operator+=(POINT point);
    CRect& operator+=(SIZE size);
    CRect& operator+=(const RECT* sides);
    CRect& operator-=(POINT point);
    CRect& operator-=(SIZE size);
    CRect& operator-=(const RECT* sides);
    CRect& operator&=(const RECT& other);
    CRect& operator|=(const RECT& other);
    CRect operator+(POINT point) const { return CRect(*this) += point; }
    CRect operator+(SIZE size) const { return CRect(*this) += size; }
    CRect operator+(const RECT* sides) const { return CRect(*this) += sides; }
    CRect operator-(POINT point) const { return CRect(*this) -= point; }
    CRect operator-(SIZE size) const { return CRect(*this) -= size; }
    CRect operator-(const RECT* sides) const { return CRect(*this) -= sides; }
    CRect operator&(const RECT& other) const { return CRect(*this) &= other; }
    CRect operator|(const RECT& other) const { return CRect(*this) |= other; }
};
