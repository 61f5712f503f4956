// Document files written by hand in the stored layout: Rectangle-tool boxes, one editing view
// per page record, damaged further records, the frame's size and new documents' titles.
#include "ViewTestKit.h"

#include "objects/GenFrameOb.h"
#include "objects/HyperViewOb.h"
#include "objects/kinds/BorderGen.h"
#include "View/tests/DocumentBytes.h"
#include "platform/ui/TestHook.h"

#include <algorithm>
#include <cstdio>

namespace {

std::vector<CTestPageView*> ViewsOf(CDocument* document)
{
    std::vector<CTestPageView*> views;
    for (POSITION pos = document->GetFirstViewPosition(); pos;)
        views.push_back(static_cast<CTestPageView*>(document->GetNextView(pos)));
    return views;
}

size_t CountOf(const Bytes& file, const Bytes& part)
{
    size_t count = 0;
    for (auto at = file.begin(); (at = std::search(at, file.end(), part.begin(), part.end())) != file.end(); ++at)
        ++count;
    return count;
}

class DocumentPagesTest : public ViewAppTest {
protected:
    CMyDoc* Open(const std::string& path)
    {
        return static_cast<CMyDoc*>(m_app->OpenDocumentFile(path.c_str()));
    }
    std::string Write(const char* name, const Bytes& bytes)
    {
        const std::string path = PathOf(name);
        WriteFileBytes(path, bytes);
        return path;
    }
};

void ExpectBox(CTestPageView* view, const char* code)
{
    ASSERT_EQ(view->GetObjectCount(), 1) << code;
    auto* box = dynamic_cast<CBorderGen*>(view->GetObjectAtIndex(0));
    ASSERT_NE(box, nullptr) << code;
    EXPECT_EQ(box->Code, CString(code));
    EXPECT_EQ(box->BackColor, RGB(0, 255, 0)) << code;
    EXPECT_EQ(box->GetTagText(), CString("note")) << code;
    EXPECT_EQ(box->GetSnapPoints(FALSE)->GetCount(), 4) << code;
}

TEST_F(DocumentPagesTest, AHandWrittenBoxOpensWithItsFillAndTheRecordsAfterIt)
{
    CMyDoc* opened = Open(Write("box.trn", Concat({FrameRecord(), FirstPage()})));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
    ExpectBox(ViewOf(opened), "A");
    EXPECT_EQ(ViewOf(opened)->GetPageObject()->GetColor(), RGB(255, 255, 255));
    EXPECT_FALSE(opened->GetPathName().IsEmpty());
}

TEST_F(DocumentPagesTest, EveryPageRecordGetsAViewAndIsSavedBackInOrder)
{
    CMyDoc* opened = Open(Write("two.trn", Concat({FrameRecord(), FirstPage(), SecondPage()})));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
    std::vector<CTestPageView*> views = ViewsOf(opened);
    ASSERT_EQ(views.size(), 2u);
    EXPECT_NE(views[0]->GetParentFrame(), views[1]->GetParentFrame()) << "a child frame of its own";
    ExpectBox(views[0], "A");
    ExpectBox(views[1], "B");

    ASSERT_TRUE(opened->DoSave(PathOf("saved.trn").c_str()));
    const Bytes saved = ReadFileBytes(PathOf("saved.trn"));
    const Bytes a = BorderGenRecord("A");
    const Bytes b = BorderGenRecord("B", 200);
    EXPECT_EQ(CountOf(saved, a), 1u);
    EXPECT_EQ(CountOf(saved, b), 1u);
    EXPECT_LT(std::search(saved.begin(), saved.end(), a.begin(), a.end()),
              std::search(saved.begin(), saved.end(), b.begin(), b.end()));
    const Bytes pageHead = Concat({Dword(0xBACDCD01), ShortString(""), Dword(6), Word(0), Dword(0x000A000A)});
    EXPECT_EQ(CountOf(saved, pageHead), 2u) << "two page records";

    opened->OnCloseDocument();
    CMyDoc* again = Open(PathOf("saved.trn"));
    ASSERT_NE(again, nullptr);
    ASSERT_EQ(ViewsOf(again).size(), 2u);
    ExpectBox(ViewsOf(again)[1], "B");
}

TEST_F(DocumentPagesTest, DamagedFurtherRecordsOpenWhatWasReadAndLeaveTheFileAlone)
{
    const Bytes second = SecondPage();
    Bytes tooMany = second;
    tooMany[4 + 1 + 4 + 2 + 4 + 16 + 64] = 5; // the object count: five, where one follows
    const Bytes firstWithGarbage = PageRecord(1, Concat({Dword(0), NewClass("CBorderGen"), BorderGenRecord("A"),
                                                         Bytes(24, 0xEE)}));
    struct Case {
        const char* name;
        Bytes bytes;
        size_t views;
    };
    const Case cases[] = {
        {"truncated second page", Concat({FrameRecord(), FirstPage(), Bytes(second.begin(), second.end() - 9)}), 2},
        {"count beyond the file", Concat({FrameRecord(), FirstPage(), tooMany}), 2},
        {"garbage after a box", Concat({FrameRecord(), firstWithGarbage}), 1},
        {"stray bytes after the pages", Concat({FrameRecord(), FirstPage(), Bytes(3, 0x01)}), 1},
    };
    for (const Case& c : cases) {
        const std::string path = Write("damaged.trn", c.bytes);
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        const int shown = UiTestHook::MessageBoxCount();
        CMyDoc* opened = Open(path);
        ASSERT_NE(opened, nullptr) << c.name;
        EXPECT_EQ(UiTestHook::MessageBoxCount(), shown + 1) << c.name;
        std::vector<CTestPageView*> views = ViewsOf(opened);
        ASSERT_EQ(views.size(), c.views) << c.name;
        ExpectBox(views[0], "A");
        EXPECT_TRUE(opened->GetPathName().IsEmpty()) << c.name;
        opened->SetModifiedFlag();
        UiTestHook::QueueFileDialogAnswer(PathOf("rescued.trn"));
        CDocument* asDocument = opened;
        asDocument->OnCmdMsg(ID_FILE_SAVE, CN_COMMAND, nullptr, nullptr);
        EXPECT_EQ(ReadFileBytes(path), c.bytes) << c.name;
        EXPECT_EQ(opened->GetPathName(), PathOf("rescued.trn").c_str()) << c.name;
        opened->OnCloseDocument();
    }
}

TEST_F(DocumentPagesTest, OpeningAndSavingKeepsTheFramesSize)
{
    std::string path = Write("size.trn", Concat({FrameRecord(), FirstPage()}));
    for (int round = 0; round < 5; ++round) {
        CMyDoc* opened = Open(path);
        ASSERT_NE(opened, nullptr) << round;
        EXPECT_EQ(FrameOf(opened)->GetFrameObject()->GetWidth(), 100) << round;
        EXPECT_EQ(FrameOf(opened)->GetFrameObject()->GetHeight(), 100) << round;
        path = PathOf(("size" + std::to_string(round) + ".trn").c_str());
        ASSERT_TRUE(opened->DoSave(path.c_str()));
        opened->OnCloseDocument();
        EXPECT_EQ(StoredFrameSize(ReadFileBytes(path)), std::make_pair(100, 100)) << round;
    }
}

TEST_F(DocumentPagesTest, AResizeByTheUserStoresTheNewClientSize)
{
    CMyDoc* opened = Open(Write("size.trn", Concat({FrameRecord(), FirstPage()})));
    ASSERT_NE(opened, nullptr);
    CMyFrame* frame = FrameOf(opened);
    frame->ShowWindow(SW_RESTORE);
    frame->SetWindowPos(nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    CRect client;
    frame->GetClientRect(&client);
    EXPECT_EQ(FrameOf(opened)->GetFrameObject()->GetWidth(), client.Width());
    EXPECT_EQ(FrameOf(opened)->GetFrameObject()->GetHeight(), client.Height());
    ASSERT_TRUE(opened->DoSave(PathOf("resized.trn").c_str()));
    EXPECT_EQ(StoredFrameSize(ReadFileBytes(PathOf("resized.trn"))), std::make_pair(client.Width(), client.Height()));
}

TEST_F(DocumentPagesTest, NewDocumentsAreNumberedAndOpenedOnesAreNot)
{
    CMyDoc* first = NewDocument();
    ASSERT_NE(first, nullptr);
    int n = 0;
    ASSERT_EQ(std::sscanf(first->GetTitle(), "Document %d", &n), 1) << first->GetTitle().GetString();
    EXPECT_EQ(FrameOf(first)->GetFrameObject()->Title, first->GetTitle());
    ASSERT_NE(Open(Write("box.trn", Concat({FrameRecord(), FirstPage()}))), nullptr);
    CMyDoc* second = NewDocument();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetTitle(), CString("Document ") + std::to_string(n + 1).c_str());
    EXPECT_EQ(FrameOf(second)->GetFrameObject()->Title, second->GetTitle());
}

} // namespace
