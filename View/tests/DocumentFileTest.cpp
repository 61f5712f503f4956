// The document file from its first byte to its last, saving safely, titles, the recent-file
// list, temporary copies, run mode, and files that cannot be read.
#include "ViewTestKit.h"

#include "View/DocumentRules.h"
#include "View/Thumbnail.h"
#include "imaging/Dib.h"
#include "objects/HyperFrameOb.h"
#include "objects/HyperViewOb.h"
#include "objects/ViewSettings.h"
#include "platform/core/File.h"
#include "platform/core/MemFile.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/TestHook.h"

#include <cerrno>
#include <fstream>
#include <memory>

namespace {

Bytes NewClass(const char* className, uint16_t schema)
{
    Bytes tag = Concat({Word(0xFFFF), Word(schema), Word(static_cast<uint16_t>(std::strlen(className)))});
    for (const char* c = className; *c; ++c)
        tag.push_back(static_cast<uint8_t>(*c));
    return tag;
}

// What an update handler did to its item.
class UpdateRecorder : public CCmdUI {
public:
    void Enable(BOOL on) override { enabled = on; }
    void SetCheck(int check) override { checked = check; }
    int enabled = -1;
    int checked = -1;
};

UpdateRecorder Update(CCmdTarget* target, UINT id)
{
    UpdateRecorder ui;
    ui.m_nID = id;
    target->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, nullptr);
    return ui;
}

class DocumentFileTest : public ViewAppTest {
protected:
    void SetUp() override
    {
        ViewAppTest::SetUp();
        document = NewDocument();
        ASSERT_NE(document, nullptr);
        view = ViewOf(document);
        frame = FrameOf(document);
        frame->GetFrameObject()->Title = "Week";
        bottom = AddSwatch(*view, {10, 20, 110, 70}, RGB(255, 0, 0), "Bottom");
        top = AddSwatch(*view, {40, 30, 90, 120}, RGB(0, 0, 255), "Top");
        document->SetModifiedFlag();
    }
    void TearDown() override
    {
        AfxSetFileWriteFault(nullptr);
        GetViewSettings().m_thumbnailSwitch = 0;
        ViewAppTest::TearDown();
    }

    std::string SaveAs(const char* name)
    {
        const std::string path = PathOf(name);
        EXPECT_TRUE(document->DoSave(path.c_str()));
        return path;
    }

    CMyDoc* document = nullptr;
    CTestPageView* view = nullptr;
    CMyFrame* frame = nullptr;
    CSwatchOb* bottom = nullptr;
    CSwatchOb* top = nullptr;
};

TEST_F(DocumentFileTest, TheFileIsTheFrameRecordThenThePageRecord)
{
    const Bytes expected = Concat({
        ShortString("Week"),                              // frame title
        NewClass("CGenFrameOb", 0), Stored(*frame->GetFrameObject()), // the program frame's kind
        Dword(0xBACDCD01), ShortString(""),               // page record, version 1
        Dword(6), Word(0), Dword(0x000A000A),             // grid and snap, grid step 10 x 10
        Dword(10), Dword(10), Dword(10), Dword(10),       // margins
        Bytes(16 * 4, 0),                                 // custom colours
        Word(2),                                          // two objects
        Dword(0), NewClass("CSwatchOb", 1), Stored(*top), // the top of the stacking order first
        Dword(0), Word(0x8003), Stored(*bottom),          // class index 3: the frame object's class is 1
        Dword(0), NewClass("CHyperViewOb", 0), Stored(*view->GetPageObject()),
    });
    EXPECT_EQ(ReadFileBytes(SaveAs("week.trn")), expected);
}

