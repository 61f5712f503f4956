// The view's side of property editing and its bookkeeping: the lists of a multi-selection,
// how often a selection change refills the properties dialog, groups kept whole, named and
// renumbered, and the zoom to a rectangle.
#include "EditViewFixture.h"

#include "View/ViewPropertyDialog.h"
#include "objects/GroupInfo.h"
#include "objects/HyperViewOb.h"
#include "objects/PropBasic.h"
#include "objects/PropColor.h"
#include "objects/PropNumber.h"
#include "objects/PropOb.h"
#include "objects/kinds/CircleGen.h"
#include "platform/ui/TestHook.h"

#include <memory>
#include <vector>

namespace {

constexpr UINT kLeft = 27136;
constexpr UINT kCode = 27142;
constexpr UINT kLineWidth = 27174;

// A dialog that only counts how often the view fills it; it owns what it is given.
class CountingDialog : public CViewPropertyDialog {
public:
    ~CountingDialog() override { DeleteProperties(); }

    CWnd* GetDialogWindow() override { return &window; }
    BOOL CreateDialogWindow(CWnd*) override { return TRUE; }
    INT_PTR RunModal() override { return IDCANCEL; }
    void SetOwnerView(CWnd* view) override { owner = view; }
    CWnd* GetOwnerView() const override { return owner; }
    void SetModal(BOOL) override { }
    void SetProperties(CPropObArray* list, CHyperBaseOb*, LPCTSTR) override { Take(list, nullptr, nullptr); }
    void SetMultiProperties(CPropListArray* newLists, BOOL* newFlags, CHyperObArray*, LPCTSTR) override
    {
        Take(nullptr, newLists, newFlags);
    }
    void SetPropertiesEx(CPropObArray* list, CHyperBaseOb*, CHyperBaseOb*, LPCTSTR) override
    {
        Take(list, nullptr, nullptr);
    }
    void DeleteProperties() override { Take(nullptr, nullptr, nullptr); }
    void ResetProperties(CPropObArray*) override { }
    CHyperBaseOb* GetOwnerObject() const override { return nullptr; }
    BOOL IsIdle() const override { return !single && !lists; }
    void SetCaptionText(const CString& text) override { caption = text; }
    CString GetCaptionText() const override { return caption; }
    void FillObjectCombo(const CObArray&, CHyperBaseOb*, int, BOOL) override { }
    void AddGroupEntry(int, BOOL) override { }
    void RefreshPropertyList() override { ++fills; }
    void ReloadValues() override { }
    BOOL GetPinState() const override { return TRUE; }
    void SetPinState(BOOL) override { }
    BOOL GetDrillMulti() const override { return FALSE; }
    void SetDrillMulti(BOOL) override { }

    int fills = 0;
    CWnd window;
    CWnd* owner = nullptr;
    CString caption;
    CPropObArray* single = nullptr;
    CPropListArray* lists = nullptr;
    BOOL* flags = nullptr;

private:
    void Take(CPropObArray* list, CPropListArray* newLists, BOOL* newFlags)
    {
        delete single;
        delete lists;
        delete[] flags;
        single = list;
        lists = newLists;
        flags = newFlags;
    }
};

class PropertiesTest : public EditViewTest {
protected:
    void SetUp() override
    {
        EditViewTest::SetUp();
        border = AddBorder(CRect(100, 100, 200, 160));
        ellipse = new CCircleGen;
        CRect rect(300, 100, 380, 180);
        ellipse->Init(view, &rect, TRUE);
        ASSERT_TRUE(view->AddObject(ellipse, FALSE, TRUE));
        ellipse->Deselect(TRUE);
        view->ClearSelection(FALSE);
    }

    void TearDown() override
    {
        view->m_propertyDialog = nullptr;
        EditViewTest::TearDown();
    }

    void SelectPair(CHyperOb* first, CHyperOb* second)
    {
        view->ClearSelection(FALSE);
        view->SetCurrentIndex(view->FindObjectIndex(first));
        first->Select(TRUE);
        second->Select(FALSE);
        view->GetSelection().Add(first);
        view->GetSelection().Add(second);
    }

    void SelectBoth() { SelectPair(border, ellipse); }

    CountingDialog* InstallDialog()
    {
        dialog = std::make_unique<CountingDialog>();
        view->m_propertyDialog = dialog.get();
        return dialog.get();
    }

