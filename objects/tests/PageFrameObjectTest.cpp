#include "objects/FrameWindow.h"
#include "objects/HyperFrameOb.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/PropBasic.h"
#include "objects/PropCombo.h"
#include "objects/PropNumber.h"
#include "objects/tests/ArchiveBytes.h"
#include "objects/tests/PageTestKit.h"
#include "platform/core/StringTable.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/SysColors.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class PageObjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterStringResource(CLayerFmt::StandardNameId, "<Standard>");
        RegisterStringResource(CLayerFmt::NoticeNameId, "<Standard Noticelayer>");
        RegisterStringResource(26633, "<Form>");
    }

    // The fields every tagged layout starts with: colour, switches, print scale, mode word.
    static Bytes Head() { return Concat({Dword(0x00C0FFEE), Dword(1), Dword(1), Double(2.5), Dword(7)}); }
    static Bytes Scroll() { return Concat({Dword(0), Word(650), Word(800)}); }
    static Bytes Version2Fields(CHyperViewOb& page)
    {
        Bytes values;
        for (CObValue* value : {&page.InitializeEvent, &page.TerminateEvent, &page.ClickEvent, &page.m_fourthValue})
            values = Concat({values, Stored(*value)});
        return Concat({values, Stored(page.Font), Dword(3), ShortString("tip"), Dword(9), ShortString("F1")});
    }
};

