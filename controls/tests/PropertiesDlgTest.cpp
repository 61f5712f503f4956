// The property dialogs: each kind of editor changes its value through its control, bad
// input is refused and keeps the old value, URLs are completed, the dialog opens beside its
// object, and the grid's tab strip and name column keep their geometry.
#include "PictureKit.h"

#include "controls/ColourPickerPopup.h"
#include "controls/CoolComboNotify.h"
#include "controls/DateTimeDlg.h"
#include "controls/MyPropertiesDlg.h"
#include "controls/PropTabStrip.h"
#include "controls/PropertiesDlg.h"
#include "objects/PropColor.h"
#include "objects/PropCombo.h"
#include "objects/PropDatetime.h"
#include "objects/PropNumber.h"
#include "objects/PropText.h"
#include "platform/ui/TestHook.h"

#include <filesystem>
#include <fstream>
#include <functional>

#include <unistd.h>
#include <memory>

namespace {

// The fields a test list edits.
struct Fields {
    int number = 5;
    LONG wide = 70000;
    double real = 1.5;
    CString text = "old";
    DWORD choice = 0;
    CString suggestion = "oak";
    CString url = "www.old.example";
    COLORREF colour = RGB(1, 2, 3);
    CString date = "1.2.2005 13:05:00";
    CString file = "old.txt";
};

// A file outside the working folder, so it comes back with its full path.
std::string ChosenFile()
{
    static const std::string path = [] {
        auto folder = std::filesystem::temp_directory_path() / ("vantrel-props-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "Bell.WAV") << "RIFF";
        return (folder / "Bell.WAV").string();
    }();
    return path;
}

class PropertiesDlgTest : public UiTest {
public:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(parent.Open(CRect(0, 0, 400, 500)));
        dialog = std::make_unique<CPropertiesDlg>(CPropertiesDlg::ViewTemplate, &parent);
        dialog->SetModal(FALSE);
        ASSERT_TRUE(dialog->CreateDialogWindow(&parent));
    }
    void TearDown() override
    {
        std::filesystem::remove_all(std::filesystem::path(ChosenFile()).parent_path());
        dialog.reset();
        parent.DestroyWindow();
        UiTest::TearDown();
    }

    // Shows one list and selects the row of the property at a position.
    void Show(CPropObArray* list)
    {
        dialog->SetProperties(list, nullptr, "test");
        dialog->RefreshPropertyList();
    }
    void SelectRow(int position)
    {
        CPropListWnd* rows = dialog->GetListWnd();
        for (int row = 0; row < rows->GetCount(); ++row)
            if (static_cast<int>(rows->GetItemData(row)) == position + 1)
                rows->SetCurSel(row);
        ASSERT_TRUE(dialog->ExchangeProperty(FALSE) || dialog->GetCurrentProperty());
    }
    CWnd* Control(UINT id) { return dialog->GetDlgItem(static_cast<int>(id)); }

    RecordingWindow parent;
    std::unique_ptr<CPropertiesDlg> dialog;
    Fields fields;
};

TEST_F(PropertiesDlgTest, EveryKindOfEditorChangesItsValueThroughItsControl)
{
    struct Case {
        const char* kind;
        std::function<CPropOb*(Fields&)> make;
        std::function<void(PropertiesDlgTest&)> enter;
        std::function<bool(const Fields&)> changed;
    };
    auto type = [](const char* text) {
        return [text](PropertiesDlgTest& t) { t.Control(CPropEditDlg::EditControl)->SetWindowText(text); };
    };
    const Case cases[] = {
        {"int", [](Fields& f) { return new CPropInt(27174, &f.number, 1, 10); }, type("7"),
         [](const Fields& f) { return f.number == 7; }},
        {"long", [](Fields& f) { return new CPropLong(27136, &f.wide); }, type("-12"),
         [](const Fields& f) { return f.wide == -12; }},
        {"double", [](Fields& f) { return new CPropDbl(27049, &f.real); }, type("2.25"),
         [](const Fields& f) { return f.real == 2.25; }},
        {"text", [](Fields& f) { return new CPropStr(27381, &f.text); }, type("new tip"),
         [](const Fields& f) { return f.text == "new tip"; }},
        {"choice",
         [](Fields& f) {
             auto* combo = new CPropCombo(27473, &f.choice);
             combo->AddChoice("Off", 0);
             combo->AddChoice("On", 1);
             return combo;
         },
         [](PropertiesDlgTest& t) { t.dialog->GetEditorCombo(CPropEditDlg::ChoiceControl)->SetCurSel(1); },
         [](const Fields& f) { return f.choice == 1; }},
        {"edit combo",
         [](Fields& f) {
             auto* combo = new CPropEditCombo(27433, &f.suggestion);
             combo->AddChoice("oak", 0);
             return combo;
         },
         [](PropertiesDlgTest& t) { t.Control(CPropEditDlg::UrlComboControl)->SetWindowText("elm"); },
         [](const Fields& f) { return f.suggestion == "elm"; }},
        {"url", [](Fields& f) { return new CPropUrlEditCombo(27390, &f.url); },
         [](PropertiesDlgTest& t) { t.Control(CPropEditDlg::UrlComboControl)->SetWindowText("  www.new.example"); },
         [](const Fields& f) { return f.url == "http://www.new.example"; }},
        {"colour", [](Fields& f) { return new CPropColor(27154, &f.colour); },
         [](PropertiesDlgTest& t) {
             CColourPickerPopup popup;
             popup.SetColour(RGB(64, 128, 255));
             SendCoolComboNotify(t.dialog.get(), &popup, CPropEditDlg::ColourPopupId, CCN_SELECT, 0);
         },
         [](const Fields& f) { return f.colour == RGB(64, 128, 255); }},
        {"date and time", [](Fields& f) { return new CPropFixedDatetime(27474, &f.date); },
         [](PropertiesDlgTest& t) {
             CDateTimeDlg chooser(0, 0, CPropEditDlg::DateTimeDialogId, "3.4.2006 07:08:09", t.dialog.get());
             SendCoolComboNotify(t.dialog.get(), &chooser, CPropEditDlg::DateTimeDialogId, CCN_SELECT, 0);
         },
         [](const Fields& f) { return f.date == "3.4.2006 07:08:09"; }},
        {"file", [](Fields& f) { return new CPropFile(27477, &f.file); },
         [](PropertiesDlgTest& t) {
             UiTestHook::QueueFileDialogAnswer("");
             t.dialog->BeginEdit(TRUE);
         },
         [](const Fields& f) { return f.file == "old.txt"; }},
        {"file chosen", [](Fields& f) { return new CPropFile(27477, &f.file); },
         [](PropertiesDlgTest& t) {
             UiTestHook::QueueFileDialogAnswer(ChosenFile());
             t.dialog->BeginEdit(TRUE);
         },
         [](const Fields& f) { return f.file == CString(ChosenFile().c_str()).MakeLower(); }},
    };
    for (const Case& c : cases) {
        fields = Fields();
        auto* list = new CPropObArray;
        list->Add(c.make(fields));
        Show(list);
        SelectRow(0);
        c.enter(*this);
        ASSERT_TRUE(dialog->ExchangeProperty(TRUE)) << c.kind;
        dialog->ApplyProperties();
        EXPECT_TRUE(c.changed(fields)) << c.kind;
    }
}

TEST_F(PropertiesDlgTest, TheKindOfAnEditorComesFromItsClass)
{
    Fields f;
    struct Case {
        std::unique_ptr<CPropOb> property;
        int kind;
    };
    Case cases[] = {
        {std::make_unique<CPropInt>(1, &f.number, 0, 1), CPropEditDlg::KindInt},
        {std::make_unique<CLinePropWidth>(1, &f.number), CPropEditDlg::KindInt},
        {std::make_unique<CPropLong>(1, &f.wide), CPropEditDlg::KindLong},
        {std::make_unique<CPropDbl>(1, &f.real), CPropEditDlg::KindDouble},
        {std::make_unique<CPropStr>(1, &f.text), CPropEditDlg::KindText},
        {std::make_unique<CPropCombo>(1, &f.choice), CPropEditDlg::KindChoice},
        {std::make_unique<CLinePropStyle>(1, &f.choice), CPropEditDlg::KindChoice},
        {std::make_unique<CPropColor>(1, &f.colour), CPropEditDlg::KindColour},
        {std::make_unique<CPropFile>(1, &f.file), CPropEditDlg::KindFile},
        {std::make_unique<CPropEditCombo>(1, &f.suggestion), CPropEditDlg::KindEditCombo},
        {std::make_unique<CPropUrlEditCombo>(1, &f.url), CPropEditDlg::KindUrl},
        {std::make_unique<CPropCustDatetime>(1, &f.date), CPropEditDlg::KindDateTime},
        {std::make_unique<CPropDatetime>(1, &f.date), CPropEditDlg::KindDateTimeAlt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CPropEditDlg::EditKindOf(c.property.get()), c.kind) << typeid(*c.property).name();
}

TEST_F(PropertiesDlgTest, BadInputIsRefusedWithAMessageAndKeepsTheOldValue)
{
    const struct {
        const char* typed;
        const char* message;
    } cases[] = {{"42", "Please enter an integer between 1 and 10."}, {"abc", "Please enter an integer."}};
    for (const auto& c : cases) {
        fields = Fields();
        auto* list = new CPropObArray;
        list->Add(new CPropInt(27174, &fields.number, 1, 10));
        Show(list);
        SelectRow(0);
        Control(CPropEditDlg::EditControl)->SetWindowText(c.typed);
        const int boxes = UiTestHook::MessageBoxCount();
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        EXPECT_FALSE(dialog->ExchangeProperty(TRUE)) << c.typed;
        EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes + 1) << c.typed;
        EXPECT_EQ(UiTestHook::LastMessageBoxText(), c.message);
        dialog->ApplyProperties();
        EXPECT_EQ(fields.number, 5) << c.typed;
        EXPECT_EQ(static_cast<CPropInt*>(list->GetProp(0))->m_edited, 5) << c.typed;
    }
}

TEST_F(PropertiesDlgTest, TypedAddressesBecomeUrls)
{
    const struct {
        const char* typed;
        const char* url;
    } cases[] = {
        {"  www.korvane.example", "http://www.korvane.example"},
        {"ftp.korvane.example", "ftp://ftp.korvane.example"},
        {"someone@korvane.example", "mailto:someone@korvane.example"},
        {"a@b@c", "a@b@c"},
        {"@korvane.example", "@korvane.example"},
        {"someone@", "someone@"},
        {"\\notes\\plan.txt", "file:///opt/vantrel/notes/plan.txt"},
        {"\\notes\\plan", "\\notes\\plan"},
        {"c:\\notes\\plan.txt", "file://c:/notes/plan.txt"},
        {"1:\\notes", "1:\\notes"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CPropEditDlg::CompleteUrl(c.typed, "/opt/vantrel"), CString(c.url)) << c.typed;
}

TEST_F(PropertiesDlgTest, TheDialogOpensBesideItsObject)
{
    const CSize screen(1000, 800);
    const CRect dialogRect(0, 0, 300, 400);
    const struct {
        const char* where;
        CRect object;
        CRect placed;
    } cases[] = {
        {"below", {100, 100, 200, 150}, {100, 150, 400, 550}},
        {"above, near the bottom", {100, 600, 200, 700}, {100, 200, 400, 600}},
        {"centred when neither fits", {100, 300, 200, 450}, {100, 200, 400, 600}},
        {"kept off the right edge", {900, 100, 950, 150}, {700, 150, 1000, 550}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CPropEditDlg::PlaceRectNear(dialogRect, c.object, screen), c.placed) << c.where;
}

TEST_F(PropertiesDlgTest, TabsShareTheWidthAndTheRemainderGoesLeft)
{
    EXPECT_EQ(CPropTabStrip::TabRect(0, 2, 101, 20), CRect(0, 0, 51, 20));
    EXPECT_EQ(CPropTabStrip::TabRect(1, 2, 101, 20), CRect(51, 0, 101, 20));
    EXPECT_EQ(CPropTabStrip::TabRect(2, 3, 10, 5), CRect(7, 0, 10, 5));
    EXPECT_TRUE(CPropTabStrip::TabRect(0, 0, 100, 20).IsRectEmpty());
}

TEST_F(PropertiesDlgTest, TheFirstNameColumnTakesTwoFifthsButNeverLessThanItsMinimum)
{
    CPropListWnd* rows = dialog->GetListWnd();
    const int client = rows->GetClientWidth();
    const struct {
        int reference;
        int expected;
    } cases[] = {{1000, std::min(400, client - CPropListWnd::ButtonWidth)}, {200, 120}};
    for (const auto& c : cases) {
        CPropListWnd::SetProgramNameWidth(0);
        rows->SetNameWidth(c.reference);
        EXPECT_EQ(CPropListWnd::GetNameWidth(), c.expected) << c.reference;
    }
    // Later settings keep the width; dragging has no minimum.
    rows->SetNameWidth(1000);
    EXPECT_EQ(CPropListWnd::GetNameWidth(), 120);
    EXPECT_EQ(rows->ClampNameWidth(30, 1), 30);
}

TEST_F(PropertiesDlgTest, DoubleClickingAChoiceRowStepsToTheNextChoiceAndWraps)
{
    auto* list = new CPropObArray;
    auto* choice = new CPropCombo(27473, &fields.choice);
    for (DWORD value : {0u, 1u, 2u})
        choice->AddChoice(std::to_string(value).c_str(), value);
    list->Add(choice);
    Show(list);
    SelectRow(0);
    CPropListWnd* rows = dialog->GetListWnd();
    for (DWORD expected : {1u, 2u, 0u}) {
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(CPropEditDlg::ListControl, LBN_DBLCLK),
                            reinterpret_cast<LPARAM>(rows->m_hWnd));
        EXPECT_EQ(fields.choice, expected);
    }
}

TEST_F(PropertiesDlgTest, SortingByNameHoldsForEveryDialogOfTheRun)
{
    CPropertiesDlg other(CPropertiesDlg::ViewTemplate, &parent);
    other.SetModal(FALSE);
    ASSERT_TRUE(other.CreateDialogWindow(&parent));
    CString texts[3];
    auto fill = [&](CPropertiesDlg& target) {
        auto* list = new CPropObArray;
        const char* names[] = {"Zeta", "alpha", "Mid"};
        for (int i = 0; i < 3; ++i) {
            auto* property = new CPropStr(27381, &texts[i]);
            property->m_nameText = names[i];
            list->Add(property);
        }
        target.SetProperties(list, nullptr, "sorted");
        target.RefreshPropertyList();
    };
    auto firstName = [](CPropertiesDlg& target) {
        CPropListWnd* rows = target.GetListWnd();
        return target.GetPropertyName(static_cast<INT_PTR>(rows->GetItemData(0)));
    };
    fill(*dialog);
    EXPECT_EQ(firstName(*dialog), CString("Zeta")) << "list order while unsorted";
    dialog->SendMessage(WM_COMMAND, CPropertiesDlg::CmdSort);
    EXPECT_EQ(firstName(*dialog), CString("alpha")) << "names compare without case";
    fill(other);
    EXPECT_EQ(firstName(other), CString("alpha")) << "the other dialog sorts too";
    dialog->SendMessage(WM_COMMAND, CPropertiesDlg::CmdSort);
    EXPECT_FALSE(CPropertiesDlg::GetSortFlag());
}

TEST_F(PropertiesDlgTest, ColourRowsShowASwatchAutomaticOnesAHatch)
{
    COLORREF red = RGB(255, 0, 0);
    COLORREF automatic = static_cast<COLORREF>(-1);
    auto* list = new CPropObArray;
    list->Add(new CPropColor(27154, &red));
    list->Add(new CPropColor(27155, &automatic));
    Show(list);
    dialog->ShowWindow(SW_SHOW);
    CPropListWnd* rows = dialog->GetListWnd();
    rows->SetCurSel(-1);
    rows->Invalidate();
    rows->UpdateWindow();
    UiTestHook::PumpPending();
    auto swatchPixels = [&](int row, COLORREF colour) {
        CRect item;
        rows->GetItemRect(row, &item);
        const int left = CPropListWnd::GetNameWidth() + 3;
        int count = 0;
        for (int y = item.top + 3; y < item.bottom - 3; ++y)
            for (int x = left + 1; x < left + item.Height() - 5; ++x)
                count += UiTestHook::PixelAt(rows->m_hWnd, {x, y}) == colour;
        return count;
    };
    EXPECT_GT(swatchPixels(0, red), 20);
    EXPECT_EQ(swatchPixels(1, red), 0);
    EXPECT_GT(swatchPixels(1, RGB(0, 0, 0)), 4) << "the cross hatch of automatic";
    EXPECT_GT(swatchPixels(1, RGB(255, 255, 255)), 4);
}

TEST_F(PropertiesDlgTest, TheButtonOfATextRowShowsTheOldTextThenSetsItsWord)
{
    CMyPropertiesDlg main(&parent);
    main.SetModal(FALSE);
    ASSERT_TRUE(main.CreateDialogWindow(&parent));
    CString caption = "Press me";
    auto* list = new CPropObArray;
    list->Add(new CPropStr(CMyPropertiesDlg::ButtonTextId, &caption));
    main.SetProperties(list, nullptr, "shape");
    main.RefreshPropertyList();
    ASSERT_TRUE(main.IsTextButtonProperty(main.GetCurrentProperty()));
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    main.m_rightZone = TRUE;
    main.OnRowActivated();
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Press me");
    EXPECT_EQ(caption, CString("AutoShape"));
}

TEST_F(PropertiesDlgTest, TheTwoTextDialogWritesBothTextsBackOnOk)
{
    CBlobRun run{"A", ""};
    CBlobRunDlg editor(&run, &parent);
    ASSERT_TRUE(editor.Create(CBlobRunDlg::Template, &parent));
    EXPECT_EQ(editor.m_first, CString("A"));
    editor.GetDlgItem(CBlobRunDlg::SecondEdit)->SetWindowText("B");
    editor.OnOK();
    EXPECT_EQ(run.first, CString("A"));
    EXPECT_EQ(run.second, CString("B"));
}

// A form made taller than its template, as a size the pane left behind makes it, keeps OK and
// Cancel below the list where they can be pressed.
TEST_F(PropertiesDlgTest, OkAndCancelFollowTheBottomEdgeBelowTheList)
{
    CRect window;
    dialog->GetWindowRect(&window);
    dialog->SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() * 2, SWP_NOMOVE | SWP_NOZORDER);
    CRect client;
    dialog->GetClientRect(&client);
    CRect list;
    Control(CPropEditDlg::ListControl)->GetWindowRect(&list);
    dialog->ScreenToClient(&list);
    for (UINT id : {UINT(IDOK), UINT(IDCANCEL)}) {
        CRect button;
        Control(id)->GetWindowRect(&button);
        dialog->ScreenToClient(&button);
        EXPECT_GE(button.top, list.bottom) << id;
        EXPECT_LE(button.bottom, client.bottom) << id;
        EXPECT_TRUE(Control(id)->GetStyle() & WS_VISIBLE) << id;
    }
}

} // namespace
