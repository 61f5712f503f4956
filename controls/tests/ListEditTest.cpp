// The list editor pieces: the character filter of the number and code fields, the drag list
// with its placeholder row and insertion mark, and the list editor dialog as the snap points
// dialog uses it (rows, numbering, fields, refusals, OK and Cancel).
#include "../../platform/ui/tests/UiFixture.h"

#include "controls/CharFilterEdit.h"
#include "controls/FlexSizeDialog.h"
#include "controls/InsertDragListBox.h"
#include "controls/SnapPointsDlg.h"
#include "objects/AnchorFmt.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/UiApi.h"
#include "res/ResourceParts.h"

#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

// A parent that records the filter's TAB messages.
class CTabSink : public CWnd {
public:
    std::vector<WPARAM> tabs;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_FILTER_TAB)
            tabs.push_back(wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class CharFilterTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED | WS_VISIBLE, RECT{0, 0, 200, 100},
                                    nullptr, 0));
    }
    void TearDown() override
    {
        edit.DestroyWindow();
        parent.DestroyWindow();
        UiTest::TearDown();
    }
    void Make(UINT kind)
    {
        edit.SetKind(kind);
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, RECT{0, 0, 150, 20}, &parent, 5));
    }
    CString Type(const std::string& keys)
    {
        for (char c : keys)
            edit.SendMessage(WM_CHAR, static_cast<BYTE>(c), 1);
        CString text;
        edit.GetWindowText(text);
        return text;
    }

    CTabSink parent;
    CCharFilterEdit edit;
};

struct FilterCase {
    UINT charClass;
    const char* typed;
    const char* kept;
};

TEST_F(CharFilterTest, EachClassKeepsOnlyItsCharacters)
{
    const FilterCase cases[] = {
        {1, "-1a-2 ", "-1-2"},          {2, "-12a3.", "123"},       {3, "-.5x,", "-.5"},
        {4, "-.5e", ".5"},              {5, "aZ1-_q", "aZq"},       {6, "C:\\x~$.9!/", "C:\\x~$.9"},
        {7, "a b\x01\x1f!", "a b!"},     {8, "01201", "0101"},       {0, "abc1", ""},
        {9, "abc1", ""},                {15, "-01", ""},
    };
    for (const FilterCase& c : cases) {
        edit.DestroyWindow();
        Make(CCharFilterEdit::MakeKind(c.charClass, 0));
        EXPECT_EQ(Type(c.typed), CString(c.kept)) << "class " << c.charClass;
        EXPECT_TRUE(parent.tabs.empty());
    }
}

TEST_F(CharFilterTest, BackspaceStillWorksWhereTheClassRefusesIt)
{
    Make(CCharFilterEdit::MakeKind(CCharFilterEdit::ClassUnsignedInt, 0));
    EXPECT_EQ(Type("12-\b"), CString("1"));
}

