// A small document/view program built only on the layer: new, save, close, reopen, the
// safe save, the close prompt and the recent-file list.
#include "UiFixture.h"

#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/core/FileException.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

// Fails with "disk full" once more than `limit` bytes were written.
class CFailingFile : public CFile {
public:
    explicit CFailingFile(UINT limit) : m_limit(limit) {}
    void Write(const void* data, UINT count) override
    {
        if (m_written + count > m_limit)
            AfxThrowFileException(CFileException::diskFull, -1, GetFileName());
        m_written += count;
        CFile::Write(data, count);
    }

private:
    UINT m_limit;
    UINT m_written = 0;
};

UINT failAfter = 0; // 0: files do not fail

class CNoteDoc : public CDocument {
    DECLARE_DYNCREATE(CNoteDoc)
public:
    CString m_text;
    std::vector<LONG> m_numbers;
    int m_shown = 0;

    void OnShowViews(BOOL visible) override { m_shown += visible ? 1 : 0; }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_text << static_cast<LONG>(m_numbers.size());
            for (LONG n : m_numbers)
                ar << n;
            return;
        }
        LONG count = 0;
        ar >> m_text >> count;
        if (count < 0 || count > 1000)
            AfxThrowArchiveException(CArchiveException::badIndex);
        m_numbers.assign(static_cast<size_t>(count), 0);
        for (LONG& n : m_numbers)
            ar >> n;
    }
    void DeleteContents() override
    {
        m_text.Empty();
        m_numbers.clear();
    }
    CFile* GetFile(LPCTSTR name, UINT flags, CFileException* error) override
    {
        if (!failAfter || !(flags & CFile::modeCreate))
            return CDocument::GetFile(name, flags, error);
        auto* file = new CFailingFile(failAfter);
        if (!file->Open(name, flags, error)) {
            delete file;
            return nullptr;
        }
        return file;
    }
};
IMPLEMENT_DYNCREATE(CNoteDoc, CDocument)

class CNoteView : public CView {
    DECLARE_DYNCREATE(CNoteView)
public:
    int updates = 0;
    void OnDraw(CDC*) override {}
    void OnUpdate(CView* sender, LPARAM hint, CObject* object) override
    {
        ++updates;
        CView::OnUpdate(sender, hint, object);
    }
};
IMPLEMENT_DYNCREATE(CNoteView, CView)

class CNoteFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CNoteFrame)
};
IMPLEMENT_DYNCREATE(CNoteFrame, CMDIChildWnd)

class CNoteMain : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CNoteMain)
};
IMPLEMENT_DYNCREATE(CNoteMain, CMDIFrameWnd)

class DocViewTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        folder = std::filesystem::temp_directory_path() / ("vantrel-ui-docview-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        failAfter = 0;
        app = new CWinApp("Notes");
        app->SetRegistryKey("Tester");
        app->LoadStdProfileSettings(4);
        docTemplate = new CMultiDocTemplate(400, RUNTIME_CLASS(CNoteDoc), RUNTIME_CLASS(CNoteFrame), RUNTIME_CLASS(CNoteView));
        app->AddDocTemplate(docTemplate);
        main = new CNoteMain;
        ASSERT_TRUE(main->LoadFrame(401));
        app->m_pMainWnd = main;
    }
    void TearDown() override
    {
        if (app->m_pMainWnd)
            app->m_pMainWnd->DestroyWindow();
        delete app;
        std::filesystem::remove_all(folder);
        UiTest::TearDown();
    }

    CNoteDoc* newNote(const char* text, std::vector<LONG> numbers)
    {
        auto* doc = static_cast<CNoteDoc*>(docTemplate->OpenDocumentFile(nullptr));
        doc->m_text = text;
        doc->m_numbers = std::move(numbers);
        doc->SetModifiedFlag();
        return doc;
    }
    std::string path(const char* name) const { return (folder / name).string(); }
    static std::vector<BYTE> bytesOf(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::vector<BYTE>(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path folder;
    CWinApp* app = nullptr;
    CMultiDocTemplate* docTemplate = nullptr;
    CNoteMain* main = nullptr;
};

} // namespace

