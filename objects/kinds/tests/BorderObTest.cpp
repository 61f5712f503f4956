#include "objects/GenGroupInfo.h"
#include "objects/HyperTracker.h"
#include "objects/PropCombo.h"
#include "objects/PropNumber.h"
#include "objects/kinds/BorderGen.h"
#include "objects/kinds/KindShared.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/tests/PageTestKit.h"
#include "platform/core/StringTable.h"
#include "platform/gdi/SysColors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);

// A border on the page at (10, 10, 30, 30), black pen, red hilite, unfilled.
std::unique_ptr<CBorderOb> Box(CTestPageView& view, CRect rect = CRect(10, 10, 30, 30))
{
    auto box = std::make_unique<CBorderOb>();
    box->Init(view, &rect, FALSE);
    box->ForeColor = Black;
    box->HiliteColor = Red;
    return box;
}

Bytes BaseRecord(CBorderOb& box)
{
    return StoreBytes([&](CArchive& ar) { box.CHyperOb::Serialize(ar); });
}

TEST(BorderObject, NewBordersAre80SquareWithFourSnapPointsAndAMinimumOf3)
{
    CTestPageView view;
    CBorderOb border;
    EXPECT_EQ(border.HiliteColor, static_cast<COLORREF>(-1));
    EXPECT_EQ(border.BorderStyle, 0);
    EXPECT_EQ(border.GetSnapPoints(TRUE)->GetCount(), 0);
    border.Init(view, nullptr, TRUE);
    CRect rect;
    EXPECT_EQ(*border.GetRect(&rect, nullptr), CRect(0, 0, 80, 80));
    EXPECT_EQ(border.GetSnapPoints(FALSE)->GetCount(), 4);
    EXPECT_EQ(border.GetTracker()->m_sizeMin, CSize(3, 3));
    EXPECT_EQ(border.BackColor, static_cast<COLORREF>(-1));
    EXPECT_TRUE(border.IsTransparent());

    border.PenWidth = 4;
    border.RecalcRect();
    EXPECT_EQ(border.GetTracker()->m_sizeMin, CSize(9, 9));
}

TEST(BorderObject, TheGeneratorIsWhiteWithTheBordersSnapPoints)
{
    CTestPageView view;
    CBorderGen border;
    border.Init(view, nullptr, TRUE);
    EXPECT_EQ(border.BackColor, White);
    EXPECT_FALSE(border.IsTransparent());
    ASSERT_NE(border.GetSnapPoints(TRUE), nullptr);
    EXPECT_EQ(border.GetSnapPoints(TRUE)->GetCount(), 4);
    std::unique_ptr<CGroupInfo> group(border.CreateGroupInfo());
    EXPECT_TRUE(group->IsKindOf(RUNTIME_CLASS(CGenGroupInfo)));
    EXPECT_STREQ(border.GetRuntimeClass()->m_lpszClassName, "CBorderGen");
}

TEST(BorderObject, TypeNameIsTheSecondLineOfItsString)
{
    RegisterStringResource(CBorderOb::TypeNameId, "Inserts Border object in worksheet\nBorder");
    CBorderOb border;
    EXPECT_EQ(border.GetTypeName(), CString("Border"));
}

TEST(BorderObject, RecordIsVersion1WithSevenDwords)
{
    CTestPageView view;
    auto box = Box(view);
    box->BackColor = 0x00102030;
    box->PenWidth = 3;
    box->PenStyle = 2;
    box->HatchStyle = 0x12345;
    box->ShadowStyle = 4;
    box->BorderStyle = CBorderOb::StyleRaised;
    Bytes base = BaseRecord(*box);
    Bytes expected = Concat({
        base,
        Dword(0xBACDCD01), // tag, version 1
        Dword(0x00102030), // BackColor
        Dword(0x00000000), // ForeColor
        Dword(3),          // PenWidth
        Dword(2),          // PenStyle
        Dword(0x00042345), // HatchStyle low word, ShadowStyle high word
        Dword(4),          // BorderStyle: Raised is 4
        Dword(0x000000FF), // HiliteColor
    });
    EXPECT_EQ(Stored(*box), expected);

    CBorderOb loaded;
    EXPECT_EQ(LoadBytes(expected, [&](CArchive& ar) { loaded.Serialize(ar); }), expected.size());
    EXPECT_EQ(loaded.BackColor, 0x00102030u);
    EXPECT_EQ(loaded.PenWidth, 3);
    EXPECT_EQ(loaded.PenStyle, 2);
    EXPECT_EQ(loaded.HatchStyle, 0x2345) << "only 16 bits of the hatch survive";
    EXPECT_EQ(loaded.ShadowStyle, 4);
    EXPECT_EQ(loaded.BorderStyle, 4);
    EXPECT_EQ(loaded.HiliteColor, Red);
}

TEST(BorderObject, OlderRecordsKeepTheConstructorValuesAndLoseNoBytes)
{
    CTestPageView view;
    auto box = Box(view);
    Bytes base = BaseRecord(*box);
    const struct {
        const char* name;
        Bytes tail;
    } cases[] = {
        {"no tag", Dword(0x11111111)},
        {"tag of version 0", Dword(0xBACDCD00)},
    };
    for (const auto& c : cases) {
        CBorderOb loaded;
        Bytes bytes = Concat({base, c.tail});
        EXPECT_EQ(LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }), base.size()) << c.name;
        EXPECT_EQ(loaded.BackColor, static_cast<COLORREF>(-1)) << c.name;
        EXPECT_EQ(loaded.HiliteColor, static_cast<COLORREF>(-1)) << c.name;
        EXPECT_EQ(loaded.HatchStyle, CHyperDrawOb::NoHatch) << c.name;
    }
}

