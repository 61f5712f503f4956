#include "objects/GenGroupInfo.h"
#include "objects/HyperTracker.h"
#include "objects/PropCombo.h"
#include "objects/kinds/ArcGen.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/tests/PageTestKit.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

// An arc drawn with the rubber band from (x1, y1) to (x2, y2), as the view inserts it.
std::unique_ptr<CArcOb> Drawn(CTestPageView& view, CRect band)
{
    auto arc = std::make_unique<CArcOb>();
    arc->Init(view, nullptr, TRUE);
    arc->GetTracker()->m_rect = band;
    arc->UpdateLayout(TRUE, FALSE);
    return arc;
}

// The upper right quarter of the ellipse centred on (10, 30) with radii 40 and 20.
std::unique_ptr<CArcOb> Quarter(CTestPageView& view)
{
    return Drawn(view, CRect(10, 10, 50, 30));
}

// Resizes the arc the way the tracker does: the new rectangle as dragged, then the layout.
void Resize(CArcOb& arc, CRect raw)
{
    arc.GetTracker()->m_rect = raw;
    arc.UpdateLayout(TRUE, FALSE);
}

struct Ellipse {
    POINT centre;
    SIZE radii;
    double start, end;
    CRect frame;
};

void ExpectEllipse(const CArcOb& arc, const Ellipse& e, const char* name)
{
    EXPECT_EQ(arc.GetCentre().x, e.centre.x) << name;
    EXPECT_EQ(arc.GetCentre().y, e.centre.y) << name;
    EXPECT_EQ(arc.GetRadii().cx, e.radii.cx) << name;
    EXPECT_EQ(arc.GetRadii().cy, e.radii.cy) << name;
    EXPECT_EQ(arc.StartAngle, e.start) << name;
    EXPECT_EQ(arc.EndAngle, e.end) << name;
    EXPECT_EQ(arc.GetFrame(), e.frame) << name;
    CRect rect;
    EXPECT_EQ(*arc.GetRect(&rect, nullptr), e.frame) << name << ": the object's rectangle is the frame";
}

Bytes BaseRecord(CArcOb& arc)
{
    return StoreBytes([&](CArchive& ar) { arc.CHyperOb::Serialize(ar); });
}

TEST(ArcObject, ANewArcIsTheUpperRightQuarterOf40Square)
{
    CTestPageView view;
    CArcOb arc;
    EXPECT_EQ(arc.StartAngle, 0.0);
    EXPECT_EQ(arc.EndAngle, -90.0);
    arc.Init(view, nullptr, TRUE);
    ExpectEllipse(arc, {{0, 40}, {40, 40}, 0.0, -90.0, CRect(0, 0, 40, 40)}, "defaults");
    EXPECT_TRUE(arc.m_keepsDirection) << "the rubber band keeps its direction, as for lines";
    RegisterStringResource(CArcOb::TypeNameId, "Inserts Arc object in worksheet\nArc");
    EXPECT_EQ(arc.GetTypeName(), CString("Arc"));
}

TEST(ArcObject, TheDragDirectionChoosesTheQuarter)
{
    const struct {
        const char* name;
        CRect band;
        Ellipse expected;
    } cases[] = {
        {"down right", {10, 10, 50, 30}, {{10, 30}, {40, 20}, 0.0, -90.0, {10, 10, 50, 30}}},
        {"down left", {50, 10, 10, 30}, {{50, 30}, {40, 20}, -90.0, 180.0, {10, 10, 50, 30}}},
        {"up right", {10, 30, 50, 10}, {{10, 10}, {40, 20}, 90.0, 0.0, {10, 10, 50, 30}}},
        {"up left", {50, 30, 10, 10}, {{50, 10}, {40, 20}, 180.0, 90.0, {10, 10, 50, 30}}},
    };
    for (const auto& c : cases) {
        CTestPageView view;
        auto arc = Drawn(view, c.band);
        ExpectEllipse(*arc, c.expected, c.name);
    }
}

