#include "objects/kinds/HiliteOb.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/tests/PageTestKit.h"
#include "platform/ole/OleVariant.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr COLORREF Magenta = RGB(255, 0, 255);
constexpr COLORREF Cyan = RGB(0, 255, 255);

// A white page that draws its objects from the bottom of the stack up, as a view paints.
class HighlightPage : public CTestPageView {
public:
    BOOL IsSimpleDrawing() const override { return simple; }
    BOOL GetViewClientRect(RECT* rect) const override
    {
        *rect = client;
        return TRUE;
    }
    void PaintPageBackground(CDC* dc, const RECT& area) override { dc->FillSolidRect(&area, White); }
    void DrawObjectsFrom(CDC* dc, const RECT&, int start) override
    {
        for (int i = GetObjectCount() - 1; i >= start; --i)
            static_cast<CHyperOb*>(GetObjectAt(i))->Draw(dc);
    }
    void Paint(CDC* dc)
    {
        dc->FillSolidRect(&client, White);
        for (int i = GetObjectCount() - 1; i >= 0; --i)
            static_cast<CHyperOb*>(GetObjectAt(i))->Draw(dc);
    }

    BOOL simple = FALSE;
    RECT client {0, 0, 40, 40};
};

// From the top of the stack: a blue box above the highlight, the highlight on (10, 10, 30, 30),
// black "text" and a blue box below it.
class Highlight : public ::testing::Test {
protected:
    void SetUp() override
    {
        Box(above, CRect(12, 12, 16, 16), Blue);
        CRect rect(10, 10, 30, 30);
        hilite.Init(page, &rect, FALSE);
        Box(text, CRect(14, 20, 26, 22), Black);
        Box(below, CRect(20, 24, 24, 28), Blue);
        page.objects = {&above, &hilite, &text, &below};
    }
    void Box(CTestBoxOb& box, CRect rect, COLORREF colour)
    {
        box.Init(page, &rect, FALSE);
        box.BackColor = colour;
    }
    void Paint(BOOL printing = FALSE)
    {
        canvas.dc.m_bPrinting = printing;
        page.Paint(&canvas.dc);
    }

    HighlightPage page;
    CTestBoxOb above, text, below;
    CHiliteOb hilite;
    Canvas canvas {40, 40};
};

TEST_F(Highlight, EachColourRemovesItsChannelBelowAndLeavesObjectsAbove)
{
    const struct {
        int hiliteColor;
        COLORREF page;
        COLORREF blueBelow;
    } cases[] = {
        {CHiliteOb::Yellow, Yellow, Black},
        {CHiliteOb::Magenta, Magenta, Blue},
        {CHiliteOb::Cyan, Cyan, Blue},
        {7, White, Blue},
    };
    for (const auto& c : cases) {
        hilite.HiliteColor = c.hiliteColor;
        Paint();
        ExpectPixels(canvas, {{11, 11, c.page}, {29, 29, c.page}, {9, 9, White}, {30, 30, White}, {20, 21, Black},
                              {21, 25, c.blueBelow}, {13, 13, Blue}}, "tinted");
    }
}

TEST_F(Highlight, OnlyTheVisiblePartIsComposed)
{
    page.client = {0, 0, 20, 40};
    Paint();
    EXPECT_EQ(canvas.Pixel(19, 19), Yellow);
    EXPECT_EQ(canvas.Pixel(25, 12), White);
    EXPECT_EQ(canvas.Pixel(21, 25), Blue);
}

TEST_F(Highlight, PrintingOmitsItAndSimpleDrawingFillsTheBrushColour)
{
    Paint(TRUE);
    EXPECT_EQ(canvas.Pixel(11, 11), White);
    EXPECT_EQ(canvas.Pixel(21, 25), Blue);

    page.simple = TRUE;
    for (int colour : {CHiliteOb::Cyan, 7}) {
        hilite.HiliteColor = colour;
        Paint();
        const COLORREF brush = colour == CHiliteOb::Cyan ? Cyan : Yellow;
        // Without a pen the fill stops one short of the right and bottom edges.
        ExpectPixels(canvas, {{11, 11, brush}, {28, 28, brush}, {21, 25, brush}, {13, 13, Blue}}, "simple");
    }
}

TEST_F(Highlight, ScriptsRetintItAtTheNextRedraw)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>("HiliteColor")};
    hilite.GetIDispatch(FALSE)->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    EXPECT_EQ(id, 0x531);
    COleVariant value(static_cast<long>(CHiliteOb::Magenta));
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params {&value, &putId, 1, 1};
    EXPECT_EQ(hilite.GetIDispatch(FALSE)->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                                                 nullptr),
              S_OK);
    Paint();
    EXPECT_EQ(canvas.Pixel(11, 11), Magenta);
}

TEST(HiliteRecord, IsATagAndTheColour)
{
    CHiliteOb hilite;
    hilite.HiliteColor = CHiliteOb::Cyan;
    const Bytes base = StoreBytes([&](CArchive& ar) { hilite.CHyperOb::Serialize(ar); });
    const Bytes bytes = Stored(hilite);
    EXPECT_EQ(bytes, Concat({base, {0x00, 0xCD, 0xCD, 0xBA, 0x05, 0x00, 0x00, 0x00}}));
    CHiliteOb loaded;
    EXPECT_EQ(LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }), bytes.size());
    EXPECT_EQ(loaded.HiliteColor, CHiliteOb::Cyan);
    ExpectCutRecordsFail(hilite, {1, 4});
}

}