TEST_F(PageObjectTest, Defaults)
{
    CHyperViewOb page;
    EXPECT_EQ(page.m_autoRecord, 2);
    EXPECT_EQ(page.m_reportLock, 0);
    EXPECT_EQ(page.PrintScale, 1.0);
    EXPECT_EQ(page.ScrollBars, 1);
    EXPECT_EQ(page.GetScrollWidth(), 650);
    EXPECT_EQ(page.GetScrollHeight(), 800);
    EXPECT_EQ(page.Color, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(page.m_thirdMode, 0xFFFF);
    EXPECT_EQ(page.GetLayerList(), nullptr);
    EXPECT_EQ(page.DragEnterEvent.GetExtra2(), CString("*"));
    page.Color = static_cast<COLORREF>(-1);
    EXPECT_EQ(page.GetColor(), GetSysColor(COLOR_BTNFACE));

    CTestPageView view;
    page.SetView(view);
    EXPECT_EQ(page.Code, CString("Form"));
    ASSERT_NE(page.GetLayerList(), nullptr);
    EXPECT_EQ(page.GetLayerList()->GetSize(), 2);
    EXPECT_EQ(page.GetLayerList()->GetNextLayerNumber(), 2);
}

TEST_F(PageObjectTest, RecordStoresByteForByte)
{
    CHyperViewOb page;
    page.Color = 0x00C0FFEE;
    page.m_autoRecord = 1;
    page.m_reportLock = 1;
    page.PrintScale = 2.5;
    page.m_thirdMode = 7;
    page.ScrollBars = 0;
    page.CursorPointer = 3;
    page.ToolTipText = "tip";
    page.HelpContextID = 9;
    page.m_formCode = "F1";
    page.m_tagText = "T";
    page.ClickEvent.Set(CObValue::KindScript, "Sub Click()");
    page.SetView(nullptr);
    Bytes lastEvents = Concat({Stored(page.DragOverEvent), Stored(page.DragDropEvent), Stored(page.DragEnterEvent)});
    Bytes expected = Concat({Dword(0xBACDCD04), Head(), Scroll(), Version2Fields(page), Stored(*page.GetLayerList()),
                             ShortString("T"), {0, 1}, lastEvents, {0}});
    EXPECT_EQ(Stored(page), expected);

    CHyperViewOb loaded;
    EXPECT_EQ(LoadBytes(expected, [&](CArchive& ar) { loaded.Serialize(ar); }), expected.size());
    EXPECT_EQ(Stored(loaded), expected);
    EXPECT_EQ(loaded.ClickEvent.GetKind(), CObValue::KindScript);
}

TEST_F(PageObjectTest, EveryLayoutLoads)
{
    CHyperViewOb sample;
    sample.m_tagText = "T";
    CLayerFmt oneLayer;
    oneLayer.AddItem(new CLayerItem(21000, "Notes"));
    struct Layout {
        const char* name;
        Bytes bytes;
        int scrollWidth;
        const char* formCode;
        INT_PTR layers;
    } layouts[] = {
        {"version 0", Concat({Dword(0xBACDCD00), Head()}), 650, "", 2},
        {"version 1", Concat({Dword(0xBACDCD01), Head(), Scroll()}), 650, "", 2},
        {"version 2", Concat({Dword(0xBACDCD02), Head(), Scroll(), Version2Fields(sample)}), 650, "F1", 2},
        {"version 3", Concat({Dword(0xBACDCD03), Head(), Scroll(), Version2Fields(sample), Stored(oneLayer)}), 650,
         "F1", 1},
        {"version 4 without the last events",
         Concat({Dword(0xBACDCD04), Head(), Concat({Dword(0), Word(0xFFFF), Word(1)}), Version2Fields(sample),
                 Stored(oneLayer), ShortString("T"), {0, 0, 0}}),
         0xFFFF, "F1", 1},
    };
    for (const Layout& layout : layouts) {
        CHyperViewOb page;
        page.DragOverEvent.Set(CObValue::KindScript, "kept");
        EXPECT_EQ(LoadBytes(layout.bytes, [&](CArchive& ar) { page.Serialize(ar); }), layout.bytes.size())
            << layout.name;
        EXPECT_EQ(page.Color, 0x00C0FFEEu) << layout.name;
        EXPECT_EQ(page.PrintScale, 2.5) << layout.name;
        EXPECT_EQ(page.m_thirdMode, 7) << layout.name;
        EXPECT_EQ(page.GetScrollWidth(), layout.scrollWidth) << layout.name;
        EXPECT_EQ(page.m_formCode, CString(layout.formCode)) << layout.name;
        ASSERT_NE(page.GetLayerList(), nullptr) << layout.name;
        EXPECT_EQ(page.GetLayerList()->GetSize(), layout.layers) << layout.name;
        EXPECT_EQ(page.DragOverEvent.GetRawText(), CString("kept")) << layout.name;
    }
}

TEST_F(PageObjectTest, UntaggedRecordsReadTheirSectionsAndGetDefaultLayers)
{
    struct Layout {
        const char* name;
        Bytes bytes;
        int autoRecord;
        double printScale;
        int thirdMode;
    } layouts[] = {
        {"colour only", Dword(0x123456), 2, 1.0, 0xFFFF},
        {"every section",
         Concat({Dword(0x123456), Dword(0x22222222), Dword(0), Dword(0x33333333), Dword(1), Double(0.5),
                 Dword(0x44444444), Dword(3)}),
         0, 0.5, 3},
        {"the last section", Concat({Dword(0x123456), Dword(0x44444444), Dword(3)}), 2, 1.0, 3},
    };
    for (const Layout& layout : layouts) {
        CHyperViewOb page;
        EXPECT_EQ(LoadBytes(layout.bytes, [&](CArchive& ar) { page.Serialize(ar); }), layout.bytes.size())
            << layout.name;
        EXPECT_EQ(page.Color, 0x123456u);
        EXPECT_EQ(page.m_autoRecord, layout.autoRecord) << layout.name;
        EXPECT_EQ(page.PrintScale, layout.printScale) << layout.name;
        EXPECT_EQ(page.m_thirdMode, layout.thirdMode) << layout.name;
        ASSERT_NE(page.GetLayerList(), nullptr) << layout.name;
        EXPECT_EQ(page.GetLayerList()->GetSize(), 2) << layout.name;
    }
}

TEST_F(PageObjectTest, ScrollSizesClampToTheStoredWidth)
{
    CTestPageView view;
    CHyperViewOb page;
    page.SetView(view);
    int changed = view.changed;
    page.SetScrollWidth(70000);
    page.SetScrollHeight(-4);
    EXPECT_EQ(page.GetScrollWidth(), 65535);
    EXPECT_EQ(page.GetScrollHeight(), 0);
    EXPECT_EQ(view.changed, changed + 2);

    CObArray list;
    page.CollectProperties(list, FALSE);
    EXPECT_EQ(PropertyNameIds(list),
        (std::vector<UINT>{26685, 27295, 27282, 27283, 27284, 27152, 27158, 27380, 27454, 27433, 27466, 27468, 27470}));
    auto* width = static_cast<CPropInt*>(list.GetAt(3));
    width->m_edited = 100000;
    width->Apply();
    EXPECT_EQ(page.GetScrollWidth(), 65535);
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        delete list.GetAt(i);
    for (UINT id : {27293u, 27294u, 27381u, 27382u}) {
        CPropOb* editor = page.CreateProperty(id, FALSE);
        EXPECT_NE(editor, nullptr) << id;
        delete editor;
    }
    page.SetView(nullptr);
}

TEST_F(PageObjectTest, EventEditorsWorkOnTheirOwnValueFields)
{
    CHyperViewOb page;
    struct Case {
        UINT id;
        CObValue* field;
        int pageNumber;
    };
    const Case cases[] = { { 27466, &page.DragOverEvent, 0 }, { 27468, &page.DragDropEvent, 0 },
        { 27470, &page.DragEnterEvent, 0 }, { 27262, &page.InitializeEvent, 1 },
        { 27263, &page.TerminateEvent, 1 }, { 27257, &page.ClickEvent, 1 } };
    for (const Case& c : cases) {
        std::unique_ptr<CPropOb> editor(page.CreateProperty(c.id, FALSE));
        auto* basic = dynamic_cast<CPropBasic*>(editor.get());
        ASSERT_NE(basic, nullptr) << c.id;
        EXPECT_EQ(basic->GetPage(), c.pageNumber) << c.id;
        basic->m_edited.Set(CObValue::KindScript, "Run");
        basic->Apply();
        EXPECT_EQ(c.field->GetRawText(), CString("Run")) << c.id;
        basic->Restore();
        EXPECT_NE(c.field->GetRawText(), CString("Run")) << c.id;
    }
}

TEST_F(PageObjectTest, CloneCopiesEveryField)
{
    CHyperViewOb page;
    page.SetView(nullptr);
    page.m_formCode = "F";
    page.PrintScale = 3;
    page.SetScrollWidth(123);
    page.GetLayerList()->SetLockOthers(1);
    std::unique_ptr<CHyperViewOb> clone(page.Clone());
    EXPECT_EQ(Stored(*clone), Stored(page));
    EXPECT_NE(clone->GetLayerList(), page.GetLayerList());
}

class FrameObjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterStringResource(26633, "<Form>");
        RegisterStringResource(27146, "0 - <No>");
        RegisterStringResource(27147, "1 - <Yes>");
    }
    static Bytes Fields() { return Concat({ShortString("W"), Word(300), Word(200), Dword(0xFFFDFFFF), Dword(0x10000),
                                           Dword(0x40000)}); }
    static Bytes Locals() { return Concat({Word(1), Dword(1), Dword(2), ShortString("a"), ShortString("b"), {3}}); }
};

