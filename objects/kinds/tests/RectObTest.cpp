#include "objects/GenGroupInfo.h"
#include "objects/HyperTracker.h"
#include "objects/PropCombo.h"
#include "objects/PropNumber.h"
#include "objects/kinds/RectGen.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/tests/PageTestKit.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);

// A frame on the page at (10, 10, 110, 60).
std::unique_ptr<CRectOb> Frame(CTestPageView& view)
{
    auto frame = std::make_unique<CRectOb>();
    CRect rect(10, 10, 110, 60);
    frame->Init(view, &rect, FALSE);
    return frame;
}

Bytes BaseRecord(CRectOb& frame)
{
    return StoreBytes([&](CArchive& ar) { frame.CHyperOb::Serialize(ar); });
}

Bytes FontRecord(CRectOb& frame)
{
    return StoreBytes([&](CArchive& ar) { frame.Font.Serialize(ar); });
}

TEST(FrameObject, NewFramesAre100By50Labelled3DWithWidth2)
{
    CTestPageView view;
    CRectOb frame;
    frame.Init(view, nullptr, TRUE);
    CRect rect;
    EXPECT_EQ(*frame.GetRect(&rect, nullptr), CRect(0, 0, 100, 50));
    EXPECT_EQ(frame.Text, CString("?"));
    EXPECT_EQ(frame.BorderStyle, CRectOb::Style3D);
    EXPECT_EQ(frame.BorderWidth, 2);
    EXPECT_EQ(frame.Alignment, CRectOb::AlignLeft);
    EXPECT_EQ(frame.BorderColor, static_cast<COLORREF>(-1));
    EXPECT_EQ(frame.HiliteColor, static_cast<COLORREF>(-1));
    EXPECT_EQ(frame.GetTracker()->m_sizeMin, CSize(5, 5));
    EXPECT_FALSE(frame.CanRotate());

    CRectGen generated;
    generated.Init(view, nullptr, TRUE);
    EXPECT_STREQ(generated.GetRuntimeClass()->m_lpszClassName, "CRectGen");
    std::unique_ptr<CGroupInfo> group(generated.CreateGroupInfo());
    EXPECT_TRUE(group->IsKindOf(RUNTIME_CLASS(CGenGroupInfo)));
    RegisterStringResource(CRectOb::TypeNameId, "Frame");
    EXPECT_EQ(generated.GetTypeName(), CString("Frame"));
}

TEST(FrameObject, RecordIsVersion0WithTheFontBeforeTheHilite)
{
    CTestPageView view;
    auto frame = Frame(view);
    frame->BackColor = 0x00102030;
    frame->BorderColor = 0x00405060;
    frame->BorderWidth = 3;
    frame->BorderStyle = CRectOb::StyleRaised;
    frame->Text = "Plan";
    frame->Alignment = CRectOb::AlignCentre;
    frame->ForeColor = 0x00708090;
    frame->HiliteColor = Red;
    Bytes expected = Concat({
        BaseRecord(*frame),
        Dword(0xBACDCD00), // tag, version 0
        Dword(0x00102030), // BackColor
        Dword(0x00405060), // border colour
        Dword(3),          // border width
        Dword(3),          // BorderStyle: raised is 3 here
        ShortString("Plan"),
        Dword(6),          // Alignment: centre
        Dword(0x00708090), // ForeColor
        FontRecord(*frame),
        Dword(0x000000FF), // HiliteColor
    });
    EXPECT_EQ(Stored(*frame), expected);

    CRectOb loaded;
    EXPECT_EQ(LoadBytes(expected, [&](CArchive& ar) { loaded.Serialize(ar); }), expected.size());
    EXPECT_EQ(loaded.BackColor, 0x00102030u);
    EXPECT_EQ(loaded.BorderColor, 0x00405060u);
    EXPECT_EQ(loaded.BorderWidth, 3);
    EXPECT_EQ(loaded.BorderStyle, 3);
    EXPECT_EQ(loaded.Text, CString("Plan"));
    EXPECT_EQ(loaded.Alignment, 6);
    EXPECT_EQ(loaded.ForeColor, 0x00708090u);
    EXPECT_EQ(loaded.HiliteColor, Red);
}

TEST(FrameObject, TheOldestLayoutsReadTheirHiliteOnlyBehindTheSectionMark)
{
    CTestPageView view;
    auto frame = Frame(view);
    Bytes fields = Concat({Dword(0xFFFFFF), Dword(0), Dword(1), Dword(2), ShortString("Old"), Dword(2), Dword(0),
                           FontRecord(*frame)});
    struct Case {
        const char* name;
        Bytes tail;
        COLORREF hilite;
        size_t unread;
    };
    const Case cases[] = {
        {"with the section", Concat({Dword(0x22222222), Dword(0x0000FF00)}), 0x0000FF00, 0},
        {"without it", Dword(0x12345678), static_cast<COLORREF>(-1), 4},
        {"at the end of the data", {}, static_cast<COLORREF>(-1), 0},
    };
    for (const Case& c : cases) {
        Bytes bytes = Concat({BaseRecord(*frame), fields, c.tail});
        CRectOb loaded;
        EXPECT_EQ(LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }), bytes.size() - c.unread) << c.name;
        EXPECT_EQ(loaded.Text, CString("Old")) << c.name;
        EXPECT_EQ(loaded.BorderStyle, 2) << c.name;
        EXPECT_EQ(loaded.HiliteColor, c.hilite) << c.name;
    }
}

