#include "objects/GroupInfo.h"
#include "objects/HyperFrameOb.h"
#include "objects/HyperTracker.h"
#include "objects/HyperViewOb.h"
#include "objects/UndoRecord.h"
#include "objects/tests/ArchiveBytes.h"
#include "objects/tests/PageTestKit.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr UINT MoveStep = 26675;
constexpr UINT PropertiesStep = 26678;

// An editing view's page as an undo record sees it.
class UndoPage : public CUndoSource {
public:
    UndoPage()
    {
        page = new CHyperViewOb;
        frame = new CHyperFrameOb;
        page->SetView(view);
        for (int i = 0; i < 3; ++i) {
            auto* box = new CTestBoxOb;
            CRect rect(i * 20, 0, i * 20 + 10, 10);
            box->Init(view, &rect, FALSE);
            box->Code.Format("Box%d", i);
            objects.Add(box);
        }
    }
    ~UndoPage() override
    {
        selection.RemoveAll();
        delete page;
        delete frame;
    }

    CHyperViewOb* GetUndoPageObject() const override { return page; }
    CHyperFrameOb* GetUndoFrameObject() const override { return frame; }
    BOOL IsRecordingUndo() const override { return recording; }
    const CHyperObArray& GetUndoObjects() const override { return objects; }
    const CHyperObArray& GetUndoSelection() const override { return selection; }
    int GetUndoCurrentIndex() const override { return currentIndex; }
    void ReleasePageObjects() override { releasedPages.push_back(page); }
    void RefreshAfterRestore() override { ++refreshes; }

    CHyperOb* At(int i) const { return static_cast<CHyperOb*>(objects.GetAt(i)); }
    void SelectAt(int i)
    {
        At(i)->Select(selection.IsEmpty());
        selection.Add(At(i));
    }
    std::unique_ptr<CUndoRecord> Snapshot(UINT command = MoveStep)
    {
        return std::make_unique<CUndoRecord>(this, command);
    }
    void Restore(const CUndoRecord& record) { record.Restore(&page, &frame, objects, selection, &currentIndex); }
    // Every object's record, in stacking order.
    std::vector<Bytes> Records() const
    {
        std::vector<Bytes> records;
        for (int i = 0; i < objects.GetSize(); ++i)
            records.push_back(Stored(*At(i)));
        return records;
    }
    std::vector<int> SelectedPositions() const
    {
        std::vector<int> positions;
        for (int s = 0; s < selection.GetSize(); ++s)
            for (int i = 0; i < objects.GetSize(); ++i)
                if (objects.GetAt(i) == selection.GetAt(s))
                    positions.push_back(i);
        return positions;
    }

    CTestPageView view;
    CHyperViewOb* page;
    CHyperFrameOb* frame;
    CHyperObArray objects;
    CHyperObArray selection { FALSE };
    int currentIndex = -1;
    BOOL recording = TRUE;
    std::vector<const CHyperViewOb*> releasedPages;
    int refreshes = 0;
};

TEST(UndoRecord, RestoresAChangedPageExactlyAndCanBeRestoredAgain)
{
    UndoPage page;
    page.At(1)->GroupID = 7;
    page.At(1)->SetOwnGroupInfo(new CGroupInfo);
    page.At(1)->GetOwnGroupInfo()->Code = "Pair";
    page.At(2)->GroupID = 7;
    page.SelectAt(2);
    page.SelectAt(0);
    page.currentIndex = 2;
    page.page->ScrollBars = 0;
    page.frame->Title = "Before";
    const std::vector<Bytes> before = page.Records();
    auto record = page.Snapshot();

    // Move, reorder, ungroup, delete, and change the page and the frame.
    page.At(0)->SetRect(CRect(50, 50, 60, 60));
    delete page.At(0);
    page.objects.RemoveAt(0);
    page.selection.RemoveAll();
    page.At(0)->GroupID = -1;
    page.At(0)->SetOwnGroupInfo(nullptr);
    page.page->ScrollBars = 3;
    page.frame->Title = "After";
    page.currentIndex = 0;

    for (int round = 0; round < 2; ++round) {
        page.Restore(*record);
        EXPECT_EQ(page.Records(), before);
        EXPECT_EQ(page.SelectedPositions(), (std::vector<int> { 2, 0 }));
        EXPECT_EQ(page.currentIndex, 2);
        EXPECT_EQ(page.page->ScrollBars, 0);
        EXPECT_EQ(page.frame->Title, CString("Before"));
        ASSERT_NE(page.At(1)->GetOwnGroupInfo(), nullptr);
        EXPECT_EQ(page.At(1)->GetOwnGroupInfo()->Code, CString("Pair"));
        EXPECT_EQ(page.refreshes, round + 1);
    }
}

