#include "objects/GenGroupInfo.h"
#include "objects/HyperTracker.h"
#include "objects/PropCombo.h"
#include "objects/kinds/TextGen.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/tests/PageTestKit.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

// A page whose switch for defaults is on: new objects take its pen and text alignment.
class DefaultsPage : public CTestPageView {
public:
    BOOL GetDefaultPen(PenDefaults* defaults) const override
    {
        *defaults = {3, 2, 1, 4};
        return TRUE;
    }
    BOOL GetDefaultTextAlignment(int* alignment) const override
    {
        *alignment = CTextOb::AlignRight;
        return TRUE;
    }
};

void UseFont(CTextOb& text, int height = -12)
{
    LOGFONT font {};
    font.lfHeight = height;
    std::strcpy(font.lfFaceName, "DejaVu Sans");
    text.SetFont(&font);
}

// A text box on (10, 10, 110, 30) in a 12-pixel font.
std::unique_ptr<CTextOb> Box(CTestPageView& view, const char* text = "Hi")
{
    auto box = std::make_unique<CTextOb>();
    CRect rect(10, 10, 110, 30);
    box->Init(view, &rect, FALSE);
    UseFont(*box);
    box->Text = text;
    return box;
}

Bytes BorderRecord(CTextOb& box)
{
    return StoreBytes([&](CArchive& ar) { box.CBorderOb::Serialize(ar); });
}

Bytes BaseRecord(CTextOb& box)
{
    return StoreBytes([&](CArchive& ar) { box.CHyperOb::Serialize(ar); });
}

Bytes FontRecord(CTextOb& box)
{
    return StoreBytes([&](CArchive& ar) { box.Font.Serialize(ar); });
}

TEST(TextObject, NewTextBoxesAre100By20WithoutOutline)
{
    CTestPageView view;
    CTextOb text;
    EXPECT_EQ(text.Text, CString("?"));
    EXPECT_EQ(text.Alignment, CTextOb::AlignCentre);
    text.Init(view, nullptr, TRUE);
    CRect rect;
    EXPECT_EQ(*text.GetRect(&rect, nullptr), CRect(0, 0, 100, 20));
    EXPECT_EQ(text.PenWidth, 0);
    EXPECT_EQ(text.GetTracker()->m_sizeMin, CSize(1, 1));
    EXPECT_EQ(text.GetSnapPoints(FALSE)->GetCount(), 4);
    RegisterStringResource(CTextOb::TypeNameId, "Inserts Text object in worksheet\nText");
    EXPECT_EQ(text.GetTypeName(), CString("Text"));
}

TEST(TextObject, ThePagesDefaultsGiveAlignmentAndStylesButNeverAPen)
{
    DefaultsPage view;
    CTextOb text;
    text.Init(view, nullptr, TRUE);
    EXPECT_EQ(text.Alignment, CTextOb::AlignRight);
    EXPECT_EQ(text.PenWidth, 0);
    EXPECT_EQ(text.PenStyle, 2);
    EXPECT_EQ(text.HatchStyle, 1);
    EXPECT_EQ(text.ShadowStyle, 4);
}

TEST(TextObject, TheGeneratorHasNoSnapPointsOrHelpContext)
{
    CTestPageView view;
    CTextGen text;
    text.Init(view, nullptr, TRUE);
    EXPECT_EQ(text.BackColor, static_cast<COLORREF>(-1));
    EXPECT_EQ(text.GetSnapPoints(TRUE), nullptr);
    EXPECT_EQ(text.CreateProperty(27380, FALSE), nullptr);
    std::unique_ptr<CGroupInfo> group(text.CreateGroupInfo());
    EXPECT_TRUE(group->IsKindOf(RUNTIME_CLASS(CGenGroupInfo)));
}

