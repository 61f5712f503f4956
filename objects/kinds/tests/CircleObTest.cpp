#include "objects/GenGroupInfo.h"
#include "objects/HyperTracker.h"
#include "objects/kinds/CircleGen.h"
#include "objects/kinds/EllipseOutline.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/tests/PageTestKit.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

std::unique_ptr<CCircleOb> Ellipse(CTestPageView& view, CRect rect)
{
    auto ellipse = std::make_unique<CCircleOb>();
    ellipse->Init(view, &rect, FALSE);
    return ellipse;
}

Bytes BaseRecord(CCircleOb& ellipse)
{
    return StoreBytes([&](CArchive& ar) { ellipse.CHyperOb::Serialize(ar); });
}

TEST(EllipseObject, NewEllipsesAre80SquareWithFiveSnapPoints)
{
    CTestPageView view;
    CCircleOb ellipse;
    ellipse.Init(view, nullptr, TRUE);
    CRect rect;
    EXPECT_EQ(*ellipse.GetRect(&rect, nullptr), CRect(0, 0, 80, 80));
    EXPECT_EQ(ellipse.GetSnapPoints(FALSE)->GetCount(), 5);
    EXPECT_EQ(ellipse.GetTracker()->m_sizeMin, CSize(3, 3));
    EXPECT_TRUE(ellipse.IsTransparent());
    RegisterStringResource(CCircleOb::TypeNameId, "Inserts Ellipse object in worksheet\nEllipse");
    EXPECT_EQ(ellipse.GetTypeName(), CString("Ellipse"));
}

TEST(EllipseObject, TheGeneratorIsWhiteWithoutOwnSnapPointsOrHelpContext)
{
    CTestPageView view;
    CCircleGen ellipse;
    ellipse.Init(view, nullptr, TRUE);
    EXPECT_EQ(ellipse.BackColor, RGB(255, 255, 255));
    EXPECT_EQ(ellipse.GetSnapPoints(TRUE), nullptr);
    EXPECT_EQ(ellipse.CreateProperty(27380, FALSE), nullptr);
    std::unique_ptr<CGroupInfo> group(ellipse.CreateGroupInfo());
    EXPECT_TRUE(group->IsKindOf(RUNTIME_CLASS(CGenGroupInfo)));
    std::unique_ptr<CObject> made(RUNTIME_CLASS(CCircleGen)->CreateObject());
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CCircleOb)));
}

TEST(EllipseObject, RecordIsTheVersion0TagAndFiveDwords)
{
    CTestPageView view;
    auto ellipse = Ellipse(view, CRect(10, 10, 50, 30));
    ellipse->BackColor = 0x00112233;
    ellipse->ForeColor = 0x00445566;
    ellipse->PenWidth = 3;
    ellipse->PenStyle = 2;
    ellipse->HatchStyle = 4;
    ellipse->ShadowStyle = 0x10003;
    Bytes base = BaseRecord(*ellipse);
    Bytes expected = Concat({
        base,
        Dword(0xBACDCD00), // tag, version 0
        Dword(0x00112233), // BackColor
        Dword(0x00445566), // ForeColor
        Dword(3),          // PenWidth
        Dword(2),          // PenStyle
        Dword(0x00030004), // HatchStyle low word, ShadowStyle high word (cut to 16 bits)
    });
    EXPECT_EQ(Stored(*ellipse), expected);

    CCircleOb loaded;
    EXPECT_EQ(LoadBytes(expected, [&](CArchive& ar) { loaded.Serialize(ar); }), expected.size());
    EXPECT_EQ(loaded.BackColor, 0x00112233u);
    EXPECT_EQ(loaded.ForeColor, 0x00445566u);
    EXPECT_EQ(loaded.PenWidth, 3);
    EXPECT_EQ(loaded.PenStyle, 2);
    EXPECT_EQ(loaded.HatchStyle, 4);
    EXPECT_EQ(loaded.ShadowStyle, 3);
}

TEST(EllipseObject, ARecordWithoutTheTagCarriesTheSameFields)
{
    CTestPageView view;
    auto ellipse = Ellipse(view, CRect(10, 10, 50, 30));
    Bytes untagged = Concat({BaseRecord(*ellipse), Dword(0x000000FF), Dword(0), Dword(5), Dword(1), Dword(0x00010063)});
    CCircleOb loaded;
    EXPECT_EQ(LoadBytes(untagged, [&](CArchive& ar) { loaded.Serialize(ar); }), untagged.size());
    EXPECT_EQ(loaded.BackColor, 0x000000FFu);
    EXPECT_EQ(loaded.PenWidth, 5);
    EXPECT_EQ(loaded.HatchStyle, CHyperDrawOb::NoHatch);
    EXPECT_EQ(loaded.ShadowStyle, 1);
    ExpectCutRecordsFail(*ellipse, {4, 12, 20});
}