TEST_F(DocViewTest, CreateSaveCloseReopenAndCompare)
{
    CNoteDoc* doc = newNote("hello", {7, -2});
    EXPECT_EQ(app->GetOpenDocumentCount(), 1);
    std::string file = path("week.trn");
    ASSERT_TRUE(doc->DoSave(file.c_str()));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetPathName(), file.c_str());
    EXPECT_EQ(doc->GetTitle(), "week.trn");
    const std::vector<BYTE> expected = {5, 'h', 'e', 'l', 'l', 'o', 2, 0, 0, 0, 7, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(bytesOf(file), expected);
    doc->OnCloseDocument();
    EXPECT_EQ(app->GetOpenDocumentCount(), 0);
    EXPECT_EQ(main->MDIGetActive(), nullptr);

    auto* again = static_cast<CNoteDoc*>(app->OpenDocumentFile(file.c_str()));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->m_text, "hello");
    EXPECT_EQ(again->m_numbers, (std::vector<LONG>{7, -2}));
    EXPECT_FALSE(again->IsModified());
    EXPECT_EQ(app->OpenDocumentFile(file.c_str()), again);
    EXPECT_EQ(app->GetOpenDocumentCount(), 1);
}

// A template stays as it is: the document made from it has no path, so saving asks for a name.
TEST_F(DocViewTest, ADocumentMadeFromAFileIsNewAndLeavesTheFileAlone)
{
    std::string file = path("template.trn");
    CNoteDoc* original = newNote("agenda", {3});
    ASSERT_TRUE(original->DoSave(file.c_str()));
    const std::vector<BYTE> stored = bytesOf(file);

    auto* copy = static_cast<CNoteDoc*>(app->OpenDocumentCopy(file.c_str()));
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, original) << "a new document even while the file is open";
    EXPECT_EQ(copy->m_text, "agenda");
    EXPECT_TRUE(copy->GetPathName().IsEmpty());
    EXPECT_FALSE(copy->IsModified());
    copy->m_text = "changed";
    UiTestHook::QueueFileDialogAnswer("");
    EXPECT_FALSE(copy->DoFileSave()) << "saving asks for a name, and none was given";
    EXPECT_EQ(bytesOf(file), stored);
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_EQ(app->OpenDocumentCopy(path("missing.trn").c_str()), nullptr);
}

// The settings on disk name a saved file at once, not only when the program ends.
TEST_F(DocViewTest, ASavedFileIsInTheStoredRecentListAtOnce)
{
    std::string file = path("kept.trn");
    ASSERT_TRUE(newNote("kept", {})->DoSave(file.c_str()));
    std::string stored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.path().extension() == ".ini")
            stored += std::string(std::istreambuf_iterator<char>(std::ifstream(entry.path()).rdbuf()), {});
    EXPECT_NE(stored.find("File1=" + file), std::string::npos) << stored;
}

TEST_F(DocViewTest, AFrameShowsTheDocumentsViewsOnce)
{
    CNoteDoc* doc = newNote("hello", {});
    EXPECT_EQ(doc->m_shown, 1);
}

TEST_F(DocViewTest, FailedSaveKeepsThePreviousFileAndReportsTheError)
{
    CNoteDoc* doc = newNote("first", {1});
    std::string file = path("keep.trn");
    ASSERT_TRUE(doc->DoSave(file.c_str()));
    std::vector<BYTE> before = bytesOf(file);
    doc->m_text = "a much longer second version of the note";
    doc->m_numbers = {1, 2, 3, 4, 5, 6, 7, 8};
    doc->SetModifiedFlag();
    failAfter = 20;
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_FALSE(doc->DoSave(file.c_str()));
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 1);
    EXPECT_NE(UiTestHook::LastMessageBoxText().find(file), std::string::npos);
    EXPECT_EQ(bytesOf(file), before);
    EXPECT_TRUE(doc->IsModified());
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"keep.trn"});
}

