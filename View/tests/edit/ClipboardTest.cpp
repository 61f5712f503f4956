// Cut, copy and paste between documents and programs, the clip list of copies made outside
// edit mode, refused clipboard data, and drops of tool entries and of objects between views.
#include "EditCommandFixture.h"

#include "objects/GroupInfo.h"
#include "platform/core/Archive.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/MemFile.h"
#include "platform/ole/Clipboard.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ole/OleTestHook.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/TestHook.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <cstring>
#include <set>

namespace {

using Bytes = std::vector<BYTE>;

HGLOBAL Block(const Bytes& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!bytes.empty())
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

// An object's own record, as the document file holds it.
Bytes RecordOf(const CHyperOb* object)
{
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        archive.WriteObject(object);
    }
    const auto length = static_cast<size_t>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + length);
    std::free(data);
    return bytes;
}

class ClipboardTest : public EditCommandTest {
protected:
    void SetUp() override
    {
        EditCommandTest::SetUp();
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        CloseClipboard();
    }

    void TearDown() override
    {
        OleTestHook::Reset();
        UiTestHook::Reset();
        EditCommandTest::TearDown();
    }

    void PutOnClipboard(UINT format, const Bytes& bytes)
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(format, Block(bytes));
        CloseClipboard();
    }

    CPoint ScreenPoint(CWnd* wnd, POINT client)
    {
        CPoint point = client;
        wnd->ClientToScreen(&point);
        return point;
    }
};

TEST_F(ClipboardTest, CopyInOneDocumentAndPasteInAnotherKeepsEveryField)
{
    CHyperOb* original = Add("A", CRect(100, 100, 150, 140));
    original->BackColor = RGB(10, 20, 30);
    original->SetToolTipText("tip");
    Select({"A"});
    ASSERT_TRUE(Run(CHyperView::CmdCopy));
    EXPECT_TRUE(IsClipboardFormatAvailable(CHyperView::GetPrivateFormat()));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE));

    CMyView* other = OpenSecondView();
    other->SendMessage(WM_COMMAND, CHyperView::CmdPaste);
    ASSERT_EQ(other->GetObjects().GetSize(), 1);
    CHyperOb* pasted = other->GetObjectAtIndex(0);
    CRect place;
    pasted->GetRect(&place, nullptr);
    EXPECT_EQ(place, CRect(110, 110, 160, 150)) << "one grid step right and down";
    pasted->SetRect(CRect(100, 100, 150, 140));
    EXPECT_EQ(RecordOf(pasted), RecordOf(original));
    EXPECT_EQ(pasted->GetView(), other);
    EXPECT_EQ(other->GetCurrentObject(), pasted);
    EXPECT_EQ(other->GetUndoCount(), 1);
}

TEST_F(ClipboardTest, PastingTwiceGivesUniqueNamesAndNewGroups)
{
    Add("A", CRect(100, 100, 150, 140));
    Add("B", CRect(200, 100, 250, 140));
    Select({"A", "B"});
    ASSERT_TRUE(Run(60565));
    const int id = Named("A")->GroupID;
    ASSERT_TRUE(Run(CHyperView::CmdCopy));
    ASSERT_TRUE(Run(CHyperView::CmdPaste));
    ASSERT_TRUE(Run(CHyperView::CmdPaste));
    ASSERT_EQ(ObjectCount(), 6);
    std::set<CString> names;
    std::set<int> groups;
    for (int i = 0; i < ObjectCount(); ++i) {
        names.insert(NameOf(i));
        groups.insert(Object(i)->GroupID);
    }
    EXPECT_EQ(names.size(), 6u);
    EXPECT_EQ(groups.size(), 3u) << "each paste makes a group of its own";
    EXPECT_TRUE(groups.count(id));
    CGroupInfo* pastedGroup = Object(0)->GetOwnGroupInfo() ? Object(0)->GetOwnGroupInfo() : Object(1)->GetOwnGroupInfo();
    ASSERT_NE(pastedGroup, nullptr);
    EXPECT_NE(pastedGroup->GroupID, id);
    EXPECT_EQ(pastedGroup->Code, CString("Group") + CString(std::to_string(pastedGroup->GroupID).c_str()));
    EXPECT_EQ(view->GetSelection().GetSize(), 2) << "the pasted objects are selected";
}

TEST_F(ClipboardTest, AnotherProgramPastesThePicture)
{
    Add("A", CRect(100, 100, 150, 140))->BackColor = RGB(255, 0, 0);
    Select({"A"});
    ASSERT_TRUE(Run(CHyperView::CmdCopy));
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    ASSERT_TRUE(mime->hasImage());
    const QImage image = qvariant_cast<QImage>(mime->imageData());
    EXPECT_GE(image.width(), 50);
    EXPECT_GE(image.height(), 40);
}

TEST_F(ClipboardTest, CutTakesTheObjectsAwayAndPasteBringsThemBack)
{
    Add("A", CRect(100, 100, 150, 140));
    Select({"A"});
    ASSERT_TRUE(Run(CHyperView::CmdCut));
    EXPECT_EQ(ObjectCount(), 0);
    ASSERT_TRUE(Run(CHyperView::CmdPaste));
    ASSERT_EQ(ObjectCount(), 1);
    EXPECT_EQ(RectOf(0), CRect(110, 110, 160, 150)) << "inside the page it lands one grid step right and down";
}

