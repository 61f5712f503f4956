#include "platform/core/Geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

static std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

TEST(Geometry, PointInRectExcludesRightAndBottom)
{
    const CRect r(10, 20, 30, 40);
    struct Case { POINT p; bool inside; };
    const Case cases[] = {
        { { 10, 20 }, true }, { { 29, 39 }, true }, { { 30, 25 }, false }, { { 15, 40 }, false },
        { { 9, 25 }, false }, { { 15, 19 }, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(r.PtInRect(c.p) != FALSE, c.inside) << c.p.x << "," << c.p.y;
    EXPECT_FALSE(CRect(5, 5, 5, 9).PtInRect(CPoint(5, 6))); // empty rect holds nothing
}

TEST(Geometry, EmptyAndNull)
{
    struct Case { CRect r; bool empty; bool null; };
    const Case cases[] = {
        { CRect(0, 0, 0, 0), true, true }, { CRect(1, 1, 1, 5), true, false }, { CRect(5, 1, 1, 5), true, false },
        { CRect(0, 0, 1, 1), false, false }, { CRect(-5, -5, -4, -4), false, false },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.r.IsRectEmpty() != FALSE, c.empty) << c.r;
        EXPECT_EQ(c.r.IsRectNull() != FALSE, c.null) << c.r;
    }
}

TEST(Geometry, IntersectUnionSubtractTable)
{
    struct Case { RECT a, b, intersect; BOOL hasIntersect; RECT unite; RECT subtract; };
    const Case cases[] = {
        // overlapping
        { { 0, 0, 10, 10 }, { 5, 5, 15, 15 }, { 5, 5, 10, 10 }, TRUE, { 0, 0, 15, 15 }, { 0, 0, 10, 10 } },
        // disjoint
        { { 0, 0, 10, 10 }, { 20, 20, 30, 30 }, { 0, 0, 0, 0 }, FALSE, { 0, 0, 30, 30 }, { 0, 0, 10, 10 } },
        // touching edges do not intersect
        { { 0, 0, 10, 10 }, { 10, 0, 20, 10 }, { 0, 0, 0, 0 }, FALSE, { 0, 0, 20, 10 }, { 0, 0, 10, 10 } },
        // b covers the bottom band of a: subtract trims it
        { { 0, 0, 10, 10 }, { -5, 6, 15, 20 }, { 0, 6, 10, 10 }, TRUE, { -5, 0, 15, 20 }, { 0, 0, 10, 6 } },
        // b covers the left band
        { { 0, 0, 10, 10 }, { -1, -1, 4, 11 }, { 0, 0, 4, 10 }, TRUE, { -1, -1, 10, 11 }, { 4, 0, 10, 10 } },
        // b in the middle: a stays whole
        { { 0, 0, 10, 10 }, { 3, 3, 6, 6 }, { 3, 3, 6, 6 }, TRUE, { 0, 0, 10, 10 }, { 0, 0, 10, 10 } },
        // b empty: union ignores it
        { { 0, 0, 10, 10 }, { 50, 50, 50, 60 }, { 0, 0, 0, 0 }, FALSE, { 0, 0, 10, 10 }, { 0, 0, 10, 10 } },
        // a empty
        { { -7, -7, -7, -7 }, { 1, 2, 3, 4 }, { 0, 0, 0, 0 }, FALSE, { 1, 2, 3, 4 }, { 0, 0, 0, 0 } },
    };
    for (const Case& c : cases) {
        RECT out { 99, 99, 99, 99 };
        EXPECT_EQ(IntersectRect(&out, &c.a, &c.b), c.hasIntersect) << c.a << c.b;
        EXPECT_TRUE(EqualRect(&out, &c.intersect)) << c.a << c.b << " got " << out;
        UnionRect(&out, &c.a, &c.b);
        EXPECT_TRUE(EqualRect(&out, &c.unite)) << c.a << c.b << " got " << out;
        EXPECT_EQ(SubtractRect(&out, &c.a, &c.b), !IsRectEmpty(&c.subtract));
        EXPECT_TRUE(EqualRect(&out, &c.subtract)) << c.a << c.b << " got " << out;
    }
    RECT whole { 0, 0, 10, 10 }, cover { -1, -1, 11, 11 }, out;
    EXPECT_FALSE(SubtractRect(&out, &whole, &cover));
    EXPECT_TRUE(IsRectEmpty(&out));
    RECT none { 0, 0, 0, 0 };
    EXPECT_FALSE(UnionRect(&out, &none, &none));
}

TEST(Geometry, RectMembersAndOperators)
{
    CRect r(10, 20, 30, 60);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 40);
    EXPECT_EQ(r.Size(), CSize(20, 40));
    EXPECT_EQ(r.TopLeft(), CPoint(10, 20));
    EXPECT_EQ(r.BottomRight(), CPoint(30, 60));
    EXPECT_EQ(r.CenterPoint(), CPoint(20, 40));
    EXPECT_EQ(CRect(-3, -3, 0, 0).CenterPoint(), CPoint(-1, -1));
    r.TopLeft() = CPoint(0, 0);
    EXPECT_EQ(r, CRect(0, 0, 30, 60));

    const RECT sides { 1, 2, 3, 4 };
    struct Case { CRect result; CRect expected; };
    const Case cases[] = {
        { CRect(10, 10, 20, 20) + CPoint(5, -5), CRect(15, 5, 25, 15) },
        { CRect(10, 10, 20, 20) - CSize(5, 5), CRect(5, 5, 15, 15) },
        { CRect(10, 10, 20, 20) + &sides, CRect(9, 8, 23, 24) },
        { CRect(10, 10, 20, 20) - &sides, CRect(11, 12, 17, 16) },
        { CRect(0, 0, 10, 10) & CRect(5, 5, 20, 20), CRect(5, 5, 10, 10) },
        { CRect(0, 0, 10, 10) | CRect(5, 5, 20, 20), CRect(0, 0, 20, 20) },
        { CRect(0, 0, 10, 10) & CRect(50, 50, 60, 60), CRect(0, 0, 0, 0) },
        { CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6) },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, c.expected) << c.result;

    CRect n(30, 40, 10, 20);
    n.NormalizeRect();
    EXPECT_EQ(n, CRect(10, 20, 30, 40));
    n.InflateRect(2, 3);
    EXPECT_EQ(n, CRect(8, 17, 32, 43));
    n.DeflateRect(2, 3, 4, 5);
    EXPECT_EQ(n, CRect(10, 20, 28, 38));
    n.MoveToXY(0, 0);
    EXPECT_EQ(n, CRect(0, 0, 18, 18));
    n.OffsetRect(CSize(1, 1));
    EXPECT_EQ(n, CRect(1, 1, 19, 19));
}

TEST(Geometry, PointAndSizeArithmeticWraps)
{
    EXPECT_EQ(CPoint(5, 7) - CPoint(2, 3), CSize(3, 4));
    EXPECT_EQ(CPoint(5, 7) + CSize(1, 1), CPoint(6, 8));
    EXPECT_EQ(-CPoint(2, -3), CPoint(-2, 3));
    EXPECT_EQ(CPoint(MAKELPARAM(static_cast<WORD>(-3), 40)), CPoint(-3, 40));
    CPoint big(INT_MAX, INT_MIN);
    big.Offset(1, -1);
    EXPECT_EQ(big, CPoint(INT_MIN, INT_MAX));
    EXPECT_EQ(CRect(INT_MIN, 0, INT_MAX, 1).Width(), -1);
}