    CHyperOb* border = nullptr;
    CHyperOb* ellipse = nullptr;
    std::unique_ptr<CountingDialog> dialog;
};

INT_PTR Position(const CPropObArray& list, UINT id)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (list.GetProp(i)->GetNameId() == id)
            return i;
    return -1;
}

TEST_F(PropertiesTest, TwoKindsShareOnlyTheirCommonPropertiesInOneOrder)
{
    SelectBoth();
    CPropListArray lists;
    std::unique_ptr<BOOL[]> flags(view->BuildSelectionPropertyLists(&lists));
    ASSERT_EQ(lists.GetSize(), 2);
    const CPropObArray& first = *lists.GetList(0);
    const CPropObArray& second = *lists.GetList(1);
    ASSERT_EQ(first.GetSize(), second.GetSize());
    CPropObArray borderOnly;
    border->CollectProperties(borderOnly, TRUE);
    EXPECT_LT(first.GetSize(), borderOnly.GetSize()) << "the border's own properties are left out";
    for (INT_PTR i = 0; i < first.GetSize(); ++i) {
        EXPECT_EQ(first.GetProp(i)->GetNameId(), second.GetProp(i)->GetNameId()) << i;
        EXPECT_EQ(dynamic_cast<CPropBasic*>(first.GetProp(i)), nullptr) << "no event script in a multi-selection";
    }
    const INT_PTR left = Position(first, kLeft);
    const INT_PTR width = Position(first, kLineWidth);
    const INT_PTR code = Position(first, kCode);
    ASSERT_GE(left, 0);
    ASSERT_GE(width, 0);
    ASSERT_GE(code, 0);
    EXPECT_FALSE(flags[left]) << "the objects start at different places";
    EXPECT_TRUE(flags[width]) << "both draw with a pen of 1";
    EXPECT_FALSE(first.GetProp(code)->m_editable) << "one name cannot go to two objects";
}

// A linked editor the first list loses must not be reached through its partner later.
TEST_F(PropertiesTest, EditingARowWhosePartnerWasLeftOutTouchesNoFreedEditor)
{
    SelectBoth();
    CPropListArray lists;
    std::unique_ptr<BOOL[]> flags(view->BuildSelectionPropertyLists(&lists));
    // A width above 1 asks the linked style editor to go solid.
    int widths = 0;
    for (INT_PTR k = 0; k < lists.GetSize(); ++k) {
        auto* width = dynamic_cast<CLinePropWidth*>(lists.GetList(k)->GetProp(Position(*lists.GetList(k), kLineWidth)));
        ASSERT_NE(width, nullptr);
        width->m_edited = 3;
        width->OnValueChanged();
        ++widths;
    }
    EXPECT_EQ(widths, 2);
}

TEST_F(PropertiesTest, ASelectionChangeRefillsTheDialogOncePerBracket)
{
    struct Case {
        const char* what;
        BOOL force;
        int reports;
        bool changeSelection;
        int fills;
    };
    const Case cases[] = {
        {"two reports of a change", FALSE, 2, true, 1},
        {"nothing reported", FALSE, 0, true, 0},
        {"reported, selection as it was", FALSE, 1, false, 0},
        {"forced, selection as it was", TRUE, 1, false, 1},
        {"forced, nothing reported", TRUE, 0, false, 0},
    };
    for (const Case& c : cases) {
        view->ClearSelection(FALSE);
        CountingDialog* counter = InstallDialog();
        view->BeginUpdate(c.force);
        if (c.changeSelection) {
            view->SetCurrentIndex(view->FindObjectIndex(ellipse));
            ellipse->Select(TRUE);
        }
        for (int i = 0; i < c.reports; ++i)
            view->NotifyChanged(FALSE);
        EXPECT_EQ(counter->fills, 0) << c.what << ": nothing before the bracket ends";
        view->EndUpdate();
        EXPECT_EQ(counter->fills, c.fills) << c.what;
    }
    CountingDialog* counter = InstallDialog();
    view->NotifyChanged(FALSE);
    view->NotifyChanged(FALSE);
    EXPECT_EQ(counter->fills, 2) << "outside a bracket every report refills";
}

TEST_F(PropertiesTest, ThePropertiesFollowTheSelectionIntoTheDialog)
{
    CountingDialog* counter = InstallDialog();
    view->SelectOnly(view->FindObjectIndex(border));
    ASSERT_NE(counter->single, nullptr);
    EXPECT_GE(Position(*counter->single, kLeft), 0);
    SelectBoth();
    view->NotifyChanged(FALSE);
    ASSERT_NE(counter->lists, nullptr);
    EXPECT_EQ(counter->lists->GetSize(), 2);
    view->ClearSelection(FALSE);
    ASSERT_NE(counter->single, nullptr) << "the page's own properties";
    EXPECT_EQ(counter->lists, nullptr);
}

