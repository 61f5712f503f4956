#include "platform/gdi/GdiState.h"
#include "platform/gdi/Raster.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// What the painter itself marks for the path, to compare the coverage's own ways against.
QImage PainterMarks(const QPainterPath& path, const QRect& box)
{
    QImage marks(box.size(), QImage::Format_Alpha8);
    marks.fill(0);
    QPainter p(&marks);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.translate(-box.left(), -box.top());
    p.fillPath(path, QColor(0, 0, 0, 1));
    return marks;
}

// The first pixel where the coverage and the painter disagree, or (-1, -1).
QPoint FirstDifference(const gdi::Coverage& cov, const QImage& marks)
{
    const QRect box = cov.box();
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x)
            if ((cov.Row(box.top() + y)[x] != 0) != (marks.constScanLine(y)[x] != 0))
                return box.topLeft() + QPoint(x, y);
    return {-1, -1};
}

QPainterPath Triangle(QPoint a, QPoint b, QPoint c)
{
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    return path;
}

// Triangles are filled without the painter; every pixel must still be the painter's, including
// centres that fall exactly on an edge, slopes that do not divide evenly and empty slivers.
TEST(Coverage, TrianglesFillAsThePainterFillsThem)
{
    gdi::EnsureGuiApplication();
    std::mt19937 rng(20);
    for (int round = 0; round < 3000; ++round) {
        const int range = round % 3 == 0 ? 6 : round % 3 == 1 ? 40 : 300;
        std::uniform_int_distribution<int> corner(0, range), offset(-40, 900), margin(0, 3);
        const QPoint at(offset(rng), offset(rng));
        const QPoint a = at + QPoint(corner(rng), corner(rng)), b = at + QPoint(corner(rng), corner(rng)),
                     c = at + QPoint(corner(rng), corner(rng));
        const QPainterPath path = Triangle(a, b, c);
        const int m = margin(rng);
        const QRect box = path.boundingRect().toAlignedRect().adjusted(-m, -m, m + 1, m + 1);
        gdi::Coverage cov(box);
        cov.FillPath(path, Qt::OddEvenFill);
        QPoint where = FirstDifference(cov, PainterMarks(path, box));
        ASSERT_EQ(QPoint(-1, -1), where) << "triangle (" << a.x() << "," << a.y() << ") (" << b.x() << "," << b.y()
                                         << ") (" << c.x() << "," << c.y() << ") at " << where.x() << "," << where.y();
    }
}

TEST(Coverage, TriangleReachingPastTheBoxIsCutToIt)
{
    gdi::EnsureGuiApplication();
    const QPainterPath path = Triangle({-5, 12}, {14, 12}, {4, -6});
    const QRect box(0, 0, 10, 8);
    gdi::Coverage cov(box);
    cov.FillPath(path, Qt::WindingFill);
    EXPECT_EQ(QPoint(-1, -1), FirstDifference(cov, PainterMarks(path, box)));
    EXPECT_EQ(1, cov.At(4, 7));
}

}  // namespace
