// The Edit Bitmap dialog's preview placement and its file-type filter.
#include "controls/EditBitmapDlg.h"

#include <gtest/gtest.h>

TEST(EditBitmapDlg, PreviewKeepsSmallPicturesAtTheirSizeAndScalesLargeOnesByTheTighterSide)
{
    const CRect area(10, 20, 110, 70); // 100 x 50
    struct Case {
        CSize picture;
        CRect placed;
    };
    for (Case c : {Case{CSize(40, 20), CRect(40, 35, 80, 55)}, Case{CSize(100, 50), CRect(10, 20, 110, 70)},
                   Case{CSize(400, 100), CRect(10, 32, 110, 57)}, Case{CSize(200, 200), CRect(35, 20, 85, 70)},
                   Case{CSize(120, 20), CRect(10, 37, 110, 53)}, Case{CSize(0, 10), CRect(10, 20, 10, 20)}})
        EXPECT_EQ(CEditBitmapDlg::PreviewPlace(c.picture, area), c.placed) << c.picture.cx << "x" << c.picture.cy;
}

TEST(EditBitmapDlg, FilterListsEachTypeThenAllSupportedThenAllFiles)
{
    const CString filter = CEditBitmapDlg::BuildFilter();
    std::vector<std::string> parts;
    std::string text(static_cast<LPCTSTR>(filter));
    for (size_t start = 0, bar; (bar = text.find('|', start)) != std::string::npos; start = bar + 1)
        parts.push_back(text.substr(start, bar - start));
    ASSERT_GE(parts.size(), 32u);
    EXPECT_EQ(parts[0], "BMP file (*.bmp;*.dib;*.rle)");
    EXPECT_EQ(parts[1], "*.bmp;*.dib;*.rle");
    EXPECT_EQ(parts[26], "Icon (*.ico)");
    EXPECT_EQ(parts[28], "All supported graphic formats");
    EXPECT_EQ(parts[29], "*.bmp;*.dib;*.rle;*.jpg;*.jpeg;*.jif;*.png;*.pct;*.tif;*.eps;*.tga;*.wmf;*.emf;*.pcx;*.pgm;"
                         "*.ppm;*.psd;*.gif;*.ico");
    EXPECT_EQ(parts[31], "*.*");
}