TEST_F(PropertiesTest, GroupsGetFreshIdsAndUniqueNames)
{
    CHyperOb* third = AddBorder(CRect(100, 300, 150, 350));
    CHyperOb* fourth = AddBorder(CRect(200, 300, 250, 350));
    CObArray first;
    first.Add(border);
    first.Add(ellipse);
    CObArray second;
    second.Add(third);
    second.Add(fourth);
    view->GroupObjects(first, FALSE);
    view->GroupObjects(second, FALSE);
    ASSERT_NE(border->GetOwnGroupInfo(), nullptr) << "the first member holds the record";
    ASSERT_NE(third->GetOwnGroupInfo(), nullptr);
    EXPECT_EQ(ellipse->GroupID, border->GroupID);
    EXPECT_NE(third->GroupID, border->GroupID);
    EXPECT_EQ(border->GetOwnGroupInfo()->Code, CString("Group") + std::to_string(border->GroupID).c_str());
    EXPECT_EQ(third->GetOwnGroupInfo()->Code, CString("Group") + std::to_string(third->GroupID).c_str());
    EXPECT_EQ(border->GetOwnGroupInfo()->m_rect, CRect(100, 100, 380, 180));
}

TEST_F(PropertiesTest, ClickingOneMemberSelectsTheWholeGroupWithItsHolderFirst)
{
    CObArray members;
    members.Add(border);
    members.Add(ellipse);
    view->GroupObjects(members, FALSE);
    Click({340, 140});
    ASSERT_EQ(view->GetSelection().GetSize(), 2);
    EXPECT_EQ(view->GetCurrentObject(), border) << "the holder is primary";
    EXPECT_EQ(view->GetSelection().GetAt(0), border);
    EXPECT_TRUE(ellipse->IsSelected());
    Click({600, 500});
    EXPECT_FALSE(border->IsSelected());
    EXPECT_FALSE(ellipse->IsSelected());
}

TEST_F(PropertiesTest, PastingTheSameGroupTwiceGivesTwoGroups)
{
    CObArray members;
    members.Add(border);
    members.Add(ellipse);
    view->GroupObjects(members, FALSE);
    const int original = border->GroupID;
    std::vector<int> pasted;
    for (int round = 0; round < 2; ++round) {
        view->ClearSelection(FALSE);
        CHyperOb* holder = border->Clone();
        CHyperOb* member = ellipse->Clone();
        for (CHyperOb* copy : {holder, member}) {
            copy->SetView(view);
            ASSERT_TRUE(view->AddObject(copy, FALSE, TRUE));
        }
        ASSERT_NE(holder->GetOwnGroupInfo(), nullptr);
        view->ClearSelection(FALSE);
        SelectPair(holder, member);
        CObArray pastedObjects;
        pastedObjects.Add(holder);
        pastedObjects.Add(member);
        view->RenumberPastedGroups(pastedObjects);
        EXPECT_EQ(holder->GroupID, member->GroupID);
        EXPECT_EQ(holder->GetOwnGroupInfo()->GroupID, holder->GroupID);
        EXPECT_EQ(holder->GetOwnGroupInfo()->Code, CString("Group") + std::to_string(holder->GroupID).c_str());
        pasted.push_back(holder->GroupID);
    }
    EXPECT_NE(pasted[0], original);
    EXPECT_NE(pasted[1], original);
    EXPECT_NE(pasted[0], pasted[1]);
}