TEST_F(FrameObjectTest, DefaultsAndRecord)
{
    CHyperFrameOb frame;
    EXPECT_EQ(frame.Title, CString("<Form>"));
    EXPECT_EQ(frame.GetWidth(), 100);
    EXPECT_EQ(frame.GetHeight(), 100);
    EXPECT_TRUE(CHyperFrameOb::IsOn(frame.MinimizeBox, CHyperFrameOb::MinimizeOn));
    EXPECT_TRUE(CHyperFrameOb::IsOn(frame.MaximizeBox, CHyperFrameOb::MaximizeOn));
    EXPECT_TRUE(CHyperFrameOb::IsOn(frame.BorderStyle, CHyperFrameOb::ResizingBorder));
    EXPECT_EQ(frame.WhatsThisHelp, 0xFFFFFBFFu);
    EXPECT_FALSE(CHyperFrameOb::IsOn(frame.WhatsThisHelp, CHyperFrameOb::HelpButtonOn));

    frame.Title = "W";
    frame.SetWidth(300);
    frame.SetHeight(200);
    frame.MinimizeBox = ~CHyperFrameOb::MinimizeOn;
    auto* local = new CLocalItem;
    local->m_word1 = 1;
    local->m_word2 = 2;
    local->m_text1 = "a";
    local->m_text2 = "b";
    local->m_byte = 3;
    frame.m_locals.AddItem(local);
    Bytes expected = Concat({Dword(0xBACDCD02), Fields(), Locals(), Dword(0xFFFFFBFF)});
    EXPECT_EQ(Stored(frame), expected);
    CHyperFrameOb loaded;
    EXPECT_EQ(LoadBytes(expected, [&](CArchive& ar) { loaded.Serialize(ar); }), expected.size());
    EXPECT_EQ(Stored(loaded), expected);
    EXPECT_EQ(loaded.GetOldValue(), nullptr);
}