TEST_F(DocumentFileTest, ASavedDocumentOpensWithItsPage)
{
    view->GetPageObject()->SetScrollWidth(777);
    const std::string path = SaveAs("week.trn");
    document->OnCloseDocument();
    auto* reopened = static_cast<CMyDoc*>(m_app->OpenDocumentFile(path.c_str()));
    ASSERT_NE(reopened, nullptr);
    CTestPageView* loaded = ViewOf(reopened);
    ASSERT_EQ(loaded->GetObjectCount(), 2);
    EXPECT_EQ(loaded->GetObjectAtIndex(0)->Code, "Top");
    EXPECT_EQ(loaded->GetObjectAtIndex(1)->Code, "Bottom");
    EXPECT_EQ(loaded->GetPageObject()->GetScrollWidth(), 777);
    EXPECT_EQ(FrameOf(reopened)->GetFrameObject()->Title, "Week");
    EXPECT_EQ(reopened->GetTitle(), "Week");
    EXPECT_EQ(reopened->GetPathName(), path.c_str());
    EXPECT_FALSE(reopened->IsModified());
    // The page record comes back byte for byte.
    ASSERT_TRUE(reopened->DoSave(PathOf("again.trn").c_str()));
    const Bytes pageTag = Dword(0xBACDCD01);
    auto pageRecord = [&](const Bytes& file) {
        return Bytes(std::search(file.begin(), file.end(), pageTag.begin(), pageTag.end()), file.end());
    };
    EXPECT_EQ(pageRecord(ReadFileBytes(PathOf("again.trn"))), pageRecord(ReadFileBytes(path)));
}

// The records are read from the file as they are parsed: no copy of the whole file is held
// beside the objects it makes.
TEST_F(DocumentFileTest, AStoredDocumentIsReadStraightFromItsFile)
{
    const std::string path = SaveAs("week.trn");
    const Bytes stored = ReadFileBytes(path);
    CFileException error;
    std::unique_ptr<CFile> reading(document->GetFile(path.c_str(), CFile::modeRead, &error));
    ASSERT_NE(reading, nullptr);
    EXPECT_EQ(dynamic_cast<CMemFile*>(reading.get()), nullptr);
    Bytes read(stored.size() + 1);
    ASSERT_EQ(reading->Read(read.data(), static_cast<UINT>(read.size())), stored.size());
    read.pop_back();
    EXPECT_EQ(read, stored);
}

TEST_F(DocumentFileTest, AOneViewDocumentEndsWithItsThumbnailWhenAsked)
{
    const Bytes plain = ReadFileBytes(SaveAs("plain.trn"));
    GetViewSettings().m_thumbnailSwitch = 1;
    const Bytes withThumbnail = ReadFileBytes(SaveAs("thumb.trn"));
    ASSERT_GT(withThumbnail.size(), plain.size() + 8);
    EXPECT_EQ(Bytes(withThumbnail.begin(), withThumbnail.begin() + static_cast<long>(plain.size())), plain);
    const Bytes trailer(withThumbnail.begin() + static_cast<long>(plain.size()), withThumbnail.end());
    const size_t length = trailer.size() - 8;
    EXPECT_EQ(Bytes(trailer.end() - 8, trailer.end()), Concat({Dword(static_cast<uint32_t>(length)), Dword(0xA2DF9B33)}));
    const Bytes dibRecord(trailer.begin(), trailer.begin() + static_cast<long>(length));
    EXPECT_EQ(Bytes(dibRecord.begin(), dibRecord.begin() + 6), Concat({Word(0x4142), Dword(static_cast<uint32_t>(length - 6))}));
    CDib picture;
    LoadBytes(dibRecord, [&](CArchive& ar) { picture.Serialize(ar); });
    EXPECT_EQ(picture.GetBitCount(), 4u);
    EXPECT_EQ(picture.GetDimensions(), CSize(650, 800));
    // Packed as run lengths (the header's compression field), far below the 260,000 bytes of
    // plain rows, and read back by the picture decoder as the page was drawn.
    EXPECT_EQ(Bytes(dibRecord.begin() + 6 + 14 + 16, dibRecord.begin() + 6 + 14 + 20), Dword(BI_RLE4));
    EXPECT_TRUE(picture.UsesCompression());
    EXPECT_LT(length, 650u * 800u / 2u / 10u);
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CDC drawn;
    drawn.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 650, 800));
    CBitmap* old = drawn.SelectObject(&bitmap);
    ASSERT_TRUE(picture.Draw(&drawn, 0, 0));
    EXPECT_EQ(drawn.GetPixel(15, 25), RGB(255, 0, 0)) << "the bottom swatch";
    EXPECT_EQ(drawn.GetPixel(60, 60), RGB(0, 0, 255)) << "the top swatch over it";
    EXPECT_EQ(drawn.GetPixel(100, 100), drawn.GetPixel(600, 700)) << "the page around them";
    EXPECT_NE(drawn.GetPixel(100, 100), RGB(0, 0, 255));
    drawn.SelectObject(old);
    ::ReleaseDC(nullptr, screen.Detach());
}