TEST(UndoRecord, TheLivePageIsReleasedBeforeItIsReplaced)
{
    UndoPage page;
    auto record = page.Snapshot();
    const CHyperViewOb* live = page.page;
    page.Restore(*record);
    EXPECT_EQ(page.releasedPages, (std::vector<const CHyperViewOb*> { live }));
    EXPECT_NE(page.page, record->GetPageCopy());
}

TEST(UndoRecord, ARecordTakenWhileUndoIsOffRestoresOnlyThePageAndFrame)
{
    UndoPage page;
    page.recording = FALSE;
    page.currentIndex = 1;
    page.frame->Title = "Kept";
    auto record = page.Snapshot();
    EXPECT_FALSE(record->HasSnapshot());
    EXPECT_EQ(record->GetCurrentIndex(), -1);
    EXPECT_EQ(record->GetObjectCopies().GetSize(), 0);
    ASSERT_NE(record->GetFrameCopy(), nullptr);

    page.frame->Title = "Changed";
    const std::vector<Bytes> objects = page.Records();
    page.Restore(*record);
    EXPECT_EQ(page.frame->Title, CString("Kept"));
    EXPECT_EQ(page.Records(), objects);
    EXPECT_EQ(page.currentIndex, 1);
}

TEST(UndoRecord, SameStepWhenIndexAndSelectionCountAgree)
{
    struct Case {
        const char* name;
        int index;
        int selected;
        UINT command;
        BOOL same;
    };
    const Case cases[] = {
        { "another command", 1, 1, PropertiesStep, TRUE },
        { "another current index", 0, 1, MoveStep, FALSE },
        { "another selection count", 1, 2, MoveStep, FALSE },
    };
    UndoPage first;
    first.SelectAt(1);
    first.currentIndex = 1;
    auto reference = first.Snapshot(MoveStep);
    for (const Case& c : cases) {
        UndoPage other;
        for (int i = 0; i < c.selected; ++i)
            other.SelectAt(i);
        other.currentIndex = c.index;
        EXPECT_EQ(reference->IsSameAs(*other.Snapshot(c.command)), c.same) << c.name;
    }
}

TEST(UndoRecord, AnEmptySelectionRestoresEmptyWithTheSavedIndex)
{
    UndoPage page;
    page.currentIndex = 2;
    auto record = page.Snapshot();
    page.SelectAt(0);
    page.currentIndex = 0;
    page.Restore(*record);
    EXPECT_TRUE(page.selection.IsEmpty());
    EXPECT_EQ(page.currentIndex, 2);
}

TEST(UndoRecord, ObjectsShownSelectedButNotInTheSelectionAreDeselected)
{
    UndoPage page;
    page.SelectAt(0);
    page.At(2)->Select(FALSE);
    auto record = page.Snapshot();
    EXPECT_FALSE(page.At(2)->IsSelected());
    EXPECT_TRUE(page.At(0)->IsSelected());
    EXPECT_EQ(record->GetSelection().GetSize(), 1);
}

TEST(UndoRecord, SelectionEntriesWithoutACopyAreSkipped)
{
    UndoPage page;
    // Selected in the view's list but not shown as selected: the snapshot finds no copy.
    page.selection.Add(page.At(1));
    page.SelectAt(2);
    auto record = page.Snapshot();
    page.Restore(*record);
    EXPECT_EQ(page.SelectedPositions(), (std::vector<int> { 2 }));
}

}