TEST_F(CharFilterTest, TabAsksTheParentToMoveOnAndCtrlTabDoesNothing)
{
    Make(CCharFilterEdit::MakeKind(CCharFilterEdit::ClassUnsignedInt, 0));
    edit.SetFocus();
    Type("\t");
    UiTestHook::KeyDown(VK_SHIFT);
    UiTestHook::PumpPending();
    Type("\t");
    UiTestHook::KeyUp(VK_SHIFT);
    UiTestHook::KeyDown(VK_CONTROL);
    UiTestHook::PumpPending();
    Type("\t");
    UiTestHook::KeyUp(VK_CONTROL);
    UiTestHook::PumpPending();
    EXPECT_EQ(parent.tabs, (std::vector<WPARAM>{0, 1}));
    CString text;
    edit.GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(CharFilterTest, TheLimitHoldsFromCreationAndAfterAChangeOfKind)
{
    Make(CCharFilterEdit::MakeKind(CCharFilterEdit::ClassSignedInt, 3));
    EXPECT_EQ(Type("-12345"), CString("-12"));
    edit.SetWindowText("");
    edit.SetKind(CCharFilterEdit::MakeKind(CCharFilterEdit::ClassSignedInt, 4));
    EXPECT_EQ(Type("-12345"), CString("-123"));
    EXPECT_EQ(edit.GetLimit(), 4u);
    EXPECT_EQ(edit.GetCharClass(), 1u);
}

// Records in the drag list are named objects.
class CNamed : public CObject {
public:
    explicit CNamed(char name) : name(name) { }
    char name;
};

class CRecordingList : public CInsertDragListBox {
public:
    BOOL refuse = FALSE;
    std::vector<std::pair<int, int>> asked;
    BOOL CanMove(int from, int to) override
    {
        asked.emplace_back(from, to);
        return !refuse;
    }
};

struct DropCase {
    const char* name;
    int from;
    int toRow; // the row the button is let go over; 6 is the placeholder, 8 below everything
    bool enabled;
    bool refuse;
    const char* order;
};

class InsertDragLists : public UiTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(InsertDragLists, DropTheRowBeforeTheRowUnderThePointer)
{
    const DropCase& c = GetParam();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED | WS_VISIBLE, RECT{0, 0, 200, 240}, nullptr, 0));
    CRecordingList list;
    list.refuse = c.refuse;
    list.EnableDrag(c.enabled);
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT, RECT{0, 0, 120, 200},
                            &parent, 3));
    list.SetItemHeight(0, 20);
    std::vector<std::unique_ptr<CNamed>> records;
    for (char name : std::string("abcdef")) {
        records.push_back(std::make_unique<CNamed>(name));
        list.AddRecord(records.back().get());
    }
    const WORD fromY = static_cast<WORD>(c.from * 20 + 5), toY = static_cast<WORD>(c.toRow * 20 + 5);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, fromY));
    EXPECT_EQ(list.GetCount(), c.enabled ? 7 : 6) << "a placeholder row while dragging";
    list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, toY));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, toY));
    std::string order;
    for (int row = 0; row < list.GetCount(); ++row)
        order += list.GetRecord(row) ? static_cast<CNamed*>(list.GetRecord(row))->name : '0';
    EXPECT_EQ(order, c.order);
    EXPECT_EQ(list.GetInsertMark(), -1);
    if (c.refuse) {
        EXPECT_FALSE(list.asked.empty());
    }
    list.DestroyWindow();
    parent.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(
    Drops, InsertDragLists,
    ::testing::Values(DropCase{"OntoTheRowJustBelowChangesNothing", 2, 3, true, false, "abcdef"},
                      DropCase{"OntoALaterRowLandsBeforeIt", 2, 5, true, false, "abdecf"},
                      DropCase{"OntoThePlaceholderGoesToTheEnd", 2, 6, true, false, "abdefc"},
                      DropCase{"UpwardsLandsBeforeTheRow", 4, 1, true, false, "aebcdf"},
                      DropCase{"OntoItselfChangesNothing", 2, 2, true, false, "abcdef"},
                      DropCase{"BelowEveryRowChangesNothing", 1, 8, true, false, "abcdef"},
                      DropCase{"ARefusedMoveChangesNothing", 0, 4, true, true, "abcdef"},
                      DropCase{"WithoutDraggingNothingMoves", 0, 4, false, false, "abcdef"}),
    [](const auto& info) { return std::string(info.param.name); });

// The insertion mark inverts a bar over the row's top edge, 4 pixels in from both ends, so
// drawing it again (moving it away) gives the pixels back.
TEST_F(UiTest, TheInsertionMarkInvertsABarAndTakingItAwayRestoresThePixels)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED | WS_VISIBLE, RECT{0, 0, 200, 200}, nullptr, 0));
    CInsertDragListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT, RECT{0, 0, 100, 120},
                            &parent, 3));
    list.SetItemHeight(0, 20);
    CNamed a('a'), b('b'), c('c');
    for (CNamed* record : {&a, &b, &c})
        list.AddRecord(record);
    UiTestHook::PumpPending();
    // Columns outside the mark, at its end marks and along the bar; rows around row 2's top edge.
    const int columns[] = {0, 3, 4, 5, 10, 11, 50, 51, 94, 95, 96, 99};
    auto band = [&] {
        std::vector<COLORREF> pixels;
        for (int y = 32; y < 48; ++y)
            for (int x : columns)
                pixels.push_back(UiTestHook::PixelAt(list.m_hWnd, POINT{x, y}));
        return pixels;
    };
    const std::vector<COLORREF> plain = band();
    list.DrawInsert(2);
    const std::vector<COLORREF> marked = band();
    int barChanged = 0;
    for (size_t i = 0; i < plain.size(); ++i) {
        const int x = columns[i % std::size(columns)], y = 32 + static_cast<int>(i / std::size(columns));
        if (marked[i] == plain[i])
            continue;
        EXPECT_TRUE(x >= 4 && x < 96 && y >= 34 && y < 46) << x << "," << y;
        if (x > 5 && x < 94)
            barChanged += y >= 38 && y < 42 ? 1 : 1000;
    }
    EXPECT_EQ(barChanged, 8) << "every other pixel of the 4-pixel bar, and nothing above or below it";
    list.DrawInsert(-1);
    EXPECT_EQ(band(), plain);
    list.DestroyWindow();
    parent.DestroyWindow();
}