TEST_F(PropertiesTest, DrillingIntoTheGroupShowsTheHoldersSharedPropertiesAndTheGroupsOwn)
{
    CObArray members;
    members.Add(border);
    members.Add(ellipse);
    view->GroupObjects(members, FALSE);
    SelectBoth();
    CountingDialog* counter = InstallDialog();
    view->ShowObjectProperties(2);
    ASSERT_NE(counter->single, nullptr);
    // The holder lends those of these it has, in this order.
    std::vector<UINT> lent;
    for (UINT id : {27381u, 27390u, 27474u, 27477u, 27472u, 27473u, 27380u})
        if (std::unique_ptr<CPropOb> property{border->CreateProperty(id, TRUE)})
            lent.push_back(id);
    ASSERT_FALSE(lent.empty());
    CPropObArray own;
    border->GetOwnGroupInfo()->CollectProperties(own, TRUE);
    ASSERT_EQ(counter->single->GetSize(), static_cast<INT_PTR>(lent.size()) + own.GetSize());
    for (size_t i = 0; i < lent.size(); ++i)
        EXPECT_EQ(counter->single->GetProp(static_cast<INT_PTR>(i))->GetNameId(), lent[i]) << i;
    for (INT_PTR i = 0; i < own.GetSize(); ++i)
        EXPECT_EQ(counter->single->GetProp(static_cast<INT_PTR>(lent.size()) + i)->GetNameId(), own.GetProp(i)->GetNameId());

    view->ShowObjectProperties(1);
    ASSERT_NE(counter->single, nullptr);
    CPropObArray ellipseOwn;
    ellipse->CollectProperties(ellipseOwn, TRUE);
    EXPECT_EQ(counter->single->GetSize(), ellipseOwn.GetSize()) << "one member alone";
}

TEST_F(PropertiesTest, DuplicateNamesAreFixedOnlyWhenTheUserSaysYesAndSelectedEitherWay)
{
    for (int answer : {IDNO, IDYES}) {
        border->Code = "Twin";
        ellipse->Code = "Twin";
        CObArray twins;
        twins.Add(border);
        twins.Add(ellipse);
        UiTestHook::QueueMessageBoxAnswer(answer);
        view->ReportNameConflicts("\nTwin", twins);
        EXPECT_NE(UiTestHook::LastMessageBoxText().find("\nTwin"), std::string::npos);
        EXPECT_EQ(border->GetCode() != ellipse->GetCode(), answer == IDYES) << answer;
        EXPECT_EQ(view->GetCurrentObject(), border);
        EXPECT_EQ(view->GetSelection().GetSize(), 2);
        EXPECT_TRUE(ellipse->IsSelected());
    }
}

TEST_F(PropertiesTest, TheDefaultsOfNewObjectsAreOfferedByTheObjectDefaultsSwitch)
{
    const UINT ids[] = {27158, 27154, 27155, 27041, 27050, 27160, 27168, 27174, 27185};
    for (BOOL defaults : {FALSE, TRUE}) {
        view->m_useObjectDefaults = defaults;
        for (UINT id : ids) {
            std::unique_ptr<CPropOb> property(view->CreateFormatProperty(id));
            const bool always = id == 27158 || id == 27154;
            EXPECT_EQ(property != nullptr, defaults || always) << id << " defaults " << defaults;
        }
    }
    EXPECT_EQ(view->CreateFormatProperty(27142), nullptr);
    // The background edits the page's colour while the switch is off, the default while on.
    view->m_useObjectDefaults = FALSE;
    std::unique_ptr<CPropOb> page(view->CreateFormatProperty(27154));
    static_cast<CPropColor*>(page.get())->m_edited = RGB(1, 2, 3);
    page->Apply();
    EXPECT_EQ(view->GetPageObject()->Color, RGB(1, 2, 3));
    view->m_useObjectDefaults = TRUE;
    std::unique_ptr<CPropOb> width(view->CreateFormatProperty(27174));
    static_cast<CPropInt*>(width.get())->m_edited = 40;
    width->Apply();
    EXPECT_EQ(view->m_defaultPenWidth, 10) << "a default pen is 1 to 10 wide";
}

TEST_F(PropertiesTest, ZoomToTheClientRectangleStaysAtOneHundred)
{
    CRect client;
    view->GetClientRect(&client);
    view->ZoomToRect(client, nullptr);
    EXPECT_EQ(view->GetZoom(), 100);
    const double twice = 2.0;
    view->ZoomToRect(CRect(0, 0, 100, 100), &twice);
    EXPECT_EQ(view->GetZoom(), 200) << "floor(2 x 100 + 3) = 203, down to a multiple of 5";
}

TEST_F(PropertiesTest, TheFirstZoomOfAnUnmappedPageIsAnUndoStep)
{
    view->GetPageObject()->ScrollBars = 0;
    const int before = view->GetUndoCount();
    view->SetZoom(150, nullptr);
    EXPECT_EQ(view->GetUndoCount(), before + 1);
    EXPECT_NE(view->GetPageObject()->ScrollBars, 0);
    EXPECT_EQ(view->GetZoom(), 150);
}

} // namespace