// Files saved before thumbnails were packed end with plain rows; both kinds open as their page.
TEST_F(DocumentFileTest, ADocumentEndingWithAThumbnailOpensWithItsOnePage)
{
    const Bytes plain = ReadFileBytes(SaveAs("plain.trn"));
    GetViewSettings().m_thumbnailSwitch = 1;
    const std::string packed = SaveAs("packed.trn");
    GetViewSettings().m_thumbnailSwitch = 0;
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 65, 80);
    CBitmap* old = memory.SelectObject(&bitmap);
    CDib rows(&memory, 4, FALSE);
    memory.SelectObject(old);
    ::ReleaseDC(nullptr, screen.Detach());
    ASSERT_FALSE(rows.UsesCompression());
    const Bytes record = StoreBytes([&](CArchive& ar) { rows.Serialize(ar); });
    const std::string older = PathOf("older.trn");
    WriteFileBytes(older, Concat({plain, record, Dword(static_cast<uint32_t>(record.size())), Dword(0xA2DF9B33)}));
    document->OnCloseDocument();
    for (const std::string& path : {packed, older}) {
        CDocument* opened = m_app->OpenDocumentFile(path.c_str());
        ASSERT_NE(opened, nullptr) << path;
        POSITION pos = opened->GetFirstViewPosition();
        opened->GetNextView(pos);
        EXPECT_EQ(pos, nullptr) << path << ": no further page";
        EXPECT_EQ(ViewOf(opened)->GetObjectCount(), 2) << path;
        opened->OnCloseDocument();
    }
}

TEST_F(DocumentFileTest, ASecondViewOfTheDocumentWritesNoThumbnail)
{
    const Bytes plain = ReadFileBytes(SaveAs("plain.trn"));
    CFrameWnd* second = m_template->CreateNewFrame(document, frame);
    ASSERT_NE(second, nullptr);
    m_template->InitialUpdateFrame(second, document);
    GetViewSettings().m_thumbnailSwitch = 1;
    const Bytes twoViews = ReadFileBytes(SaveAs("two.trn"));
    // The second view writes a page record of its own and nothing follows it.
    ASSERT_GT(twoViews.size(), plain.size());
    EXPECT_EQ(Bytes(twoViews.begin(), twoViews.begin() + static_cast<long>(plain.size())), plain);
    EXPECT_NE(Bytes(twoViews.end() - 4, twoViews.end()), Dword(0xA2DF9B33));
}

TEST_F(DocumentFileTest, SaveKeepsTheOldFileWhenAnyWriteFails)
{
    const std::string path = SaveAs("keep.trn");
    const Bytes before = ReadFileBytes(path);
    AddSwatch(*view, {0, 0, 5, 5}, RGB(0, 255, 0), "Third");
    document->SetModifiedFlag();
    for (ULONGLONG budget : {0ull, 1ull, 40ull, 500ull, before.size() - 1ull}) {
        CFileWriteFault fault{m_folder.c_str(), budget, ENOSPC};
        AfxSetFileWriteFault(&fault);
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        const int shown = UiTestHook::MessageBoxCount();
        EXPECT_FALSE(document->DoSave(path.c_str())) << budget;
        EXPECT_EQ(UiTestHook::MessageBoxCount(), shown + 1) << budget;
        EXPECT_EQ(ReadFileBytes(path), before) << budget;
        EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"keep.trn"}) << budget;
        EXPECT_TRUE(document->IsModified()) << budget;
    }
    AfxSetFileWriteFault(nullptr);
    EXPECT_TRUE(document->DoSave(path.c_str()));
    EXPECT_GT(ReadFileBytes(path).size(), before.size());
}