// The snap points dialog on a list of points numbered 0 to count - 1, next number 5.
class SnapPointsTest : public UiTest {
protected:
    static void SetUpTestSuite()
    {
        UiTest::SetUpTestSuite();
        RegisterListEditResources();
    }
    void SetUp() override
    {
        UiTest::SetUp();
        CFlexSizeDialog::ClearSizeCache();
    }
    void TearDown() override
    {
        if (dialog && dialog->m_hWnd)
            dialog->DestroyWindow();
        dialog.reset();
        UiTest::TearDown();
    }
    void Open(int count)
    {
        for (int id = 0; id < count; ++id) {
            auto* point = static_cast<CAnchorItem*>(edited.CreateItem());
            point->m_id = id;
            point->m_position = id;
            edited.AddItem(point);
        }
        edited.m_nextId = 5;
        dialog = std::make_unique<CSnapPointsDlg>(&edited, CSnapPointsDlg::TemplateId, nullptr);
        ASSERT_TRUE(dialog->Create(CSnapPointsDlg::TemplateId));
    }
    CInsertDragListBox& List() { return *dialog->GetListBox(); }
    void Press(UINT id) { dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Pick(int row)
    {
        List().SetCurSel(row);
        Notify(LBN_SELCHANGE);
    }
    // Notifications carry the list's window, as the list sends them.
    void Notify(UINT code)
    {
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(CListEditDlg::ListId, code),
                            reinterpret_cast<LPARAM>(List().m_hWnd));
    }
    void Set(UINT id, const char* text) { dialog->SetDlgItemText(id, text); }
    CString Get(UINT id) const
    {
        CString text;
        dialog->GetDlgItemText(id, text);
        return text;
    }
    BOOL Enabled(UINT id) const { return dialog->GetDlgItem(id)->IsWindowEnabled(); }
    std::vector<int> RowIds()
    {
        std::vector<int> ids;
        for (int row = 0; row < List().GetCount(); ++row)
            ids.push_back(static_cast<CAnchorItem*>(List().GetRecord(row))->m_id);
        return ids;
    }
    std::vector<int> EditedIds() const
    {
        std::vector<int> ids;
        for (INT_PTR i = 0; i < edited.GetSize(); ++i)
            ids.push_back(edited.GetAnchor(i)->m_id);
        return ids;
    }

    CAnchorFmt edited;
    std::unique_ptr<CSnapPointsDlg> dialog;
};

struct ButtonCase {
    const char* name;
    int row;
    UINT button;
    std::vector<int> order;
    int selected;
};