TEST(ArcObject, AnglesAreKeptWithinAHalfTurnEitherWay)
{
    const struct {
        double set;
        double stored;
    } cases[] = {{450.0, 90.0},  {540.0, 180.0}, {-180.0, 180.0}, {720.0, 0.0}, {-450.0, -90.0},
                 {181.0, -179.0}, {-179.5, -179.5}, {std::numeric_limits<double>::quiet_NaN(), 0.0}};
    for (const auto& c : cases) {
        CTestPageView view;
        auto arc = Quarter(view);
        EXPECT_EQ(PutProperty(*arc, "StartAngle", COleVariant(c.set)), S_OK);
        EXPECT_EQ(arc->StartAngle, c.stored) << c.set;
        EXPECT_EQ(GetProperty(*arc, "StartAngle").dblVal, c.stored) << c.set;
    }
}

TEST(ArcObject, ScriptsReachWedgeAndBothAnglesByTheirIds)
{
    CTestPageView view;
    auto arc = Quarter(view);
    const struct {
        const char* name;
        DISPID id;
    } members[] = {{"Wedge", 1329}, {"StartAngle", 1330}, {"EndAngle", 1331}};
    for (const auto& m : members) {
        DISPID id = DISPID_UNKNOWN;
        GetProperty(*arc, m.name, &id);
        EXPECT_EQ(id, m.id) << m.name;
    }
    int changes = view.changed;
    EXPECT_EQ(PutProperty(*arc, "EndAngle", COleVariant(180.0)), S_OK);
    EXPECT_GT(view.changed, changes) << "a change lays the arc out again";
    ExpectEllipse(*arc, {{10, 30}, {40, 20}, 0.0, 180.0, {-30, 10, 50, 30}}, "upper half");
    EXPECT_EQ(PutProperty(*arc, "Wedge", COleVariant(300L)), S_OK);
    EXPECT_EQ(arc->Wedge, 255) << "the record keeps one byte";
}

TEST(ArcObject, TurningWedgeOnKeepsTheEllipse)
{
    CTestPageView view;
    auto arc = Quarter(view);
    arc->Wedge = 1;
    arc->UpdateLayout(TRUE, FALSE);
    ExpectEllipse(*arc, {{10, 30}, {40, 20}, 0.0, -90.0, {10, 10, 50, 30}}, "wedge");
    arc->BuildOutline();
    const POINT* points = arc->GetOutlinePoints();
    int n = arc->GetOutlineCount();
    ASSERT_GT(n, 3);
    EXPECT_EQ(points[n - 2].x, -20) << "the wedge closes through the centre, (10, 30) from (30, 20)";
    EXPECT_EQ(points[n - 2].y, 10);
    EXPECT_EQ(points[n - 1].x, points[0].x);
    EXPECT_EQ(points[n - 1].y, points[0].y);
}

TEST(ArcObject, TheFrameReachesFromTheCentreToTheRadiusTheArcPasses)
{
    const struct {
        const char* name;
        double start, end;
        CRect frame;
    } cases[] = {
        {"lower right piece", 80.0, 10.0, {10, 30, 50, 50}},
        {"all but a lower right piece", 10.0, 80.0, {-30, 10, 50, 50}},
        {"through the right", 30.0, -30.0, {10, 10, 50, 50}},
        {"upper half", 0.0, 180.0, {-30, 10, 50, 30}},
        {"three quarters", 90.0, 180.0, {-30, 10, 50, 50}},
        {"start and end on one degree", 45.0, 45.0, {-30, 10, 50, 50}},
    };
    for (const auto& c : cases) {
        CTestPageView view;
        auto arc = Quarter(view);
        arc->StartAngle = c.start;
        arc->EndAngle = c.end;
        arc->UpdateLayout(TRUE, FALSE);
        EXPECT_EQ(arc->GetFrame(), c.frame) << c.name;
        EXPECT_EQ(arc->GetCentre().x, 10) << c.name << ": angles alone never move the ellipse";
        EXPECT_EQ(arc->GetCentre().y, 30) << c.name;
    }
}