TEST_F(FrameObjectTest, OldLayoutsKeepTheirOldValueAsAChoice)
{
    CObValue value;
    value.Set(CObValue::KindLiteral, "5");
    struct Layout {
        const char* name;
        Bytes bytes;
        DWORD help;
        bool oldValue;
        DWORD oldKind;
        INT_PTR locals;
    } layouts[] = {
        {"version 0", Concat({Dword(0xBACDCD00), Fields(), Locals(), Dword(0x12345678)}), 0xFFFFFBFF, true,
         0xFFFE5678, 1},
        {"version 1", Concat({Dword(0xBACDCD01), Fields(), Locals(), Dword(0x0000ABCD), Stored(value)}), 0xFFFFFBFF,
         true, 0xFFFEABCD, 1},
        {"version 1 without an old value", Concat({Dword(0xBACDCD01), Fields(), Locals(), Dword(0), Stored(value)}),
         0xFFFFFBFF, true, CObValue::KindLiteral, 1},
        {"version 2", Concat({Dword(0xBACDCD02), Fields(), Locals(), Dword(0x400)}), 0x400, false, 0, 1},
        {"untagged", Fields(), 0xFFFFFBFF, false, 0, 0},
        {"untagged with sections",
         Concat({Fields(), Dword(0x22222222), Locals(), Dword(0x33333333), Dword(0x00010002)}), 0xFFFFFBFF, true,
         0xFFFE0002, 1},
    };
    for (const Layout& layout : layouts) {
        CHyperFrameOb frame;
        EXPECT_EQ(LoadBytes(layout.bytes, [&](CArchive& ar) { frame.Serialize(ar); }), layout.bytes.size())
            << layout.name;
        EXPECT_EQ(frame.Title, CString("W")) << layout.name;
        EXPECT_EQ(frame.GetWidth(), 300) << layout.name;
        EXPECT_EQ(frame.MinimizeBox, 0xFFFDFFFFu) << layout.name;
        EXPECT_EQ(frame.WhatsThisHelp, layout.help) << layout.name;
        EXPECT_EQ(frame.m_locals.GetSize(), layout.locals) << layout.name;
        ASSERT_EQ(frame.GetOldValue() != nullptr, layout.oldValue) << layout.name;
        if (layout.oldValue) {
            EXPECT_EQ(frame.GetOldValue()->GetKind(), layout.oldKind) << layout.name;
        }
    }
}

TEST_F(FrameObjectTest, EditorsWriteStyleWordsAndClampSizes)
{
    CHyperFrameOb frame;
    CObArray list;
    frame.CollectProperties(list, FALSE);
    EXPECT_EQ(PropertyNameIds(list), (std::vector<UINT>{27144, 27140, 27141, 27243, 27244, 27245, 27285}));
    auto* minimize = static_cast<CPropCombo*>(list.GetAt(3));
    ASSERT_EQ(minimize->m_choices.GetSize(), 2);
    minimize->m_edited = minimize->m_choices.GetChoice(0)->value;
    auto* width = static_cast<CPropInt*>(list.GetAt(1));
    width->m_edited = 80000;
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        static_cast<CPropOb*>(list.GetAt(i))->Apply();
        delete list.GetAt(i);
    }
    EXPECT_EQ(frame.MinimizeBox, 0xFFFDFFFFu);
    EXPECT_EQ(frame.GetWidth(), 65535);
    frame.SetHeight(-1);
    EXPECT_EQ(frame.GetHeight(), 0);
    CPropOb* locals = frame.CreateProperty(CHyperFrameOb::LocalsId, FALSE);
    ASSERT_NE(locals, nullptr);
    delete locals;

    CTestPageView view;
    frame.SetView(view);
    frame.m_locals.m_words[2] = 6;
    std::unique_ptr<CHyperFrameOb> clone(frame.Clone());
    EXPECT_EQ(Stored(*clone), Stored(frame));
    EXPECT_EQ(clone->GetView(), static_cast<CHyperRunView*>(view));
    EXPECT_EQ(clone->Code, CString("Frame"));
    EXPECT_EQ(clone->m_locals.m_words[2], 6u);
}

} // namespace