class ListButtons : public SnapPointsTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ListButtons, ChangeTheRowsAndOnlyOkChangesTheList)
{
    const ButtonCase& c = GetParam();
    for (UINT end : {UINT(IDCANCEL), UINT(IDOK)}) {
        edited.DeleteAll();
        Open(3);
        Pick(c.row);
        Press(c.button);
        EXPECT_EQ(RowIds(), c.order);
        EXPECT_EQ(List().GetCurSel(), c.selected);
        EXPECT_EQ(dialog->GetCurrent(), c.selected);
        Press(end);
        EXPECT_EQ(EditedIds(), end == IDOK ? c.order : (std::vector<int>{0, 1, 2}));
        dialog->DestroyWindow();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ListButtons,
    ::testing::Values(ButtonCase{"UpOnTheFirstRow", 0, CListEditDlg::UpId, {0, 1, 2}, 0},
                      ButtonCase{"DownOnTheLastRow", 2, CListEditDlg::DownId, {0, 1, 2}, 2},
                      ButtonCase{"Down", 0, CListEditDlg::DownId, {1, 0, 2}, 1},
                      ButtonCase{"Up", 2, CListEditDlg::UpId, {0, 2, 1}, 1},
                      ButtonCase{"DeleteTheLastRowSelectsTheNewLast", 2, CListEditDlg::DeleteId, {0, 1}, 1},
                      ButtonCase{"DeleteSelectsTheRowThatTookItsPlace", 1, CListEditDlg::DeleteId, {0, 2}, 1},
                      ButtonCase{"AddAppendsANewNumber", 1, CListEditDlg::AddId, {0, 1, 2, 5}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SnapPointsTest, NewPointsTakeTheNextNumbersAndDeletedNumbersAreNotReused)
{
    Open(5);
    Pick(4);
    Press(CListEditDlg::DeleteId);
    Press(CListEditDlg::AddId);
    Press(CListEditDlg::AddId);
    EXPECT_EQ(RowIds(), (std::vector<int>{0, 1, 2, 3, 5, 6}));
    Press(IDOK);
    EXPECT_EQ(EditedIds(), (std::vector<int>{0, 1, 2, 3, 5, 6}));
    EXPECT_EQ(edited.m_nextId, 7);
    EXPECT_EQ(List().GetCount(), 0) << "the list took the points over";
}

TEST_F(SnapPointsTest, FieldsAreStoredWhenTheRowIsLeftAndReachThePointAtOk)
{
    Open(2);
    Pick(0);
    Set(CSnapPointsDlg::DxId, "12");
    Set(CSnapPointsDlg::DyId, "-7");
    Set(CSnapPointsDlg::MaxInId, "-1");
    Set(CSnapPointsDlg::MaxOutId, "1000");
    Set(CSnapPointsDlg::TipId, "north");
    dialog->CheckDlgButton(CSnapPointsDlg::ByPixelId, BST_CHECKED);
    dialog->SendDlgItemMessage(CSnapPointsDlg::TypeId, CB_SETCURSEL, 8);
    Pick(1);
    EXPECT_EQ(Get(CSnapPointsDlg::DxId), CString("0"));
    Pick(0);
    EXPECT_EQ(Get(CSnapPointsDlg::DxId), CString("12"));
    EXPECT_EQ(Get(CSnapPointsDlg::TipId), CString("north"));
    Press(IDOK);
    const CAnchorItem* point = edited.FindPoint(0);
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point->m_xOffset, 12);
    EXPECT_EQ(point->m_yOffset, -7);
    EXPECT_EQ(point->m_maxIn, -1);
    EXPECT_EQ(point->m_maxOut, 1000);
    EXPECT_EQ(point->m_offsetMode, 1);
    EXPECT_EQ(point->m_position, 8);
    EXPECT_EQ(point->m_name, CString("north"));
    EXPECT_EQ(edited.FindPoint(1)->m_position, 1) << "the other point is as it was";
}

TEST_F(SnapPointsTest, AValueOutOfRangeIsRefusedAndKeepsItsRow)
{
    Open(2);
    Pick(0);
    Set(CSnapPointsDlg::DxId, "101");
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    Pick(1);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 1);
    EXPECT_EQ(List().GetCurSel(), 0);
    EXPECT_EQ(Get(CSnapPointsDlg::DxId), CString("101")) << "the typed value is not lost";
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    Press(IDOK);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 2);
    EXPECT_EQ(List().GetCount(), 2) << "the dialog stays open with its points";
    EXPECT_EQ(EditedIds(), (std::vector<int>{0, 1}));
    EXPECT_EQ(edited.FindPoint(0)->m_xOffset, 0);
    Set(CSnapPointsDlg::DxId, "-100");
    Press(IDOK);
    EXPECT_EQ(edited.FindPoint(0)->m_xOffset, -100);
}

