// The project tree: renaming in place, the Delete key, files dropped from outside, removing
// members and loading project icons.
#include "ProjTestKit.h"

#include "BmpBytes.h"
#include "projects/ProjOb.h"
#include "imaging/Dib.h"
#include "platform/core/GlobalMemory.h"
#include "platform/ole/Clipboard.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ole/OleDropTarget.h"
#include "platform/ui/TestHook.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <cstring>
#include <fstream>

namespace fs = std::filesystem;

class ProjTreeTest : public ProjTest {
protected:
    void SetUp() override
    {
        ProjTest::SetUp();
        const CString path = MakeProjectFile("Plan", {"doc.trn"});
        MakeDocument("Plan/a.txt");
        MakeDocument("Plan/plain");
        ASSERT_TRUE(m_manager->OpenProject(path));
        project = m_manager->GetProject(0);
        ASSERT_TRUE(project->AddEntry("a.txt", 0));
        ASSERT_TRUE(project->AddEntry("plain", 0));
        ASSERT_TRUE(project->AddEntry("https://x.org", 1));
    }

    HTREEITEM Member(const char* title) const
    {
        for (int i = 0; i < project->MemberCount(); ++i)
            if (project->m_titles[i] == title)
                return project->m_memberItems[static_cast<size_t>(i)];
        return nullptr;
    }

    void Rename(HTREEITEM item, const char* text, bool cancel = false)
    {
        m_tree->SelectItem(item);
        m_tree->BeginRename();
        m_tree->GetRenameEdit().SetWindowText(text);
        m_tree->EndRename(cancel);
    }

    CProjOb* project = nullptr;
};

TEST_F(ProjTreeTest, RenamingAFileMemberRenamesItsFileAndKeepsTheExtension)
{
    Rename(Member("a"), "b");
    EXPECT_TRUE(fs::exists(Path("Plan/b.txt")));
    EXPECT_FALSE(fs::exists(Path("Plan/a.txt")));
    EXPECT_NE(Member("b"), nullptr);
    Rename(Member("plain"), "bare");
    EXPECT_TRUE(fs::exists(Path("Plan/bare")));

    CProjOb reread;
    ASSERT_TRUE(reread.LoadProject(project->m_filePath));
    EXPECT_EQ(reread.GetMemberPath(1), CPath("Plan/b.txt"));
}

TEST_F(ProjTreeTest, RenamingALinkChangesOnlyItsLabel)
{
    Rename(Member("https://x.org"), "Home");
    const int index = project->IndexOfMemberItem(Member("Home"));
    ASSERT_GE(index, 0);
    EXPECT_EQ(project->m_paths[index], CString("URLIDENThttps://x.org"));
}

TEST_F(ProjTreeTest, EscapeOrAnEmptyNameRenamesNothing)
{
    const HTREEITEM item = Member("a");
    Rename(item, "b", true);
    Rename(Member("a"), "");
    Rename(Member("a"), "../up");
    EXPECT_TRUE(fs::exists(Path("Plan/a.txt")));
    EXPECT_EQ(m_tree->GetItemText(Member("a")), CString("a"));
}

TEST_F(ProjTreeTest, RenamingADocumentRefusesATakenName)
{
    MakeDocument("Plan/taken.trn");
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    Rename(Member("doc"), "taken");
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "File already exists");
    EXPECT_TRUE(fs::exists(Path("Plan/doc.trn")));
    Rename(Member("doc"), "renamed");
    EXPECT_TRUE(fs::exists(Path("Plan/renamed.trn")));
    EXPECT_NE(Member("renamed"), nullptr);
}

TEST_F(ProjTreeTest, TheDeleteKeyOnAMemberOnlyAsksForRemove)
{
    // A link goes at once, without any question; the project stays.
    m_tree->SelectItem(Member("https://x.org"));
    m_tree->SetFocus();
    m_tree->SendMessage(WM_KEYDOWN, VK_DELETE);
    EXPECT_EQ(Member("https://x.org"), nullptr);
    EXPECT_EQ(m_manager->ProjectCount(), 1);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
}

TEST_F(ProjTreeTest, DroppedFilesGoToTheProjectUnderThem)
{
    MakeDocument("Plan/dropped.txt");
    MakeDocument("elsewhere.txt");
    CRect row;
    m_tree->GetItemRect(Member("a"), &row, TRUE);
    m_tree->DropFiles({CPath("Plan/dropped.txt")}, row.CenterPoint());
    EXPECT_NE(Member("dropped"), nullptr);

    // Below the last item: the first open project; a file outside its folder joins it too.
    m_tree->DropFiles({CPath("elsewhere.txt")}, CPoint(5, 390));
    ASSERT_NE(Member("elsewhere"), nullptr);
    EXPECT_EQ(project->m_paths[project->IndexOfMemberItem(Member("elsewhere"))], CString("..\\elsewhere.txt"));
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
}

TEST_F(ProjTreeTest, OnlyFilesOutsideTheProjectFolderAskAndTheQuestionNamesThem)
{
    fs::create_directories(Path("elsewhere"));
    fs::create_directory_symlink(Path("elsewhere"), Path("Plan/linked"));
    struct Case {
        const char* file;
        int answer; // 0: no question expected
        BOOL confirmed;
    };
    const Case cases[] = {{"Plan/a.txt", 0, TRUE},
                          {"outside.txt", IDNO, FALSE},
                          {"outside.txt", IDYES, TRUE},
                          {"Plan/linked/x.txt", IDNO, FALSE},
                          {"Plan/../outside.txt", IDNO, FALSE}};
    for (const Case& c : cases) {
        UiTestHook::Reset();
        if (c.answer)
            UiTestHook::QueueMessageBoxAnswer(c.answer);
        EXPECT_EQ(m_manager->ConfirmOutsideFile(*project, CPath(c.file), "Delete this file?"), c.confirmed) << c.file;
        EXPECT_EQ(UiTestHook::MessageBoxCount(), c.answer ? 1 : 0) << c.file;
        if (c.answer) {
            EXPECT_NE(UiTestHook::LastMessageBoxText().find(Path(c.file)), std::string::npos) << c.file;
        }
    }
}