namespace {

class FakeFrame : public CFrameWindow {
public:
    BOOL IsMaximized() const override { return maximized; }
    DWORD GetStyle() const override { return style; }
    DWORD GetExStyle() const override { return exStyle; }
    void ModifyStyle(DWORD remove, DWORD add) override { style = (style & ~remove) | add; }
    void ModifyStyleEx(DWORD remove, DWORD add) override { exStyle = (exStyle & ~remove) | add; }
    void SetWindowText(LPCTSTR text) override { title = text; }
    void GetWindowRect(RECT* rect) const override { *rect = CRect(50, 50, 258, 339); }
    void GetClientRect(RECT* rect) const override { *rect = CRect(0, 0, 200, 250); }
    void SetWindowPos(int width, int height, UINT flags) override { positions.push_back({width, height, flags}); }

    struct Position {
        int width, height;
        UINT flags;
        bool operator==(const Position&) const = default;
    };
    BOOL maximized = FALSE;
    DWORD style = 0x10CF0000; // visible, caption, system menu, thick frame, both boxes
    DWORD exStyle = 0;
    CString title;
    std::vector<Position> positions;
};

class FrameHost : public CTestPageView {
public:
    CFrameWindow* GetFrameWindow() const override { return frame; }
    CFrameWindow* frame = nullptr;
};

TEST_F(FrameObjectTest, ApplyingToTheWindow)
{
    constexpr UINT Keep = CFrameWindow::PosNoMove | CFrameWindow::PosNoZOrder;
    constexpr UINT Changed = Keep | CFrameWindow::PosFrameChanged;
    using Position = FakeFrame::Position;
    struct Case {
        const char* name;
        DWORD minimize;
        DWORD help;
        BOOL maximized;
        DWORD style;
        DWORD exStyle;
        std::vector<Position> positions;
    } cases[] = {
        {"nothing to change", 0x20000, 0xFFFFFBFF, FALSE, 0x10CF0000, 0, {{108, 139, Keep}}},
        {"no minimise box", 0xFFFDFFFF, 0xFFFFFBFF, FALSE, 0x10CD0000, 0, {{108, 139, Changed}}},
        {"help button", 0x20000, 0x400, FALSE, 0x10CF0000, 0x400, {{108, 139, Changed}}},
        {"maximised", 0x20000, 0xFFFFFBFF, TRUE, 0x10CF0000, 0, {}},
        {"maximised, no minimise box", 0xFFFDFFFF, 0xFFFFFBFF, TRUE, 0x10CD0000, 0,
         {{108, 139, Changed | CFrameWindow::PosNoSize}}},
    };
    for (const Case& c : cases) {
        CHyperFrameOb frame;
        frame.Title = "Run";
        frame.SetHeight(100);
        frame.MinimizeBox = c.minimize;
        frame.WhatsThisHelp = c.help;
        FakeFrame window;
        window.maximized = c.maximized;
        frame.ApplyToFrame(&window);
        EXPECT_EQ(window.style, c.style) << c.name;
        EXPECT_EQ(window.exStyle, c.exStyle) << c.name;
        EXPECT_EQ(window.title, CString("Run")) << c.name;
        EXPECT_EQ(window.positions, c.positions) << c.name;
    }

    FrameHost host;
    FakeFrame window;
    host.frame = &window;
    CHyperFrameOb frame;
    frame.SetView(host);
    EXPECT_EQ(frame.GetParentFrame(), &window);
    frame.UpdateLayout(0, FALSE);
    EXPECT_EQ(window.positions.size(), 1u);
}

} // namespace