TEST(EllipseObject, TheOutlineHas129PointsOnTheCurveFromTheRightVertex)
{
    std::vector<POINT> wide = EllipseOutline(100, 50, CCircleOb::OutlineSteps);
    ASSERT_EQ(wide.size(), 129u);
    EXPECT_EQ(wide.front().x, 100);
    EXPECT_EQ(wide.front().y, 0);
    EXPECT_EQ(wide.back().x, 100);
    EXPECT_EQ(wide.back().y, 1) << "the last point closes the figure one unit lower";
    for (const POINT& p : wide) {
        double inside = (p.x / 100.0) * (p.x / 100.0) + (p.y / 50.0) * (p.y / 50.0);
        EXPECT_NEAR(inside, 1.0, 0.05) << p.x << "," << p.y;
    }
    // Steps weighted by the radius from the focus leave no long chords anywhere on the curve.
    for (size_t i = 0; i + 1 < wide.size(); ++i)
        EXPECT_LE(std::hypot(wide[i + 1].x - wide[i].x, wide[i + 1].y - wide[i].y), 10.0) << i;

    std::vector<POINT> tall = EllipseOutline(50, 100, CCircleOb::OutlineSteps);
    EXPECT_EQ(tall.front().x, 0);
    EXPECT_EQ(tall.front().y, 100) << "a tall ellipse exchanges x and y";

    std::vector<POINT> circle = EllipseOutline(40, 40, CCircleOb::OutlineSteps);
    EXPECT_EQ(circle[32].x, 0);
    EXPECT_EQ(circle[32].y, -40) << "a circle steps evenly, a quarter at point 32";

    for (const POINT& p : EllipseOutline(60, 0, CCircleOb::OutlineSteps))
        EXPECT_EQ(p.y, 0) << "a flat ellipse stays on its axis";
}

TEST(EllipseObject, OnlyTheInsideOfTheCurveIsHit)
{
    struct Case {
        const char* name;
        COLORREF back;
        double angle;
        POINT point;
        int hit;
    };
    const Case cases[] = {
        {"centre of a hollow ellipse", static_cast<COLORREF>(-1), 0.0, {60, 40}, 8},
        {"corner of a hollow ellipse", static_cast<COLORREF>(-1), 0.0, {24, 24}, -1},
        {"corner of a filled ellipse", RGB(0, 255, 0), 0.0, {24, 24}, -1},
        {"inside near the left vertex", RGB(0, 255, 0), 0.0, {24, 40}, 8},
        {"rotated: the turned outline decides", RGB(0, 255, 0), 90.0, {60, 5}, 8},
        {"rotated: outside the turned outline", RGB(0, 255, 0), 90.0, {22, 40}, -1},
    };
    for (const Case& c : cases) {
        CTestPageView view;
        auto ellipse = Ellipse(view, CRect(20, 20, 100, 60));
        ellipse->BackColor = c.back;
        ellipse->SetRotateAngle(c.angle);
        ellipse->RecalcRect();
        EXPECT_EQ(ellipse->HitTest(c.point), c.hit) << c.name;
    }
}

TEST(EllipseObject, ASquareFrameTurnsBackUpright)
{
    CTestPageView view;
    auto ellipse = Ellipse(view, CRect(0, 0, 80, 40));
    EXPECT_TRUE(ellipse->CanRotate());
    ellipse->SetRotateAngle(30.0);
    ellipse->UpdateLayout(TRUE, FALSE);
    EXPECT_EQ(ellipse->GetRotateAngle(), 30.0) << "an ellipse keeps its angle";
    EXPECT_FALSE(ellipse->GetShadowStyle(nullptr)) << "no shadow while turned";

    ellipse->SetFrameRect(CRect(0, 0, 60, 60));
    ellipse->UpdateLayout(TRUE, FALSE);
    EXPECT_EQ(ellipse->GetRotateAngle(), 0.0);
    EXPECT_FALSE(ellipse->CanRotate()) << "an ungrouped circle refuses to turn";
    ellipse->GroupID = 3;
    EXPECT_TRUE(ellipse->CanRotate()) << "a grouped circle turns with its group";
}

TEST(EllipseObject, PropertiesOfferAnchorsHatchAndShadow)
{
    CTestPageView view;
    auto ellipse = Ellipse(view, CRect(0, 0, 80, 40));
    CPropObArray list;
    ellipse->CollectProperties(list, TRUE);
    std::vector<UINT> ids = PropertyNameIds(list);
    for (UINT id : {CHyperDrawOb::LineWidthId, CHyperDrawOb::LineStyleId, CHyperDrawOb::HatchStyleId,
                    CHyperDrawOb::ShadowStyleId, CCircleOb::AnchorSnapsId})
        EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << id;
    std::unique_ptr<CPropOb> anchors(ellipse->CreateProperty(CCircleOb::AnchorSnapsId, FALSE));
    ASSERT_NE(anchors, nullptr);
    EXPECT_EQ(anchors->m_captionId, 27440);
    EXPECT_EQ(ellipse->CreateProperty(1, TRUE), nullptr);
}

} // namespace