// A file or document outside the project folder: No leaves file and member as they were.
TEST_F(ProjTreeTest, AMemberOutsideTheProjectFolderIsRenamedOnlyAfterAYes)
{
    for (const char* extension : {".txt", ".trn"}) {
        const std::string file = std::string("outside") + extension;
        const std::string moved = std::string("moved") + extension;
        MakeDocument(file);
        ASSERT_TRUE(extension == std::string(".trn") ? project->AddDocument(("../" + file).c_str())
                                                     : project->AddEntry(("../" + file).c_str(), 0));
        UiTestHook::QueueMessageBoxAnswer(IDNO);
        Rename(Member("outside"), "moved");
        EXPECT_NE(UiTestHook::LastMessageBoxText().find(Path(file)), std::string::npos) << file;
        EXPECT_TRUE(fs::exists(Path(file))) << file;
        ASSERT_NE(Member("outside"), nullptr) << file;

        UiTestHook::QueueMessageBoxAnswer(IDYES);
        Rename(Member("outside"), "moved");
        EXPECT_TRUE(fs::exists(Path(moved))) << file;
        EXPECT_FALSE(fs::exists(Path(file))) << file;
        ASSERT_NE(Member("moved"), nullptr) << file;
        EXPECT_EQ(project->m_paths[project->IndexOfMemberItem(Member("moved"))], CString(("..\\" + moved).c_str()));
        project->RemoveMemberByItem(Member("moved"));
    }
}

TEST_F(ProjTreeTest, ABitmapFileBecomesTheProjectIconAndOtherFilesAreRefused)
{
    projtest::WriteBytes(Path("icon.bmp"), MakeBmp(12, 12, [](int, int) { return RGB(255, 0, 255); }));
    std::ofstream(Path("junk.ico")) << "not an icon";
    const int before = project->m_nImage;
    EXPECT_FALSE(project->LoadIconFile(CPath("junk.ico")));
    EXPECT_EQ(project->m_nImage, before);
    EXPECT_TRUE(project->LoadIconFile(CPath("icon.bmp")));
    EXPECT_NE(project->m_nImage, before);
    EXPECT_EQ(project->m_iconImage->GetWidth(), 16);
}

TEST_F(ProjTreeTest, ADoubleClickOpensADocumentButNeverAMissingMember)
{
    CRect label;
    const HTREEITEM doc = Member("doc");
    m_tree->SelectItem(doc);
    m_tree->GetItemRect(doc, &label, TRUE);
    m_tree->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(label.CenterPoint().x, label.CenterPoint().y));
    EXPECT_EQ(projtest::OpenedDocuments(), std::vector<CString>({CPath("Plan/doc.trn")}));

    fs::remove(Path("Plan/doc.trn"));
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    m_tree->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(label.CenterPoint().x, label.CenterPoint().y));
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "File not found!");
    EXPECT_EQ(projtest::OpenedDocuments().size(), 1u);
}

TEST_F(ProjTreeTest, DroppedTextBecomesALinkOfTheProjectUnderIt)
{
    const char link[] = "https://y.org";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof link);
    std::memcpy(GlobalLock(block), link, sizeof link);
    GlobalUnlock(block);
    auto* source = new COleDataSource;
    source->CacheGlobalData(CF_TEXT, block);
    COleDataObject data;
    data.AttachSource(source->MakeClipSource());
    source->ExternalRelease();

    COleDropTarget* target = COleDropTarget::FromHandle(m_tree->m_hWnd);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->OnDragEnter(m_tree.get(), &data, 0, CPoint(5, 5)), DROPEFFECT_COPY);
    EXPECT_TRUE(target->OnDrop(m_tree.get(), &data, DROPEFFECT_COPY, CPoint(5, 390)));
    const HTREEITEM item = Member(link);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(project->m_paths[project->IndexOfMemberItem(item)], CString("URLIDENThttps://y.org"));
    COleDataObject nothing;
    EXPECT_EQ(target->OnDragEnter(m_tree.get(), &nothing, 0, CPoint(5, 5)), DROPEFFECT_NONE);
}

TEST_F(ProjTreeTest, WithFoldersTheMembersLieInAWorksheetFolder)
{
    m_manager->SetShowFolders(TRUE);
    const HTREEITEM folder = project->m_hMemberParent;
    ASSERT_NE(folder, project->m_hItem);
    EXPECT_EQ(m_tree->GetItemText(folder), CString("Worksheet"));
    EXPECT_EQ(m_tree->GetParentItem(Member("doc")), folder);
    int image = 0, selected = 0;
    m_tree->Expand(folder, TVE_COLLAPSE);
    m_tree->GetItemImage(folder, image, selected);
    EXPECT_EQ(image, CProjOb::FolderClosedImage);
    m_tree->Expand(folder, TVE_EXPAND);
    m_tree->GetItemImage(folder, image, selected);
    EXPECT_EQ(image, CProjOb::FolderOpenImage);
    m_manager->SetShowFolders(FALSE);
    EXPECT_EQ(m_tree->GetParentItem(Member("doc")), project->m_hItem);
}