TEST(TextObject, RecordFollowsTheBorderAndEndsWithTheEscapement)
{
    CTestPageView view;
    auto box = Box(view);
    box->Alignment = CTextOb::AlignRight;
    box->SetOrientation(CTextOb::VerticalUp);
    Bytes expected = Concat({
        BorderRecord(*box),
        Dword(0xBACDCD01), // tag, version 1
        ShortString("Hi"), // Text
        Dword(2),          // Alignment
        FontRecord(*box),  // the font value's own record
        Dword(900),        // escapement: vertical up
    });
    EXPECT_EQ(Stored(*box), expected);

    CTextOb loaded;
    EXPECT_EQ(LoadBytes(expected, [&](CArchive& ar) { loaded.Serialize(ar); }), expected.size());
    EXPECT_EQ(loaded.Text, CString("Hi"));
    EXPECT_EQ(loaded.Alignment, 2);
    EXPECT_EQ(loaded.GetOrientation(), 900);
    EXPECT_EQ(loaded.Font.GetLogFont().lfHeight, -12);
}

TEST(TextObject, OlderRecordsCarryTheColoursInTheTextPart)
{
    CTestPageView view;
    auto box = Box(view);
    Bytes base = BaseRecord(*box);
    Bytes text = Concat({ShortString("Old"), Dword(0), Dword(0x000000FF), Dword(0x0000FF00), FontRecord(*box),
                         Dword(static_cast<uint32_t>(-900))});
    const struct {
        const char* name;
        Bytes tag;
    } cases[] = {{"tag of version 0", Dword(0xBACDCD00)}, {"no tag", {}}};
    for (const auto& c : cases) {
        Bytes bytes = Concat({base, c.tag, text});
        CTextOb loaded;
        EXPECT_EQ(LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }), bytes.size()) << c.name;
        EXPECT_EQ(loaded.Text, CString("Old")) << c.name;
        EXPECT_EQ(loaded.Alignment, 0) << c.name;
        EXPECT_EQ(loaded.ForeColor, 0x000000FFu) << c.name;
        EXPECT_EQ(loaded.BackColor, 0x0000FF00u) << c.name;
        EXPECT_EQ(loaded.GetOrientation(), -900) << c.name;
        EXPECT_EQ(loaded.BorderStyle, 0) << c.name << ": the border keeps its constructor values";
    }
    ExpectCutRecordsFail(*box, {4, 8, 20});
}

TEST(TextObject, TheBoxGrowsDownToItsTextAndNeverShrinks)
{
    CTestPageView view;
    auto box = Box(view, "one");
    box->UpdateLayout(TRUE, FALSE);
    CRect rect;
    EXPECT_EQ(*box->GetRect(&rect, nullptr), CRect(10, 10, 110, 30)) << "one line fits";

    box->Text = "one two three four five six seven eight nine ten eleven twelve";
    box->UpdateLayout(TRUE, FALSE);
    box->GetRect(&rect, nullptr);
    EXPECT_EQ(rect.TopLeft(), CPoint(10, 10));
    EXPECT_EQ(rect.right, 110);
    EXPECT_GT(rect.bottom, 50) << "several wrapped lines";
    int grown = rect.bottom;

    box->Text = "one";
    box->UpdateLayout(TRUE, FALSE);
    EXPECT_EQ(box->GetRect(&rect, nullptr)->bottom, grown) << "removing text keeps the height";

    const struct {
        const char* name;
        const char* text;
        int group;
    } unchanged[] = {{"empty text", "", -1}, {"grouped", "one two three four five six seven eight nine ten", 1}};
    for (const auto& c : unchanged) {
        auto other = Box(view, c.text);
        other->GroupID = c.group;
        other->UpdateLayout(TRUE, FALSE);
        EXPECT_EQ(other->GetRect(&rect, nullptr)->bottom, 30) << c.name;
    }
}

TEST(TextObject, OnlyOneLineOfOutlineTypeTurns)
{
    CTestPageView view;
    auto box = Box(view, "one line");
    EXPECT_TRUE(box->CanRotate());
    box->Text = "two\nlines";
    EXPECT_FALSE(box->CanRotate());
}

TEST(TextObject, TextAlignmentAnswersLeftCentreOrRight)
{
    CTestPageView view;
    auto box = Box(view);
    const struct {
        int alignment;
        int answer;
    } cases[] = {{0, 0}, {2, 2}, {6, 1}, {1, 1}, {99, 1}};
    for (const auto& c : cases) {
        box->Alignment = c.alignment;
        EXPECT_EQ(box->GetTextAlign(), c.answer) << c.alignment;
    }
    EXPECT_TRUE(box->AllowsMultiLineText());
    box->SetText("typed");
    EXPECT_EQ(box->Text, CString("typed"));
    EXPECT_TRUE(box->IsEditPending());
    CString text;
    EXPECT_TRUE(box->GetText(text));
    EXPECT_EQ(text, CString("typed"));
}