TEST_F(ClipboardTest, OutsideEditModeCopyFillsTheClipList)
{
    Add("A", CRect(100, 100, 150, 140));
    Select({"A"});
    view->SetEditMode(FALSE);
    view->CopySelection();
    EXPECT_FALSE(IsClipboardFormatAvailable(CHyperView::GetPrivateFormat()));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
    view->SetEditMode(TRUE);
    EXPECT_TRUE(Enabled(CHyperView::CmdPaste));
    ASSERT_TRUE(Run(CHyperView::CmdPaste));
    ASSERT_TRUE(Run(CHyperView::CmdPaste));
    EXPECT_EQ(ObjectCount(), 3) << "the clip list pastes as often as asked";

    // A copy in edit mode goes to the system clipboard; the clip list keeps A.
    Add("B", CRect(300, 300, 320, 320));
    Select({"B"});
    ASSERT_TRUE(Run(CHyperView::CmdCopy));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    ASSERT_TRUE(Run(CHyperView::CmdPaste));
    EXPECT_EQ(RectOf(0), CRect(110, 110, 160, 150));

    view->ClearSelection(FALSE);
    view->SetEditMode(FALSE);
    view->CopySelection();
    view->SetEditMode(TRUE);
    EXPECT_FALSE(Enabled(CHyperView::CmdPaste)) << "a copy of nothing empties the clip list";
}

TEST_F(ClipboardTest, DamagedOrForeignDataIsRefusedAndThePageStaysAsItWas)
{
    Add("A", CRect(100, 100, 150, 140));
    Select({"A"});
    ASSERT_TRUE(Run(CHyperView::CmdCopy));
    HANDLE good = nullptr;
    ASSERT_TRUE(OpenClipboard(nullptr));
    good = GetClipboardData(CHyperView::GetPrivateFormat());
    ASSERT_NE(good, nullptr);
    Bytes valid(static_cast<BYTE*>(GlobalLock(good)), static_cast<BYTE*>(GlobalLock(good)) + GlobalSize(good));
    GlobalUnlock(good);
    GlobalUnlock(good);
    CloseClipboard();

    struct Case {
        const char* name;
        Bytes bytes;
    };
    Bytes truncated(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(valid.size() / 2));
    Bytes moreThanThere = valid;
    moreThanThere[0] = 5;
    // A count of one and the record of a class that is no page object.
    const Bytes foreign = {1, 0, 0xFF, 0xFF, 1, 0, 8, 0, 'C', 'O', 'b', 'L', 'i', 's', 't', 'X'};
    const Case cases[] = {
        {"empty", {}}, {"truncated", truncated}, {"count beyond the records", moreThanThere}, {"foreign class", foreign}};
    const Bytes page = PageBytes();
    for (const Case& c : cases) {
        PutOnClipboard(CHyperView::GetPrivateFormat(), c.bytes);
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        const int boxes = UiTestHook::MessageBoxCount();
        view->SendMessage(WM_COMMAND, CHyperView::CmdPaste);
        EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes + 1) << c.name;
        EXPECT_EQ(PageBytes(), page) << c.name;
        EXPECT_EQ(view->GetUndoCount(), 0) << c.name;
        UiTestHook::Reset();
    }
}

// Any other dropped text becomes a text object holding it.
TEST_F(ClipboardTest, DraggedToolEntriesInsertTheirObjectAtTheDropPoint)
{
    struct Case {
        const char* text;
        const char* className;
    };
    const Case cases[] = {{"!60451", "CRectGen"}, {"!", "CTextGen"}, {"60451", "CTextGen"}, {"!x", "CTextGen"}};
    for (const Case& c : cases) {
        view->GetObjects().DeleteAll();
        view->SetCurrentIndex(-1);
        auto* source = new COleDataSource;
        source->CacheGlobalData(CF_TEXT, Block(Bytes(c.text, c.text + std::strlen(c.text) + 1)));
        const CPoint at = ScreenPoint(view, {200, 150});
        EXPECT_EQ(OleTestHook::DragEnter(source, at, 0), static_cast<int>(DROPEFFECT_MOVE)) << c.text;
        EXPECT_EQ(OleTestHook::DragOver(at, MK_CONTROL), static_cast<int>(DROPEFFECT_COPY)) << c.text;
        OleTestHook::Drop(at, 0);
        source->InternalRelease();
        Pump();
        ASSERT_EQ(ObjectCount(), 1) << c.text;
        EXPECT_STREQ(Object(0)->GetRuntimeClass()->m_lpszClassName, c.className) << c.text;
        // Placed on the point, on the grid.
        EXPECT_NEAR(RectOf(0).CenterPoint().x, 200, 10) << c.text;
        EXPECT_NEAR(RectOf(0).CenterPoint().y, 150, 10) << c.text;
    }
}

TEST_F(ClipboardTest, DraggingObjectsToAnotherViewMovesOrCopiesThemByTheKeys)
{
    struct Case {
        DWORD keys;
        int left;
    };
    const Case cases[] = {{0, 0}, {MK_CONTROL, 1}};
    for (const Case& c : cases) {
        view->GetObjects().DeleteAll();
        view->SetCurrentIndex(-1);
        Add("A", CRect(100, 100, 150, 140));
        Select({"A"});
        CMyView* other = OpenSecondView();
        OleTestHook::QueueDrop(ScreenPoint(other, {300, 200}), c.keys);
        view->DragSelection();
        Pump();
        EXPECT_EQ(ObjectCount(), c.left) << c.keys;
        ASSERT_EQ(other->GetObjects().GetSize(), 1) << c.keys;
        CRect rect;
        other->GetObjectAtIndex(0)->GetRect(&rect, nullptr);
        EXPECT_EQ(rect.Size(), CSize(50, 40));
        EXPECT_NEAR(rect.CenterPoint().x, 300, 10) << "centred on the drop point, on the grid";
        EXPECT_NEAR(rect.CenterPoint().y, 200, 10);
        other->GetDocument()->OnCloseDocument();
        Pump();
    }
}

} // namespace
