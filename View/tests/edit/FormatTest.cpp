// Formatting commands on the selection: each changes exactly the objects that have the
// property, as one undo step; linked width and style; the cycling buttons; the update state
// of a mixed selection; the defaults of new objects when nothing is selected.
#include "EditViewFixture.h"

#include "objects/HyperViewOb.h"
#include "objects/PropOb.h"
#include "platform/toolkit/XTPControlColor.h"
#include "platform/toolkit/XTPControlComboBox.h"
#include "platform/ui/CmdUI.h"
#include "objects/kinds/CircleGen.h"
#include "objects/kinds/LineGen.h"
#include "objects/kinds/TextGen.h"

#include <cstdio>
#include <memory>

namespace {

constexpr UINT kWidth = CHyperFmtView::LineWidthId;
constexpr UINT kStyle = CHyperFmtView::LineStyleId;
constexpr UINT kArrowhead = CHyperFmtView::ArrowheadId;

class CheckState : public CCmdUI {
public:
    void SetCheck(int check) override { state = check; }
    void Enable(BOOL on) override { enabled = on; }
    int state = -1;
    BOOL enabled = TRUE;
};

class FormatTest : public EditViewTest {
protected:
    // The value of a property of an object; -1 when the object lacks it.
    static long Value(CHyperOb* object, UINT id)
    {
        std::unique_ptr<CPropOb> property(object->CreateProperty(id, 0));
        long value = -1;
        if (property && !property->GetLongValue(&value)) {
            int number = 0;
            property->GetIntValue(&number);
            value = number;
        }
        return value;
    }
    void Set(CHyperOb* object, UINT id, long value)
    {
        std::unique_ptr<CPropOb> property(object->CreateProperty(id, 0));
        ASSERT_TRUE(property);
        if (!property->SetLongValue(value))
            property->SetIntValue(static_cast<int>(value));
    }
    void SelectAll()
    {
        view->SelectOnly(0);
        for (int i = 1; i < ObjectCount(); ++i)
            view->AddToSelection(Object(i));
    }
    void Command(UINT id) { view->SendMessage(WM_COMMAND, id); }
    int StateOf(UINT id)
    {
        CheckState state;
        state.m_nID = id;
        view->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
        return state.state;
    }
    template <typename Kind>
    CHyperOb* Add(const CRect& rect)
    {
        auto* object = new Kind;
        object->Init(view, &rect, TRUE);
        EXPECT_TRUE(view->AddObject(object, FALSE, TRUE));
        object->Deselect(TRUE);
        return object;
    }
    CHyperOb* AddLine(const CRect& rect) { return Add<CLineGen>(rect); }
    CHyperOb* AddEllipse(const CRect& rect) { return Add<CCircleGen>(rect); }
};

TEST_F(FormatTest, AMixedSelectionChangesOnlyTheObjectsWithThePropertyInOneUndoStep)
{
    CHyperOb* border = AddBorder(CRect(100, 100, 200, 200));
    CHyperOb* line = AddLine(CRect(300, 100, 400, 200));
    SelectAll();
    const long before = Value(line, kArrowhead);
    ASSERT_NE(before, 3);
    const int undoBefore = view->GetUndoCount();
    Command(27189);
    EXPECT_EQ(Value(line, kArrowhead), 3);
    EXPECT_EQ(Value(border, kArrowhead), -1);
    EXPECT_EQ(view->GetUndoCount(), undoBefore + 1);
    view->Undo();
    for (int i = 0; i < ObjectCount(); ++i) {
        if (dynamic_cast<CLineGen*>(Object(i))) {
            EXPECT_EQ(Value(Object(i), kArrowhead), before);
        }
    }
}

TEST_F(FormatTest, AWidthItemSetsEveryWidthAndMakesTheLinesSolidAsOneStep)
{
    for (int i = 0; i < 3; ++i)
        AddEllipse(CRect(100 + 120 * i, 100, 200 + 120 * i, 200));
    Set(Object(0), kWidth, 3);
    Set(Object(1), kStyle, 2);
    SelectAll();
    EXPECT_EQ(StateOf(kWidth), 2) << "widths 3, 1, 1";
    const int undoBefore = view->GetUndoCount();
    Command(27178);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Value(Object(i), kWidth), 2) << i;
        EXPECT_EQ(Value(Object(i), kStyle), 0) << i;
    }
    EXPECT_EQ(StateOf(kWidth), 0);
    EXPECT_EQ(StateOf(27178), 1);
    EXPECT_EQ(view->GetUndoCount(), undoBefore + 1);
    view->Undo();
    EXPECT_EQ(Value(Object(0), kWidth), 3);
    EXPECT_EQ(Value(Object(1), kStyle), 2);
}

TEST_F(FormatTest, ADashedStyleMakesAWideLineOnePointWide)
{
    CHyperOb* ellipse = AddEllipse(CRect(100, 100, 200, 200));
    Set(ellipse, kWidth, 3);
    view->SelectOnly(0);
    Command(27170);
    EXPECT_EQ(Value(ellipse, kStyle), 1);
    EXPECT_EQ(Value(ellipse, kWidth), 1);
}