TEST(ArcObject, ResizingScalesMirrorsOrFitsTheEllipse)
{
    const struct {
        const char* name;
        double end;
        CRect raw;
        Ellipse expected;
    } cases[] = {
        {"moved", -90.0, {20, 20, 60, 40}, {{20, 40}, {40, 20}, 0.0, -90.0, {20, 20, 60, 40}}},
        {"right edge out", -90.0, {10, 10, 90, 30}, {{10, 30}, {80, 20}, 0.0, -90.0, {10, 10, 90, 30}}},
        {"top edge up", -90.0, {10, -10, 50, 30}, {{10, 30}, {40, 40}, 0.0, -90.0, {10, -10, 50, 30}}},
        {"right edge across the left", -90.0, {10, 10, -30, 30},
         {{10, 30}, {-40, 20}, -90.0, 180.0, {-30, 10, 10, 30}}},
        {"left edge across the right", -90.0, {90, 10, 50, 30},
         {{90, 30}, {-40, 20}, -90.0, 180.0, {50, 10, 90, 30}}},
        {"top edge across the bottom", -90.0, {10, 50, 50, 30},
         {{10, 30}, {40, -20}, 90.0, 0.0, {10, 30, 50, 50}}},
        {"upper half, taller", 180.0, {-30, 10, 50, 50}, {{10, 50}, {40, 40}, 0.0, 180.0, {-30, 10, 50, 50}}},
        {"upper half, wider: fitted", 180.0, {-30, 10, 130, 30},
         {{50, 30}, {80, 20}, 0.0, 180.0, {-30, 10, 130, 30}}},
    };
    for (const auto& c : cases) {
        CTestPageView view;
        auto arc = Quarter(view);
        arc->EndAngle = c.end;
        arc->UpdateLayout(TRUE, FALSE);
        Resize(*arc, c.raw);
        ExpectEllipse(*arc, c.expected, c.name);
    }
}

TEST(ArcObject, RecordIsVersion1WithTheCentreFromTheFrameCorner)
{
    CTestPageView view;
    auto arc = Quarter(view);
    arc->BackColor = 0x00102030;
    arc->ForeColor = 0x00405060;
    arc->PenWidth = 2;
    arc->PenStyle = 1;
    arc->Wedge = 1;
    arc->UpdateLayout(TRUE, FALSE);
    Bytes base = BaseRecord(*arc);
    Bytes expected = Concat({
        base,
        Dword(0xBACDCD01), // tag, version 1
        Dword(0x00102030), // BackColor
        Dword(0x00405060), // ForeColor
        Dword(2),          // PenWidth
        Dword(1),          // PenStyle
        {0x01},            // Wedge, one byte
        Double(0.0),       // StartAngle
        Double(-90.0),     // EndAngle
        Dword(40),         // radius x
        Dword(20),         // radius y
        Dword(0),          // centre x from the frame's left
        Dword(20),         // centre y from the frame's top
    });
    EXPECT_EQ(Stored(*arc), expected);

    CTestPageView other;
    CArcOb loaded;
    loaded.Init(other, nullptr, FALSE);
    EXPECT_EQ(LoadBytes(expected, [&](CArchive& ar) { loaded.Serialize(ar); }), expected.size());
    EXPECT_EQ(loaded.BackColor, 0x00102030u);
    EXPECT_EQ(loaded.PenWidth, 2);
    EXPECT_EQ(loaded.Wedge, 1);
    ExpectEllipse(loaded, {{10, 30}, {40, 20}, 0.0, -90.0, {10, 10, 50, 30}}, "loaded");
    loaded.UpdateLayout(TRUE, FALSE);
    ExpectEllipse(loaded, {{10, 30}, {40, 20}, 0.0, -90.0, {10, 10, 50, 30}}, "a loaded arc counts as laid out");
}

TEST(ArcObject, TheOldestRecordsNameAQuarterOfTheStoredRectangle)
{
    CTestPageView view;
    auto arc = Quarter(view);
    Bytes base = BaseRecord(*arc);
    Bytes fields = Concat({Dword(0x000000FF), Dword(0), Dword(3), Dword(0)});
    const struct {
        const char* name;
        Bytes tag;
    } cases[] = {{"no tag", {}}, {"tag of version 0", Dword(0xBACDCD00)}};
    for (const auto& c : cases) {
        Bytes bytes = Concat({base, c.tag, fields, Word(2)});
        CTestPageView other;
        CArcOb loaded;
        loaded.Init(other, nullptr, FALSE);
        EXPECT_EQ(LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }), bytes.size()) << c.name;
        EXPECT_EQ(loaded.BackColor, 0x000000FFu) << c.name;
        EXPECT_EQ(loaded.PenWidth, 3) << c.name;
        ExpectEllipse(loaded, {{10, 10}, {40, 20}, 90.0, 0.0, {10, 10, 50, 30}}, c.name);
    }
}