TEST_F(DocumentFileTest, TheTitleIsAlwaysTheFrameObjectsTitle)
{
    document->SetTitle("something else");
    EXPECT_EQ(document->GetTitle(), "Week");
    SaveAs("other name.trn");
    EXPECT_EQ(document->GetTitle(), "Week");
}

TEST_F(DocumentFileTest, CopiesWithATildeNeverEnterTheRecentList)
{
    struct Case {
        const char* name;
        BOOL listed;
    };
    const Case cases[] = {{"~week.trn", FALSE}, {"~DSL0001.trn", FALSE}, {"a~b.trn", FALSE}, {"week.trn", TRUE}};
    for (const Case& c : cases) {
        const std::string path = PathOf(c.name);
        document->SetPathName(path.c_str(), TRUE);
        const CRecentFileList& recent = *m_app->m_pRecentFileList;
        EXPECT_EQ(recent.GetSize() > 0 && const_cast<CRecentFileList&>(recent)[0] == path.c_str(), c.listed) << c.name;
    }
}

TEST_F(DocumentFileTest, ClosingATemporaryCopyDeletesItsFile)
{
    for (const char* name : {"~DSL1.trn", "~dsl2.trn"}) {
        CMyDoc* copy = NewDocument();
        const std::string path = PathOf(name);
        WriteFileBytes(path, {1, 2, 3});
        copy->SetPathName(path.c_str(), FALSE);
        copy->OnCloseDocument();
        EXPECT_FALSE(std::filesystem::exists(path)) << name;
    }
    CMyDoc* gone = NewDocument();
    gone->SetPathName(PathOf("~DSL3.trn").c_str(), FALSE);
    gone->OnCloseDocument();
    const std::string kept = SaveAs("DSL4.trn");
    document->OnCloseDocument();
    EXPECT_TRUE(std::filesystem::exists(kept));
}

TEST_F(DocumentFileTest, RunModeSavesNothingAndAsksNothing)
{
    view->m_editMode = FALSE;
    EXPECT_EQ(Update(document, ID_FILE_SAVE).enabled, -1);
    EXPECT_EQ(Update(document, ID_FILE_SAVE_AS).enabled, FALSE);
    CDocument* asDocument = document;
    asDocument->OnCmdMsg(ID_FILE_SAVE, CN_COMMAND, nullptr, nullptr);
    EXPECT_TRUE(FilesInFolder().empty());
    EXPECT_TRUE(document->SaveModified());
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
    view->m_editMode = TRUE;
    EXPECT_EQ(Update(document, ID_FILE_SAVE).enabled, TRUE);
    document->SetModifiedFlag(FALSE);
    EXPECT_EQ(Update(document, ID_FILE_SAVE_AS).enabled, TRUE);
    EXPECT_EQ(Update(document, ID_FILE_SAVE).enabled, FALSE);
}

TEST_F(DocumentFileTest, AReadOnlyDocumentOutsideEditModeStaysUnmodified)
{
    document->SetModifiedFlag(FALSE);
    frame->SetReadOnly(TRUE);
    view->m_editMode = FALSE;
    document->SetModifiedFlag(TRUE);
    EXPECT_FALSE(document->IsModified());
    view->m_editMode = TRUE;
    document->SetModifiedFlag(TRUE);
    EXPECT_TRUE(document->IsModified());
}