TEST_F(FormatTest, TheButtonsStepThroughTheirValuesAndWrap)
{
    struct Case {
        UINT button;
        UINT property;
        long from;
        long to;
    };
    const Case cases[] = {
        {27185, kArrowhead, 3, 0}, {28576, CHyperFmtView::ShadowStyleId, 4, 0}, {27174, kWidth, 5, 0},
        {28575, CHyperFmtView::HatchStyleId, 5, 99}, {28575, CHyperFmtView::HatchStyleId, 99, 0},
        {27168, kStyle, 4, 0},
    };
    AddLine(CRect(300, 100, 400, 200));
    AddEllipse(CRect(100, 100, 200, 200));
    for (const Case& c : cases) {
        CHyperOb* target = c.property == kArrowhead ? Object(1) : Object(0);
        view->SelectOnly(c.property == kArrowhead ? 1 : 0);
        Set(target, c.property, c.from);
        Command(c.button);
        EXPECT_EQ(Value(target, c.property), c.to) << c.button << " from " << c.from;
    }
}

TEST_F(FormatTest, HatchNoneStoresNinetyNine)
{
    CHyperOb* border = AddBorder(CRect(100, 100, 200, 200));
    Set(border, CHyperFmtView::HatchStyleId, 2);
    view->SelectOnly(0);
    Command(27042);
    EXPECT_EQ(Value(border, CHyperFmtView::HatchStyleId), 99);
    EXPECT_EQ(StateOf(27042), 1);
}

TEST_F(FormatTest, ACommandWithoutTargetChangesNothingAndTakesNoUndoStep)
{
    AddBorder(CRect(100, 100, 200, 200));
    view->ClearSelection();
    view->m_useObjectDefaults = FALSE;
    doc->SetModifiedFlag(FALSE);
    const int undoBefore = view->GetUndoCount();
    Command(27189);
    Command(27043);
    EXPECT_EQ(view->GetUndoCount(), undoBefore);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(view->m_defaultHatchStyle, 99);
    view->m_useObjectDefaults = TRUE;
    Command(27043);
    EXPECT_EQ(view->m_defaultHatchStyle, 0) << "the defaults of new objects change";
}

// The colour grids of the menus and tool bars take their state from the colour commands;
// without a handler of their own they would always be disabled.
TEST_F(FormatTest, TheColourGridsAreEnabledAsTheirColourCommands)
{
    AddBorder(CRect(100, 100, 200, 200));
    const auto enabled = [this](UINT id) {
        CheckState state;
        state.m_nID = id;
        EXPECT_TRUE(view->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr)) << id;
        return state.enabled;
    };
    const std::pair<UINT, UINT> grids[] = {{CHyperFmtView::ForeColorSelector, CHyperFmtView::CmdForeColor},
                                           {CHyperFmtView::BackColorSelector, CHyperFmtView::CmdBackColor}};
    for (const auto& [grid, command] : grids) {
        view->ClearSelection();
        EXPECT_EQ(enabled(grid), enabled(command)) << grid;
        view->SelectOnly(0);
        EXPECT_TRUE(enabled(grid)) << grid;
    }
}

TEST_F(FormatTest, BoldOnAFontWithoutHeightTakesThePageFontFirst)
{
    auto* text = new CTextGen;
    CRect rect(100, 100, 300, 140);
    text->Init(view, &rect, TRUE);
    ASSERT_TRUE(view->AddObject(text, FALSE, TRUE));
    LOGFONT empty{};
    text->SetFont(&empty);
    LOGFONT& page = view->GetPageObject()->Font.GetLogFont();
    page.lfHeight = -17;
    page.lfWeight = 400;
    std::snprintf(page.lfFaceName, sizeof page.lfFaceName, "%s", "Serif");
    view->SelectOnly(0);
    Command(CHyperFmtView::CmdBold);
    LOGFONT font{};
    text->GetFont(&font, FALSE);
    EXPECT_EQ(font.lfHeight, -17);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_STREQ(font.lfFaceName, "Serif");
    EXPECT_EQ(StateOf(CHyperFmtView::CmdBold), 1);
    Command(CHyperFmtView::CmdBold);
    text->GetFont(&font, FALSE);
    EXPECT_EQ(font.lfWeight, 400);
}

class FontBoxTest : public FormatTest {
protected:
    CTextGen* AddText(int top, LONG height, const char* face)
    {
        auto* text = new CTextGen;
        CRect rect(100, top, 300, top + 40);
        text->Init(view, &rect, TRUE);
        EXPECT_TRUE(view->AddObject(text, FALSE, TRUE));
        LOGFONT font{};
        font.lfHeight = height;
        font.lfWeight = 400;
        std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", face);
        text->SetFont(&font);
        return text;
    }
    LRESULT Notify(UINT id, UINT code, CXTPControl* control, void* data)
    {
        XTPControlNotify notify{};
        notify.hdr.idFrom = id;
        notify.hdr.code = code;
        notify.pControl = control;
        notify.pData = data;
        return view->SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&notify));
    }
    CHARFORMAT Query()
    {
        CHARFORMAT format{};
        Notify(CHyperFmtView::FontNameBox, XTPN_COMBOQUERY, nullptr, &format);
        return format;
    }
};