// What a save killed mid-write left beside the document goes when the document opens; what
// is not such a leftover stays: a folder of that name, a file a running save holds, and the
// leftover beside a document that didn't open.
TEST_F(DocViewTest, OpeningRemovesTheLeftoverOfAKilledSave)
{
    enum class Beside { Leftover, Folder, HeldBySave, DocumentUnreadable };
    struct Case {
        const char* name;
        Beside beside;
        bool removed;
    };
    const Case cases[] = {
        {"killed.trn", Beside::Leftover, true},
        {"folder.trn", Beside::Folder, false},
        {"held.trn", Beside::HeldBySave, false},
        {"broken.trn", Beside::DocumentUnreadable, false},
    };
    for (const Case& c : cases) {
        const std::string file = path(c.name);
        const std::string leftover = path((std::string(".") + c.name + ".saving").c_str());
        if (c.beside == Beside::DocumentUnreadable) {
            std::ofstream(file, std::ios::binary) << "\x05he";
            UiTestHook::QueueMessageBoxAnswer(IDOK);
        } else {
            CNoteDoc* doc = newNote("kept", {3});
            ASSERT_TRUE(doc->DoSave(file.c_str())) << c.name;
            doc->OnCloseDocument();
        }
        if (c.beside == Beside::Folder)
            std::filesystem::create_directory(leftover);
        else
            std::ofstream(leftover, std::ios::binary) << "cut off";
        CFile save;
        if (c.beside == Beside::HeldBySave) {
            ASSERT_TRUE(save.Open(leftover.c_str(), CFile::modeReadWrite | CFile::shareExclusive));
        }

        CDocument* opened = app->OpenDocumentFile(file.c_str());
        EXPECT_EQ(opened != nullptr, c.beside != Beside::DocumentUnreadable) << c.name;
        EXPECT_EQ(std::filesystem::exists(leftover), !c.removed) << c.name;
        if (opened)
            opened->OnCloseDocument();
    }
}

TEST_F(DocViewTest, UnreadableFilesOpenNoDocument)
{
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        {"truncated.trn", {5, 'h', 'e'}},
        {"badcount.trn", {1, 'x', 0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const Case& c : cases) {
        std::ofstream(path(c.name), std::ios::binary).write(reinterpret_cast<const char*>(c.bytes.data()),
                                                            static_cast<std::streamsize>(c.bytes.size()));
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        EXPECT_EQ(app->OpenDocumentFile(path(c.name).c_str()), nullptr) << c.name;
        EXPECT_EQ(app->GetOpenDocumentCount(), 0) << c.name;
    }
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_EQ(app->OpenDocumentFile(path("missing.trn").c_str()), nullptr);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 3);
}

TEST_F(DocViewTest, ClosingAModifiedDocumentAsks)
{
    struct Case {
        int answer;
        bool closed;
        bool saved;
    };
    const Case cases[] = {{IDCANCEL, false, false}, {IDNO, true, false}, {IDYES, true, true}};
    for (const Case& c : cases) {
        CNoteDoc* doc = newNote("draft", {});
        std::string file = path("draft.trn");
        std::filesystem::remove(file);
        doc->SetPathName(file.c_str(), FALSE);
        CMDIChildWnd* frame = main->MDIGetActive();
        UiTestHook::QueueMessageBoxAnswer(c.answer);
        frame->SendMessage(WM_CLOSE);
        EXPECT_EQ(app->GetOpenDocumentCount() == 0, c.closed) << c.answer;
        EXPECT_EQ(std::filesystem::exists(file), c.saved) << c.answer;
        EXPECT_EQ(UiTestHook::LastMessageBoxStyle() & MB_TYPEMASK, MB_YESNOCANCEL);
        if (!c.closed)
            doc->OnCloseDocument();
    }
}