TEST(FrameObject, ATruncatedRecordFailsWithTheArchiveError)
{
    CTestPageView view;
    auto frame = Frame(view);
    ExpectCutRecordsFail(*frame, {2, 6, 30});
}

TEST(FrameObject, PropertiesComeInTheirOrderWithTheirLimits)
{
    const std::pair<UINT, const char*> texts[] = {{27161, "0 - <Left>"}, {27162, "1 - <Center>"}, {27163, "2 - <Right>"},
                                                  {27204, "0 - <Normal>"}, {27205, "1 - <3D>"}, {27206, "2 - <Sunken>"},
                                                  {27207, "3 - <Raised>"}};
    for (const auto& [id, text] : texts)
        RegisterStringResource(id, text);
    CTestPageView view;
    auto frame = Frame(view);
    CPropObArray list;
    frame->CollectProperties(list, TRUE);
    std::vector<UINT> ids = PropertyNameIds(list);
    const std::vector<UINT> own = {27148, 27156, 27203, 27175, 27157, 27160};
    ASSERT_GE(ids.size(), own.size());
    EXPECT_EQ(std::vector<UINT>(ids.end() - 6, ids.end()), own);

    auto* width = static_cast<CPropInt*>(list.GetProp(list.GetSize() - 3));
    EXPECT_EQ(width->m_lower, 0);
    EXPECT_EQ(width->m_upper, 49) << "(100 - 1) / 2";
    auto* alignment = static_cast<CPropCombo*>(list.GetProp(list.GetSize() - 1));
    ASSERT_EQ(alignment->m_choices.GetSize(), 3);
    EXPECT_EQ(alignment->m_choices.GetChoice(1)->value, 6u);
    auto* style = static_cast<CPropCombo*>(list.GetProp(list.GetSize() - 4));
    ASSERT_EQ(style->m_choices.GetSize(), 4);
    EXPECT_EQ(style->m_choices.GetChoice(3)->value, 3u);
    EXPECT_EQ(list.GetProp(list.GetSize() - 2)->m_arg, 80u) << "the label's length limit";
    EXPECT_EQ(list.GetProp(list.GetSize() - 6)->m_captionId, 27151);
}

TEST(FrameObject, CopySetTextAndAlignmentAnswers)
{
    CTestPageView view;
    auto frame = Frame(view);
    frame->BorderColor = Red;
    frame->BorderWidth = 4;
    frame->Alignment = CRectOb::AlignRight;
    frame->SetText("Ideas");
    EXPECT_TRUE(frame->IsEditPending());
    CString text;
    EXPECT_TRUE(frame->GetText(text));
    EXPECT_EQ(text, CString("Ideas"));
    CRectOb copy;
    copy.CopyFrom(frame.get());
    EXPECT_EQ(copy.BorderColor, Red);
    EXPECT_EQ(copy.BorderWidth, 4);
    EXPECT_EQ(copy.Text, CString("Ideas"));
    EXPECT_EQ(copy.Alignment, CRectOb::AlignRight);

    const std::pair<int, int> aligns[] = {{0, 0}, {2, 2}, {6, 1}, {5, 1}, {-1, 1}};
    for (const auto& [alignment, answer] : aligns) {
        frame->Alignment = alignment;
        EXPECT_EQ(frame->GetTextAlign(), answer) << alignment;
    }
}

TEST(FrameObject, UnfilledFramesAreHitOnTheirBandWhateverTheirGroupOrAngle)
{
    struct Case {
        const char* name;
        COLORREF back;
        int group;
        POINT point;
        int hit;
    };
    const Case cases[] = {
        {"unfilled centre", static_cast<COLORREF>(-1), -1, {60, 35}, -1},
        {"unfilled, on the last pixel of the band", static_cast<COLORREF>(-1), -1, {19, 35}, 8},
        {"unfilled, just past the band", static_cast<COLORREF>(-1), -1, {20, 35}, -1},
        {"unfilled, grouped", static_cast<COLORREF>(-1), 4, {60, 35}, -1},
        {"filled centre", Red, -1, {60, 35}, 8},
        {"outside", Red, -1, {200, 35}, -1},
    };
    for (const Case& c : cases) {
        CTestPageView view;
        auto frame = Frame(view);
        frame->BackColor = c.back;
        frame->GroupID = c.group;
        EXPECT_EQ(frame->HitTest(c.point), c.hit) << c.name;
    }
}

} // namespace