TEST(TextObject, PropertiesOfferDisableAndHideTheBackgroundOfAnInvisibleBox)
{
    const std::pair<UINT, const char*> texts[] = {
        {27204, "0 - <Normal>"}, {27205, "1 - <3D>"},         {27206, "2 - <Sunken>"},
        {27207, "3 - <Raised>"}, {27196, "4 - <Disable>"},    {27166, "0 - <Horizontal>"},
        {27165, "1 - <Vertical Up>"}, {27167, "2 - <Vertical Down>"}};
    for (const auto& [id, text] : texts)
        RegisterStringResource(id, text);
    CTestPageView view;
    auto box = Box(view);
    CPropObArray list;
    box->CollectProperties(list, TRUE);
    std::vector<UINT> ids = PropertyNameIds(list);
    ASSERT_GE(ids.size(), 2u);
    EXPECT_EQ(ids[ids.size() - 2], CTextOb::TextId);
    EXPECT_EQ(ids.back(), CTextOb::AlignmentId);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), CTextOb::OrientationId), 0) << "orientation only on request";
    EXPECT_EQ(std::count(ids.begin(), ids.end(), CTextOb::BackColorId), 1);
    auto* style = FindProperty<CPropCombo>(list, CBorderOb::BorderStyleId);
    ASSERT_NE(style, nullptr);
    ASSERT_EQ(style->m_choices.GetSize(), 5);
    EXPECT_EQ(style->m_choices.GetChoice(4)->value, 0x8000u);

    std::unique_ptr<CPropOb> orientation(box->CreateProperty(CTextOb::OrientationId, TRUE));
    auto* choices = dynamic_cast<CPropCombo*>(orientation.get());
    ASSERT_NE(choices, nullptr);
    ASSERT_EQ(choices->m_choices.GetSize(), 3);
    EXPECT_EQ(choices->m_choices.GetChoice(1)->value, 900u);

    box->BorderStyle = CBorderOb::StyleHidden;
    box->BackColor = static_cast<COLORREF>(-1);
    EXPECT_EQ(box->CreateProperty(CTextOb::BackColorId, FALSE), nullptr);
    box->BackColor = RGB(255, 0, 0);
    std::unique_ptr<CPropOb> back(box->CreateProperty(CTextOb::BackColorId, FALSE));
    EXPECT_NE(back, nullptr) << "a filled invisible box still shows its fill";
}

TEST(TextObject, ScriptsSetTextAlignmentAndOrientation)
{
    CTestPageView view;
    auto box = Box(view);
    int changes = view.changed;
    EXPECT_EQ(PutProperty(*box, "Text", COleVariant("scripted")), S_OK);
    EXPECT_EQ(box->Text, CString("scripted"));
    EXPECT_GT(view.changed, changes);
    EXPECT_EQ(PutProperty(*box, "Alignment", COleVariant(2L)), S_OK);
    EXPECT_EQ(box->Alignment, 2);
    EXPECT_EQ(PutProperty(*box, "Orientation", COleVariant(-900L)), S_OK);
    EXPECT_EQ(box->Font.GetLogFont().lfEscapement, -900);
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(GetProperty(*box, "Orientation", &id).lVal, -900);
    EXPECT_EQ(id, 1331);
    GetProperty(*box, "Text", &id);
    EXPECT_EQ(id, 1329);
}

TEST(TextObject, CopiesTakeTextAndAlignment)
{
    CTestPageView view;
    auto box = Box(view, "copied");
    box->Alignment = CTextOb::AlignLeft;
    box->BorderStyle = CBorderOb::StyleSunken;
    CTextOb copy;
    copy.CopyFrom(box.get());
    EXPECT_EQ(copy.Text, CString("copied"));
    EXPECT_EQ(copy.Alignment, CTextOb::AlignLeft);
    EXPECT_EQ(copy.BorderStyle, CBorderOb::StyleSunken);
}

} // namespace