TEST(BorderObject, ATruncatedRecordFailsWithTheArchiveError)
{
    CTestPageView view;
    auto box = Box(view);
    ExpectCutRecordsFail(*box, {4, 12, 24});
}

TEST(BorderObject, HollowBoxesAreHitOnlyOnTheirEdgeBand)
{
    struct Case {
        const char* name;
        COLORREF back;
        int group;
        double angle;
        int penWidth;
        POINT point;
        int hit;
    };
    const Case cases[] = {
        {"hollow centre", static_cast<COLORREF>(-1), -1, 0.0, 1, {50, 50}, -1},
        {"hollow, 10 in from the edge", static_cast<COLORREF>(-1), -1, 0.0, 1, {29, 50}, 8},
        {"hollow, 11 in from the edge", static_cast<COLORREF>(-1), -1, 0.0, 1, {31, 50}, -1},
        {"hollow with a wide pen keeps the band of 10", static_cast<COLORREF>(-1), -1, 0.0, 5, {31, 50}, -1},
        {"filled centre", Green, -1, 0.0, 1, {50, 50}, 8},
        {"grouped centre", static_cast<COLORREF>(-1), 2, 0.0, 1, {50, 50}, 8},
        {"rotated centre", static_cast<COLORREF>(-1), -1, 30.0, 1, {50, 50}, 8},
        {"outside", Green, -1, 0.0, 1, {5, 5}, -1},
    };
    for (const Case& c : cases) {
        CTestPageView view;
        auto box = Box(view, CRect(20, 20, 80, 80));
        box->BackColor = c.back;
        box->GroupID = c.group;
        box->PenWidth = c.penWidth;
        box->SetRotateAngle(c.angle);
        box->RecalcRect();
        EXPECT_EQ(box->HitTest(c.point), c.hit) << c.name;
    }
}

TEST(BorderObject, PropertiesEndWithHiliteAndStyleWhoseRaisedIs4)
{
    const std::pair<UINT, const char*> texts[] = {
        {27204, "0 - <Normal>"}, {27205, "1 - <3D>"}, {27206, "2 - <Sunken>"}, {27207, "3 - <Raised>"}};
    for (const auto& [id, text] : texts)
        RegisterStringResource(id, text);
    CTestPageView view;
    auto box = Box(view);
    CPropObArray list;
    box->CollectProperties(list, TRUE);
    std::vector<UINT> ids = PropertyNameIds(list);
    ASSERT_GE(ids.size(), 2u);
    EXPECT_EQ(ids[ids.size() - 2], CBorderOb::HiliteColorId);
    EXPECT_EQ(ids.back(), CBorderOb::BorderStyleId);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), CHyperDrawOb::LineStyleId), 0) << "a border has no line style";

    auto* style = static_cast<CPropCombo*>(list.GetProp(list.GetSize() - 1));
    ASSERT_EQ(style->m_choices.GetSize(), 4);
    EXPECT_EQ(style->m_choices.GetChoice(3)->text, CString("3 - <Raised>"));
    EXPECT_EQ(style->m_choices.GetChoice(3)->value, 4u);
    std::unique_ptr<CPropOb> bare(box->CreateProperty(CBorderOb::BorderStyleId, FALSE));
    EXPECT_EQ(static_cast<CPropCombo*>(bare.get())->m_choices.GetSize(), 0) << "choices only when asked";
    std::unique_ptr<CPropOb> anchors(box->CreateProperty(CBorderOb::AnchorSnapsId, FALSE));
    ASSERT_NE(anchors, nullptr);
    EXPECT_EQ(anchors->m_captionId, 27440);
    EXPECT_EQ(box->CreateProperty(1, TRUE), nullptr);
}

TEST(BorderObject, GeneratorsDropTheHelpContextEditor)
{
    int field = 0;
    EXPECT_EQ(DropHelpContextProp(new CPropInt(27380, &field, 0, 10)), nullptr);
    std::unique_ptr<CPropOb> kept(DropHelpContextProp(new CPropInt(27381, &field, 0, 10)));
    EXPECT_NE(kept, nullptr);
}

TEST(BorderObject, CopyTakesHiliteAndStyle)
{
    CTestPageView view;
    auto box = Box(view);
    box->BorderStyle = CBorderOb::StyleSunken;
    box->PenWidth = 6;
    CBorderOb copy;
    copy.CopyFrom(box.get());
    EXPECT_EQ(copy.HiliteColor, Red);
    EXPECT_EQ(copy.BorderStyle, CBorderOb::StyleSunken);
    EXPECT_EQ(copy.PenWidth, 6);
}

TEST(BorderObject, ShadowStyleIsOfferedOnlyWhileUpright)
{
    CTestPageView view;
    auto box = Box(view);
    EXPECT_TRUE(box->GetShadowStyle(nullptr));
    box->SetRotateAngle(10.0);
    EXPECT_FALSE(box->GetShadowStyle(nullptr));
    EXPECT_FALSE(box->GetPenStyle(nullptr));
}

} // namespace
