#include "objects/kinds/ShapeOb.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/kinds/tests/PictureKit.h"
#include "objects/PropText.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);

Bytes Dword(DWORD v)
{
    return {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
}

Bytes Text(const char* text)
{
    return StoreBytes([&](CArchive& ar) { ar << CString(text); });
}

class Shape : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRect rect(100, 100, 140, 200);
        shape.Init(view, &rect, FALSE);
        shape.Layout = CBitmapOb::LayoutStretch;
    }
    Bytes ShadowedPart() { return StoreBytes([&](CArchive& ar) { shape.CBitmapShadowOb::Serialize(ar); }); }
    Bytes FontRecord() { return StoreBytes([&](CArchive& ar) { shape.Font.Serialize(ar); }); }

    CTestPageView view;
    CShapeOb shape;
};

TEST_F(Shape, RecordIsVersion1WithCaptionFontDemoTextsAndBlob)
{
    shape.ShadowDirection = 4;
    shape.BackColor = White;
    shape.Text = "Hi";
    shape.Blob = {"a", "bc"};
    const Bytes common = Concat({Dword(4), Dword(White), Dword(0xFFFFFFFF), Text("Hi"), Dword(6), FontRecord()});
    EXPECT_EQ(Stored(shape), Concat({ShadowedPart(), {0x01, 0xCD, 0xCD, 0xBA}, common, Text("Toast"),
                                     Text("Trapezoid"), Text("a"), Text("bc")}));

    const struct {
        Bytes tail;
        const char* choice;
        CBlobRun blob;
    } older[] = {
        {Concat({{0x00, 0xCD, 0xCD, 0xBA}, common, Text("Rye"), Text("B")}), "Rye", {}},
        {common, "Toast", {}},
    };
    for (const auto& c : older) {
        const Bytes record = Concat({ShadowedPart(), c.tail});
        CShapeOb loaded;
        loaded.Init(view, nullptr, FALSE);
        EXPECT_EQ(LoadBytes(record, [&](CArchive& ar) { loaded.Serialize(ar); }), record.size());
        EXPECT_EQ(loaded.ShadowDirection, 4);
        EXPECT_EQ(loaded.Text, CString("Hi"));
        EXPECT_EQ(loaded.ChoiceText, CString(c.choice));
        EXPECT_EQ(loaded.Blob, c.blob);
    }
    ExpectCutRecordsFail(shape, {1, 3, 8});
}

TEST_F(Shape, ANarrowCaptionGetsA150WideLabelCentredUnderTheObject)
{
    shape.Text = "Hi";
    shape.LayoutText(nullptr);
    const CRect label = shape.GetLabelArea();
    EXPECT_EQ(label.left, 100 + (20 - 75));
    EXPECT_EQ(label.Width(), 150);
    EXPECT_EQ(label.bottom, 200);
    const CRect text = shape.GetTextRect();
    EXPECT_TRUE(label.PtInRect(text.TopLeft()));
    EXPECT_NEAR(text.CenterPoint().x, label.CenterPoint().x, 1);
    EXPECT_NEAR(text.CenterPoint().y, label.CenterPoint().y, 1);
}

TEST_F(Shape, TheCaptionIsPartOfTheShapeAndAnEmptyOneIsMeasuredAsX)
{
    shape.Text = "A caption wider than the object";
    shape.UpdateLayout(FALSE, FALSE);
    const CRect text = shape.GetTextRect();
    ASSERT_LT(text.left, 100);
    EXPECT_EQ(shape.HitTest(CPoint(text.left + 1, text.top + 1)), 8);
    EXPECT_EQ(shape.HitTest(CPoint(text.left + 1, 90)), -1);
    CRect update;
    shape.GetUpdateRect(&update, nullptr);
    EXPECT_LE(update.left, text.left);

    shape.Text.Empty();
    shape.LayoutText(nullptr);
    EXPECT_GT(shape.GetTextRect().Width(), 0);
    EXPECT_LT(shape.GetTextRect().Width(), 20);
    Canvas canvas(240, 240);
    shape.Draw(&canvas.dc);
    EXPECT_EQ(canvas.Ink(), CRect(240, 240, 0, 0));
}

TEST_F(Shape, CaptionAndFrameAreDrawnInTheirColours)
{
    shape.Text = "WWW";
    shape.ForeColor = Red;
    shape.HighlightFrame = TRUE;
    shape.FrameColor = RGB(0, 0, 255);
    Canvas canvas(240, 240);
    shape.Draw(&canvas.dc);
    EXPECT_GT(canvas.Count(Red), 5);
    const CRect text = shape.GetTextRect();
    const CRect ink = canvas.Ink();
    EXPECT_EQ(ink.left, std::min<LONG>(97, text.left));
    EXPECT_EQ(canvas.Pixel(97, 150), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Pixel(99, 150), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Pixel(96, 150), White);
}

TEST_F(Shape, DirectionAndOffsetEditorsFollowEachOther)
{
    CPropObArray list;
    shape.CollectProperties(list, TRUE);
    auto* direction = FindProperty<CPropShapeShadow>(list, CHyperDrawOb::ShadowStyleId);
    auto* x = FindProperty<CPropShadowLong>(list, CSoftShadowOb::OffsetXId);
    auto* y = FindProperty<CPropShadowLong>(list, CSoftShadowOb::OffsetYId);
    ASSERT_TRUE(direction && x && y);

    direction->m_edited = 1;
    direction->OnValueChanged();
    EXPECT_EQ(shape.GetShadow().OffsetX, -6);
    EXPECT_EQ(shape.GetShadow().OffsetY, -6);
    EXPECT_EQ(x->m_edited, -6);
    EXPECT_EQ(y->m_edited, -6);

    const struct {
        LONG x, y;
        DWORD direction;
    } typed[] = {{6, 6, 4}, {3, 3, 99}, {0, 0, 0}, {6, -6, 2}};
    for (const auto& c : typed) {
        x->m_edited = c.x;
        y->m_edited = c.y;
        y->OnValueChanged();
        EXPECT_EQ(direction->m_edited, c.direction) << c.x << "," << c.y;
    }

    auto* choice = FindProperty<CPropEditCombo>(list, CShapeOb::ChoiceId);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->GetPage(), 1);
    EXPECT_EQ(choice->m_nameText, CString("Choice"));
    auto* blob = FindProperty<CPropBlob>(list, CShapeOb::BlobId);
    ASSERT_TRUE(blob);
    blob->m_edited = {"x", "y"};
    CString text;
    blob->GetValueText(text);
    EXPECT_EQ(text, CString("x + y"));
}

TEST(ShapeObject, TextAlignmentAndCaptionColourRules)
{
    CShapeOb shape;
    const struct {
        int alignment, textAlign;
    } cases[] = {{0, 0}, {2, 2}, {6, 1}, {5, 1}};
    for (const auto& c : cases) {
        shape.Alignment = c.alignment;
        EXPECT_EQ(shape.GetTextAlign(), c.textAlign);
    }
    COLORREF colour = 1;
    EXPECT_TRUE(shape.GetForeColor(&colour));
    EXPECT_EQ(colour, 0u);
    EXPECT_TRUE(shape.GetForeColor(nullptr));
}

}