TEST_F(DocViewTest, SavedFilesEnterTheRecentListAndTheProfile)
{
    for (const char* name : {"a.trn", "b.trn", "a.trn"}) {
        CNoteDoc* doc = newNote(name, {});
        ASSERT_TRUE(doc->DoSave(path(name).c_str()));
        doc->OnCloseDocument();
    }
    ASSERT_NE(app->m_pRecentFileList, nullptr);
    ASSERT_EQ(app->m_pRecentFileList->GetSize(), 2);
    EXPECT_EQ((*app->m_pRecentFileList)[0], path("a.trn").c_str());
    EXPECT_EQ((*app->m_pRecentFileList)[1], path("b.trn").c_str());
    app->SaveStdProfileSettings();
    EXPECT_EQ(app->GetProfileString("Recent File List", "File1"), path("a.trn").c_str());
    main->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1 + 1, 0);
    auto* reopened = static_cast<CNoteDoc*>(main->GetActiveDocument());
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->m_text, "b.trn");
}

TEST_F(DocViewTest, UpdateAllViewsSkipsTheSender)
{
    CNoteDoc* doc = newNote("x", {});
    POSITION pos = doc->GetFirstViewPosition();
    auto* view = static_cast<CNoteView*>(doc->GetNextView(pos));
    ASSERT_NE(view, nullptr);
    int before = view->updates;
    doc->UpdateAllViews(nullptr);
    EXPECT_EQ(view->updates, before + 1);
    doc->UpdateAllViews(view);
    EXPECT_EQ(view->updates, before + 1);
}

TEST_F(DocViewTest, CommandLineSelectsTheShellCommand)
{
    // Names are meant from the folder the program started in, and arrive in UTF-8.
    const std::string here = std::filesystem::current_path().string() + "/";
    struct Case {
        std::vector<const char*> args;
        int command;
        std::vector<std::string> files;
        BOOL splash;
    };
    const Case cases[] = {
        {{"prog"}, CCommandLineInfo::FileNew, {}, TRUE},
        {{"prog", "/tmp/x.trn"}, CCommandLineInfo::FileOpen, {"/tmp/x.trn"}, TRUE},
        {{"prog", "a.trn", "../b.trn", "/tmp/caf\xc3\xa9.trn"}, CCommandLineInfo::FileOpen,
         {here + "a.trn", std::filesystem::path(here + "../b.trn").lexically_normal().string(), "/tmp/caf\xe9.trn"}, TRUE},
        {{"prog", "/Embedding"}, CCommandLineInfo::FileNew, {}, FALSE},
        {{"prog", "--unregserver"}, CCommandLineInfo::AppUnregister, {}, TRUE},
    };
    for (const Case& c : cases) {
        std::vector<char*> argv;
        for (const char* a : c.args)
            argv.push_back(const_cast<char*>(a));
        app->SetCommandLine(static_cast<int>(argv.size()), argv.data());
        CCommandLineInfo info;
        app->ParseCommandLine(info);
        EXPECT_EQ(info.m_nShellCommand, c.command) << c.args.back();
        std::vector<std::string> files(info.m_fileNames.begin(), info.m_fileNames.end());
        EXPECT_EQ(files, c.files) << c.args.back();
        EXPECT_EQ(std::string(info.m_strFileName), c.files.empty() ? std::string() : c.files[0]) << c.args.back();
        EXPECT_EQ(info.m_bShowSplash, c.splash) << c.args.back();
    }
    std::vector<char*> print = {const_cast<char*>("prog"), const_cast<char*>("-p"), const_cast<char*>("x.trn")};
    app->SetCommandLine(3, print.data());
    CCommandLineInfo info;
    app->ParseCommandLine(info);
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FilePrint);
    EXPECT_EQ(std::string(info.m_strFileName), here + "x.trn") << "the document to print";
    EXPECT_TRUE(info.m_fileNames.empty()) << "nothing to open";
}

TEST_F(DocViewTest, DroppedFilesOpenAsDocuments)
{
    CNoteDoc* doc = newNote("dropped", {3});
    ASSERT_TRUE(doc->DoSave(path("drop.trn").c_str()));
    doc->OnCloseDocument();
    main->DragAcceptFiles();
    main->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(UiTestHook::MakeDrop({path("drop.trn")})));
    auto* opened = static_cast<CNoteDoc*>(main->GetActiveDocument());
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->m_text, "dropped");
    EXPECT_EQ(opened->GetPathName(), path("drop.trn").c_str());
}