TEST(ArcObject, BrokenRecordsFailOrStayInRange)
{
    CTestPageView view;
    auto arc = Quarter(view);
    ExpectCutRecordsFail(*arc, {4, 8, 16, 20, 29});
    Bytes wild = Concat({BaseRecord(*arc), Dword(0xBACDCD01), Dword(0), Dword(0), Dword(1), Dword(0), {0},
                         Double(std::numeric_limits<double>::infinity()), Double(-90.0), Dword(0x7FFFFFFF),
                         Dword(0x80000000), Dword(0x7FFFFFFF), Dword(0x7FFFFFFF)});
    CArcOb loaded;
    loaded.Init(view, nullptr, FALSE);
    EXPECT_EQ(LoadBytes(wild, [&](CArchive& ar) { loaded.Serialize(ar); }), wild.size());
    EXPECT_EQ(loaded.StartAngle, 0.0);
    EXPECT_EQ(loaded.GetRadii().cx, 32767);
    EXPECT_EQ(loaded.GetRadii().cy, -32768);
    EXPECT_EQ(loaded.GetCentre().x, 32767);
}

TEST(ArcObject, AFilledArcIsHitOnlyInsideItsChordOrPie)
{
    struct Case {
        const char* name;
        COLORREF back;
        int wedge;
        POINT point;
        int hit;
    };
    const Case cases[] = {
        {"filled, inside the chord", RGB(0, 255, 0), 0, {40, 20}, 8},
        {"filled, below the chord", RGB(0, 255, 0), 0, {20, 25}, -1},
        {"filled, outside the curve", RGB(0, 255, 0), 0, {47, 12}, -1},
        {"pie, below the chord", RGB(0, 255, 0), 1, {20, 25}, 8},
        {"hollow, below the chord", static_cast<COLORREF>(-1), 0, {20, 25}, 8},
        {"hollow, outside the curve", static_cast<COLORREF>(-1), 0, {47, 12}, 8},
        {"outside the rectangle", RGB(0, 255, 0), 1, {60, 20}, -1},
    };
    for (const Case& c : cases) {
        CTestPageView view;
        auto arc = Quarter(view);
        arc->BackColor = c.back;
        arc->Wedge = c.wedge;
        arc->UpdateLayout(TRUE, FALSE);
        EXPECT_EQ(arc->HitTest(c.point), c.hit) << c.name;
    }
}

TEST(ArcObject, PropertiesAreWedgeAndTwoAnglesWithoutHatchOrShadow)
{
    RegisterStringResource(27146, "0 - <No>");
    RegisterStringResource(27147, "1 - <Yes>");
    CTestPageView view;
    auto arc = Quarter(view);
    CPropObArray list;
    arc->CollectProperties(list, TRUE);
    std::vector<UINT> ids = PropertyNameIds(list);
    ASSERT_GE(ids.size(), 3u);
    EXPECT_EQ(std::vector<UINT>(ids.end() - 3, ids.end()),
              (std::vector<UINT>{CArcOb::WedgeId, CArcOb::StartAngleId, CArcOb::EndAngleId}));
    EXPECT_EQ(std::count(ids.begin(), ids.end(), CHyperDrawOb::HatchStyleId), 0);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), CHyperDrawOb::ShadowStyleId), 0);
    auto* wedge = FindProperty<CPropCombo>(list, CArcOb::WedgeId);
    ASSERT_NE(wedge, nullptr);
    ASSERT_EQ(wedge->m_choices.GetSize(), 2);
    EXPECT_EQ(wedge->m_choices.GetChoice(1)->value, 1u);
}

TEST(ArcObject, TheGeneratorDropsHelpContextAndMakesGeneratorGroups)
{
    CTestPageView view;
    CArcGen arc;
    arc.Init(view, nullptr, TRUE);
    EXPECT_EQ(arc.BackColor, static_cast<COLORREF>(-1));
    EXPECT_EQ(arc.CreateProperty(27380, FALSE), nullptr);
    std::unique_ptr<CGroupInfo> group(arc.CreateGroupInfo());
    EXPECT_TRUE(group->IsKindOf(RUNTIME_CLASS(CGenGroupInfo)));
}

TEST(ArcObject, CopiesTakeTheEllipse)
{
    CTestPageView view;
    auto arc = Drawn(view, CRect(50, 30, 10, 10));
    CArcOb copy;
    copy.Init(view, nullptr, FALSE);
    copy.CopyFrom(arc.get());
    ExpectEllipse(copy, {{50, 10}, {40, 20}, 180.0, 90.0, {10, 10, 50, 30}}, "copy");
}

} // namespace