TEST_F(SnapPointsTest, TheGridOffsetSwitchesDgAndTheColour)
{
    Open(1);
    EXPECT_FALSE(Enabled(CSnapPointsDlg::DgId));
    EXPECT_FALSE(Enabled(CSnapPointsDlg::ColourId));
    dialog->CheckDlgButton(CSnapPointsDlg::UseGridId, BST_CHECKED);
    Press(CSnapPointsDlg::UseGridId);
    EXPECT_TRUE(Enabled(CSnapPointsDlg::DgId));
    EXPECT_TRUE(Enabled(CSnapPointsDlg::ColourId));
    Set(CSnapPointsDlg::DgId, "40");
    CComboBox* colours = static_cast<CComboBox*>(dialog->GetDlgItem(CSnapPointsDlg::ColourId));
    colours->SetCurSel(colours->GetCount() - 1);
    const COLORREF picked = static_cast<COLORREF>(colours->GetItemData(colours->GetCount() - 1));
    Pick(0);
    EXPECT_EQ(static_cast<CAnchorItem*>(List().GetRecord(0))->m_dG, 40);
    EXPECT_EQ(static_cast<CAnchorItem*>(List().GetRecord(0))->m_color, picked);
    dialog->CheckDlgButton(CSnapPointsDlg::UseGridId, BST_UNCHECKED);
    Press(CSnapPointsDlg::UseGridId);
    EXPECT_EQ(Get(CSnapPointsDlg::DgId), CString("0"));
    EXPECT_FALSE(Enabled(CSnapPointsDlg::DgId));
    Press(IDOK);
    EXPECT_EQ(edited.GetAnchor(0)->m_dG, 0);
    EXPECT_EQ(edited.GetAnchor(0)->m_color, AutomaticColour);
    EXPECT_EQ(edited.GetAnchor(0)->m_colorFlag, 0);
}

TEST_F(SnapPointsTest, AColourTheComboDoesNotOfferIsKept)
{
    Open(1);
    dialog->DestroyWindow();
    edited.GetAnchor(0)->m_color = RGB(1, 2, 3);
    edited.GetAnchor(0)->m_colorFlag = 1;
    dialog = std::make_unique<CSnapPointsDlg>(&edited, CSnapPointsDlg::TemplateId, nullptr);
    ASSERT_TRUE(dialog->Create(CSnapPointsDlg::TemplateId));
    Set(CSnapPointsDlg::DxId, "3");
    Press(IDOK);
    EXPECT_EQ(edited.GetAnchor(0)->m_color, RGB(1, 2, 3));
    EXPECT_EQ(edited.GetAnchor(0)->m_xOffset, 3);
}

TEST_F(SnapPointsTest, AnEmptyListDisablesEveryPointFieldAndADoubleClickAdds)
{
    Open(0);
    for (UINT id : {CSnapPointsDlg::TypeId, CSnapPointsDlg::DxId, CSnapPointsDlg::DyId, CSnapPointsDlg::ByPixelId,
                    CSnapPointsDlg::MaxInId, CSnapPointsDlg::MaxOutId, CSnapPointsDlg::TipId,
                    CSnapPointsDlg::UseGridId, CSnapPointsDlg::DgId, CSnapPointsDlg::ColourId})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(Get(CSnapPointsDlg::MaxInId), CString("99"));
    Notify(LBN_DBLCLK);
    EXPECT_EQ(RowIds(), (std::vector<int>{5}));
    EXPECT_TRUE(Enabled(CSnapPointsDlg::DxId));
    EXPECT_EQ(dialog->SendDlgItemMessage(CSnapPointsDlg::TypeId, CB_GETCOUNT), 9);
}

TEST_F(SnapPointsTest, CancelAfterDeletingLeavesThePointsAndFreesTheRows)
{
    Open(3);
    Press(CListEditDlg::DeleteId);
    Press(CListEditDlg::DeleteId);
    Press(IDCANCEL);
    EXPECT_EQ(EditedIds(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(edited.m_nextId, 5);
}

TEST_F(SnapPointsTest, AnExtendedListKeepsItsKindOfPoint)
{
    CAnchorFmtEx extended;
    auto* point = static_cast<CAnchorItemEx*>(extended.CreateItem());
    point->m_id = 3;
    point->m_text = "label";
    extended.AddItem(point);
    dialog = std::make_unique<CSnapPointsDlg>(&extended, CSnapPointsDlg::TemplateId, nullptr);
    ASSERT_TRUE(dialog->Create(CSnapPointsDlg::TemplateId));
    Press(CListEditDlg::AddId);
    Press(IDOK);
    ASSERT_EQ(extended.GetSize(), 2);
    EXPECT_EQ(static_cast<CAnchorItemEx*>(extended.GetItem(0))->m_text, CString("label"));
    EXPECT_NE(dynamic_cast<CAnchorItemEx*>(extended.GetItem(1)), nullptr);
    dialog->DestroyWindow();
    dialog.reset();
}

} // namespace