// A damaged file shows the framework's message or, when a page broke off, opens what was read
// under no name; either way the other documents stay as they were.
TEST_F(DocumentFileTest, DamagedFilesOpenWithAMessageAndLeaveTheRestRunning)
{
    const Bytes good = ReadFileBytes(SaveAs("good.trn"));
    Bytes flipped = good;
    for (size_t i = 40; i < flipped.size(); i += 97)
        flipped[i] ^= 0x5A;
    struct Case {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        {"empty-title.trn", Bytes(good.begin(), good.begin() + 3)},
        {"no-page.trn", Bytes(good.begin(), good.begin() + static_cast<long>(good.size() / 3))},
        {"half.trn", Bytes(good.begin(), good.begin() + static_cast<long>(good.size() * 3 / 4))},
        {"flipped.trn", flipped},
        {"foreign.trn", {'%', 'P', 'D', 'F', '-', '1', '.', '4', '\n', 0, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        const std::string path = PathOf(c.name);
        WriteFileBytes(path, c.bytes);
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        const int shown = UiTestHook::MessageBoxCount();
        auto* opened = static_cast<CMyDoc*>(m_app->OpenDocumentFile(path.c_str()));
        EXPECT_EQ(UiTestHook::MessageBoxCount(), shown + 1) << c.name;
        if (opened) {
            EXPECT_TRUE(opened->GetPathName().IsEmpty()) << c.name;
            opened->OnCloseDocument();
        }
        EXPECT_EQ(ReadFileBytes(path), c.bytes) << c.name;
        EXPECT_EQ(view->GetObjectCount(), 2) << c.name;
    }
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_EQ(m_app->OpenDocumentFile(PathOf("absent.trn").c_str()), nullptr);
    EXPECT_EQ(m_app->GetOpenDocumentCount(), 1);
}

TEST_F(DocumentFileTest, ADocumentReadInPartIsSavedUnderANewName)
{
    const Bytes good = ReadFileBytes(SaveAs("good.trn"));
    const std::string path = PathOf("cut.trn");
    // Cut inside the second object: the top object and a fresh page object are what is read.
    const Bytes cut(good.begin(), good.end() - static_cast<long>(Stored(*view->GetPageObject()).size()) - 40);
    WriteFileBytes(path, cut);
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    auto* opened = static_cast<CMyDoc*>(m_app->OpenDocumentFile(path.c_str()));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 1);
    ASSERT_EQ(ViewOf(opened)->GetObjectCount(), 1);
    EXPECT_EQ(ViewOf(opened)->GetObjectAtIndex(0)->Code, "Top");
    EXPECT_TRUE(opened->GetPathName().IsEmpty());
    UiTestHook::QueueFileDialogAnswer(PathOf("rescued.trn"));
    opened->SetModifiedFlag();
    CDocument* asDocument = opened;
    asDocument->OnCmdMsg(ID_FILE_SAVE, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(ReadFileBytes(path), cut);
    EXPECT_EQ(opened->GetPathName(), PathOf("rescued.trn").c_str());
}

// Save As works in the document folder of the view settings, made when missing, and comes
// back to the folder it started in.
TEST_F(DocumentFileTest, SaveAsWritesInTheDocumentFolderAndReturns)
{
    const std::filesystem::path documents = m_folder / "documents";
    GetViewSettings().m_documentFolder = documents.c_str();
    const std::filesystem::path before = std::filesystem::current_path();
    UiTestHook::QueueFileDialogAnswer("plan.trn");
    CDocument* asDocument = document;
    asDocument->OnCmdMsg(ID_FILE_SAVE_AS, CN_COMMAND, nullptr, nullptr);
    GetViewSettings().m_documentFolder.Empty();
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_TRUE(std::filesystem::exists(documents / "plan.trn"));
    EXPECT_EQ(document->GetTitle(), "Week");
    EXPECT_FALSE(document->IsModified());
}

TEST_F(DocumentFileTest, CloseClosesTheDocumentsWindow)
{
    document->SetModifiedFlag(FALSE);
    CDocument* asDocument = document;
    asDocument->OnCmdMsg(ID_FILE_CLOSE, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(m_app->GetOpenDocumentCount(), 1);
    UiTestHook::PumpPending();
    EXPECT_EQ(m_app->GetOpenDocumentCount(), 0);
}

} // namespace