// Without a handler of their own the boxes would always be disabled and never open.
TEST_F(FontBoxTest, TheBoxesAreEnabledWhileTheSelectionHoldsAFont)
{
    AddText(100, -12, "Serif");
    AddBorder(CRect(100, 300, 200, 400));
    for (UINT box : {CHyperFmtView::FontNameBox, CHyperFmtView::FontSizeBox}) {
        view->SelectOnly(0);
        CheckState text;
        text.m_nID = box;
        EXPECT_TRUE(view->OnCmdMsg(box, CN_UPDATE_COMMAND_UI, &text, nullptr)) << box;
        EXPECT_TRUE(text.enabled) << box;
        view->SelectOnly(1);
        CheckState border;
        border.m_nID = box;
        view->OnCmdMsg(box, CN_UPDATE_COMMAND_UI, &border, nullptr);
        // The boxes show a font exactly when they are enabled.
        EXPECT_EQ(border.enabled, !(Query().dwEffects & CFM_FACE)) << box;
    }
}

TEST_F(FontBoxTest, TheBoxesShowTheFaceAndSizeTheSelectionAgreesOn)
{
    AddText(100, -12, "Serif");
    CTextGen* second = AddText(200, -12, "Serif");
    SelectAll();
    CHARFORMAT format = Query();
    EXPECT_EQ(format.dwMask, CFM_FACE | CFM_CHARSET | CFM_SIZE);
    EXPECT_STREQ(format.szFaceName, "Serif");
    EXPECT_EQ(format.yHeight, 180) << "12 pixels are 9 points";
    LOGFONT font{};
    second->GetFont(&font, FALSE);
    font.lfHeight = -16;
    second->SetFont(&font);
    format = Query();
    EXPECT_EQ(format.dwMask, CFM_FACE | CFM_CHARSET) << "the sizes differ";
}

TEST_F(FontBoxTest, AChosenFaceAndSizeGoToEverySelectedText)
{
    CTextGen* first = AddText(100, -12, "Serif");
    CTextGen* second = AddText(200, -20, "Sans");
    SelectAll();
    auto* box = new CXTPControlFontComboBox;
    CHARFORMAT chosen{};
    chosen.dwMask = CFM_FACE | CFM_SIZE;
    chosen.yHeight = 240;
    std::snprintf(chosen.szFaceName, sizeof chosen.szFaceName, "%s", "Mono");
    box->SetCharFormat(chosen);
    const int undoBefore = view->GetUndoCount();
    Notify(CHyperFmtView::FontNameBox, XTPN_COMBOEXECUTE, box, nullptr);
    box->InternalRelease();
    for (CTextGen* text : {first, second}) {
        LOGFONT font{};
        text->GetFont(&font, FALSE);
        EXPECT_STREQ(font.lfFaceName, "Mono");
        EXPECT_EQ(font.lfHeight, -16) << "12 points are 16 pixels";
    }
    EXPECT_EQ(view->GetUndoCount(), undoBefore + 1);
}

// A new text names neither face nor size; the boxes show what it is drawn in, not nothing.
TEST_F(FontBoxTest, ATextNamingNoFontShowsTheFaceAndSizeItIsDrawnIn)
{
    AddText(100, 0, "");
    view->SelectOnly(0);
    const CHARFORMAT format = Query();
    EXPECT_EQ(format.dwMask, CFM_FACE | CFM_CHARSET | CFM_SIZE);
    EXPECT_NE(format.szFaceName[0], '\0');
    EXPECT_GE(format.yHeight, 120) << "a readable size, not half a point";
}

// A text without a face of its own is drawn in the page's font; a size chosen for it must be
// the size it is drawn in.
TEST_F(FontBoxTest, ASizeChosenForATextWithoutFaceIsTheSizeItIsDrawnIn)
{
    CTextGen* text = AddText(100, -12, "");
    view->SelectOnly(0);
    auto* size = new CXTPControlSizeComboBox;
    size->OnSelChanged(size->FindStringExact("36"));
    Notify(CHyperFmtView::FontSizeBox, XTPN_COMBOEXECUTE, size, nullptr);
    size->InternalRelease();
    LOGFONT drawn{};
    text->GetFont(&drawn, TRUE);
    EXPECT_EQ(drawn.lfHeight, -48);
}

TEST_F(FontBoxTest, AColourFromTheSelectorBecomesTheCurrentColourAndIsApplied)
{
    CTextGen* text = AddText(100, -12, "Serif");
    view->SelectOnly(0);
    auto* selector = new CXTPControlColorSelector;
    selector->SetColor(RGB(200, 10, 20));
    Notify(CHyperFmtView::BackColorSelector, XTPN_EXECUTE, selector, nullptr);
    selector->InternalRelease();
    EXPECT_EQ(view->m_currentBackColor, RGB(200, 10, 20));
    EXPECT_EQ(text->BackColor, RGB(200, 10, 20));
    EXPECT_EQ(view->m_currentForeColor, CHyperFmtView::Automatic);
}

} // namespace
