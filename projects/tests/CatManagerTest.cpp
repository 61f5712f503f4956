#include "CatalogueTestKit.h"
#include "UiFixture.h"

#include "View/CatalogueRequest.h"
#include "projects/CatManager.h"
#include "projects/CatWnd.h"
#include "projects/CatalogueFolder.h"
#include "platform/gdi/Dc.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ole/OleTestHook.h"
#include "platform/ui/WinApp.h"

namespace {

std::string g_folder;

CString TestFolder() { return g_folder.c_str(); }

class CatManagerTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        g_folder = m_folder.Path();
        SetCatalogueFolderSource(TestFolder);
    }

    void TearDown() override
    {
        m_manager.reset();
        SetCatalogueFolderSource(nullptr);
        OleTestHook::Reset();
        UiTest::TearDown();
    }

    // A manager 200 pixels high in a shown top-level window.
    CCatManager& MakeManager(int width = 175, int height = 200)
    {
        HWND top = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, {0, 0, width + 40, height + 40});
        m_manager = std::make_unique<CCatManager>();
        EXPECT_TRUE(m_manager->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height), CWnd::FromHandle(top), 1));
        return *m_manager;
    }

    // A saved catalogue of the named text entries in the test folder.
    std::string SavedCatalogue(const char* file, std::initializer_list<const char*> names)
    {
        CCatalogue catalogue;
        for (const char* name : names)
            catalogue.InsertEntry(catalogue.GetCount(), TextEntry(name, name));
        catalogue.SetPath(m_folder.File(file).c_str());
        EXPECT_EQ(catalogue.Save(10), 0);
        return m_folder.File(file);
    }

    static std::string Order(const CCatalogue& catalogue)
    {
        std::string order;
        for (int i = 0; i < catalogue.GetCount(); ++i)
            order += std::string(catalogue.GetEntry(i)->GetName()) + " ";
        return order;
    }

    // Gives the window a client area of exactly this width.
    static void SetClientWidth(CCatWnd& window, int width, int height = 150)
    {
        window.MoveWindow(0, 0, width, height);
        CRect client;
        window.GetClientRect(&client);
        window.MoveWindow(0, 0, width + (width - client.Width()), height);
    }

    TempFolder m_folder;
    std::unique_ptr<CCatManager> m_manager;
};

TEST_F(CatManagerTest, StartsWithOneUntitledCatalogueShownInTheWindow)
{
    CCatManager& manager = MakeManager();
    ASSERT_EQ(manager.GetCount(), 1);
    EXPECT_TRUE(manager.IsUntitled(0));
    EXPECT_EQ(manager.GetName(0), "New Catalog");
    EXPECT_EQ(manager.GetWindow()->GetCatalogue(), manager.GetActiveCatalogue());
    EXPECT_EQ(manager.GetWindow()->GetSelection(), -1);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
    manager.GetWindow()->GetScrollInfo(SB_VERT, &info);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 0);
}

TEST_F(CatManagerTest, HeadersStackAroundTheWindowOfTheActiveCatalogue)
{
    CCatManager& manager = MakeManager(175, 200);
    manager.OpenCatalogue(SavedCatalogue("one.cat", {"A"}).c_str());
    manager.OpenCatalogue(SavedCatalogue("two.cat", {"B"}).c_str());
    manager.OpenCatalogue(SavedCatalogue("three.cat", {"C"}).c_str());
    ASSERT_EQ(manager.GetCount(), 3) << "the untitled catalogue went with the first open";
    ASSERT_TRUE(manager.Activate(1));
    manager.UpdateWindow();
    const int h = manager.GetHeaderHeight();
    EXPECT_EQ(manager.GetWindowRect(), CRect(0, 2 * h, 175, 200 - h));
    EXPECT_EQ(manager.HitTestHeader(5, 0), 0);
    EXPECT_EQ(manager.HitTestHeader(5, h), 1);
    EXPECT_EQ(manager.HitTestHeader(5, 2 * h + 3), -1) << "inside the window";
    EXPECT_EQ(manager.HitTestHeader(5, 200 - h), 2);
    EXPECT_EQ(manager.HitTestHeader(5, 199), 2);
}

TEST_F(CatManagerTest, ACellGridCentresItsColumns)
{
    CCatManager& manager = MakeManager();
    manager.OpenCatalogue(SavedCatalogue("a.cat", {"A", "B", "C", "D"}).c_str());
    CCatWnd& window = *manager.GetWindow();
    SetClientWidth(window, 175);
    window.RecalcLayout();
    EXPECT_EQ(window.GetColumns(), 3);
    EXPECT_EQ(window.GetLeftOffset(), 12);
    EXPECT_EQ(window.GetItemRect(4 - 1, CCatWnd::WholeCell).TopLeft(), CPoint(12, 70));
    EXPECT_EQ(window.GetInsertPosition(12 + 50 + 30, 5), 2);
    EXPECT_EQ(window.GetInsertPosition(170, 140), 4) << "never past the end";
    window.SetViewMode(CCatWnd::NamesOnly);
    EXPECT_EQ(window.GetColumns(), 1);
    EXPECT_EQ(window.GetItemRect(1, CCatWnd::WholeCell).top, window.GetTextHeight() + 4);
}

TEST_F(CatManagerTest, NamesWrapAtBlanksLineBreaksAndEndWithDotsWhenTooLong)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    const int width = dc.GetTextExtent("abcdefghij").cx;
    int next = 0;
    EXPECT_EQ(CCatWnd::WrapLine(&dc, "ab cd", 0, width, FALSE, next), "ab cd");
    EXPECT_EQ(next, 5);
    EXPECT_EQ(CCatWnd::WrapLine(&dc, "ab\r\ncd", 0, width, FALSE, next), "ab");
    EXPECT_EQ(next, 4);
    EXPECT_EQ(CCatWnd::WrapLine(&dc, "abcdef ghijklmnop", 0, width, FALSE, next), "abcdef");
    EXPECT_EQ(next, 6);
    const CString last = CCatWnd::WrapLine(&dc, "abcdefghijklmnopqrst", 0, width, TRUE, next);
    EXPECT_EQ(last.Right(3), "...");
    EXPECT_LE(dc.GetTextExtent(last).cx, width);
    EXPECT_GT(next, 0);
}

TEST_F(CatManagerTest, PastedTextBecomesAnEntryNamedByItsStartAndIsSaved)
{
    CCatManager& manager = MakeManager();
    const std::string path = SavedCatalogue("text.cat", {"A"});
    manager.OpenCatalogue(path.c_str());
    std::string text = "one\ttwo";
    text.resize(100, 'x');
    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, GlobalBlock(text + '\0'));
    COleDataObject data;
    data.AttachSource(source.MakeClipSource());
    ASSERT_TRUE(manager.GetWindow()->InsertData(&data, 1));
    EXPECT_EQ(manager.GetWindow()->GetSelection(), 1);

    CCatalogue saved;
    ASSERT_EQ(saved.Load(path.c_str()), 0);
    ASSERT_EQ(saved.GetCount(), 2);
    EXPECT_EQ(std::string(saved.GetEntry(1)->GetName()), "one two" + std::string(57, 'x'));
    EXPECT_EQ(saved.GetEntry(1)->GetFormatId(0), CF_TEXT);

    COleDataSource other;
    other.CacheGlobalData(static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Vantrel Unknown")), GlobalBlock("?"));
    COleDataObject unusable;
    unusable.AttachSource(other.MakeClipSource());
    EXPECT_FALSE(manager.GetWindow()->InsertData(&unusable, 0));
    EXPECT_EQ(manager.GetActiveCatalogue()->GetCount(), 2);
}

TEST_F(CatManagerTest, DraggingAnEntryWithinTheWindowMovesIt)
{
    CCatManager& manager = MakeManager();
    const std::string path = SavedCatalogue("drag.cat", {"A", "B", "C"});
    manager.OpenCatalogue(path.c_str());
    CCatWnd& window = *manager.GetWindow();
    window.SetViewMode(CCatWnd::NamesOnly);
    const CRect first = window.GetItemRect(0, CCatWnd::NamePart);
    const CRect last = window.GetItemRect(2, CCatWnd::WholeCell);
    POINT drop{last.left + 5, last.bottom - 1};
    window.ClientToScreen(&drop);
    OleTestHook::QueueDrop(drop, 0);
    window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.left + 5, first.top + 2));
    window.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(first.left + 5, first.top + 12));
    window.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(first.left + 5, first.top + 12));
    EXPECT_EQ(Order(*manager.GetActiveCatalogue()), "B C A ");
    EXPECT_EQ(window.GetSelection(), 2);
    CCatalogue saved;
    ASSERT_EQ(saved.Load(path.c_str()), 0);
    EXPECT_EQ(Order(saved), "B C A ");
}

TEST_F(CatManagerTest, ALockedCatalogueRefusesEveryChange)
{
    CCatManager& manager = MakeManager();
    const std::string path = SavedCatalogue("locked.cat", {"A"});
    manager.OpenCatalogue(path.c_str());
    ASSERT_EQ(manager.LockCatalogue(0), 0);
    EXPECT_TRUE(manager.IsCatalogueLocked(0));
    CCatWnd& window = *manager.GetWindow();
    window.SelectItem(0);

    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, GlobalBlock("new"));
    COleDataObject data;
    data.AttachSource(source.MakeClipSource());
    EXPECT_FALSE(window.InsertData(&data, 0));
    EXPECT_EQ(window.OnDragOver(&data, 0, CPoint(1, 1)), DROPEFFECT_NONE);
    CCmdUI remove;
    remove.m_nID = CCatWnd::CmdRemove;
    remove.DoUpdate(&window, FALSE);
    EXPECT_TRUE(remove.m_bEnableChanged);
    EXPECT_FALSE(window.CanChange());
    CCatalogueRequest ask;
    ask.DoUpdate(&manager, FALSE);
    EXPECT_EQ(ask.m_nIndex, 0u);

    ASSERT_EQ(manager.UnlockCatalogue(0), 0);
    CCatalogueRequest askAgain;
    askAgain.DoUpdate(&manager, FALSE);
    EXPECT_EQ(askAgain.m_nIndex, 1u);
    CCatalogueRequest add(&source);
    add.DoUpdate(&manager, FALSE);
    EXPECT_EQ(Order(*manager.GetActiveCatalogue()), "A new ");
}

TEST_F(CatManagerTest, AChangeThatCannotBeSavedIsUndone)
{
    CCatManager& manager = MakeManager();
    const std::string path = SavedCatalogue("gone.cat", {"A", "B"});
    manager.OpenCatalogue(path.c_str());
    manager.GetActiveCatalogue()->SetPath(m_folder.File("missing/gone.cat").c_str());
    CCatWnd& window = *manager.GetWindow();
    window.SelectItem(0);
    UiTestHook::QueueFileDialogAnswer("");
    window.SendMessage(WM_COMMAND, CCatWnd::CmdRemove);
    EXPECT_EQ(Order(*manager.GetActiveCatalogue()), "A B ");
    EXPECT_EQ(window.GetCatalogue(), manager.GetActiveCatalogue());
}

TEST_F(CatManagerTest, TheOpenListKeepsCataloguesOfTheFolderRelative)
{
    const std::string inside = SavedCatalogue("inside.cat", {"A"});
    TempFolder elsewhere;
    CCatalogue outsideCatalogue;
    outsideCatalogue.SetPath(elsewhere.File("outside.cat").c_str());
    ASSERT_EQ(outsideCatalogue.Save(0), 0);
    {
        CCatManager& manager = MakeManager();
        manager.OpenCatalogue(inside.c_str());
        manager.OpenCatalogue(elsewhere.File("outside.cat").c_str());
        manager.OpenCatalogue(inside.c_str());
        EXPECT_EQ(manager.GetCount(), 2) << "an open catalogue is activated, not opened again";
        EXPECT_EQ(manager.GetActiveIndex(), 0);
    }
    m_manager.reset();
    std::ifstream in(m_folder.File("Current.bak"));
    std::string list((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(list, ".\\inside.cat\n" + elsewhere.File("outside.cat") + "\n");

    const std::string withBlankAndMissing = list + " \t\nno.cat\n";
    WriteFileBytes(m_folder.File("Current.bak"), Bytes(withBlankAndMissing.begin(), withBlankAndMissing.end()));
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    CCatManager& again = MakeManager();
    ASSERT_EQ(again.GetCount(), 2);
    EXPECT_EQ(std::string(again.GetCatalogue(0)->GetPath()), inside);
    EXPECT_EQ(std::string(again.GetCatalogue(1)->GetPath()), elsewhere.File("outside.cat"));
}

TEST_F(CatManagerTest, ClosingTheOnlyCatalogueLeavesAnUntitledOne)
{
    CCatManager& manager = MakeManager();
    manager.OpenCatalogue(SavedCatalogue("only.cat", {"A"}).c_str());
    ASSERT_FALSE(manager.IsUntitled(0));
    manager.SendMessage(WM_COMMAND, CCatManager::CmdClose);
    ASSERT_EQ(manager.GetCount(), 1);
    EXPECT_TRUE(manager.IsUntitled(0));
    EXPECT_EQ(manager.GetName(0), "New Catalog");
    EXPECT_EQ(manager.GetWindow()->GetCatalogue(), manager.GetActiveCatalogue());
}

TEST_F(CatManagerTest, ACatalogueThatCannotBeOpenedIsReportedAndSkipped)
{
    CCatManager& manager = MakeManager();
    WriteFileBytes(m_folder.File("bad.cat"), {1, 2, 3});
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_FALSE(manager.OpenCatalogue(m_folder.File("bad.cat").c_str()));
    EXPECT_EQ(UiTestHook::PendingMessageBoxAnswers(), 0);
    EXPECT_EQ(manager.GetCount(), 1);
    EXPECT_TRUE(manager.IsUntitled(0));

    UiTestHook::QueueFileDialogAnswer(m_folder.File("bad.cat"));
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_FALSE(manager.OpenCatalogue(nullptr));
    EXPECT_EQ(UiTestHook::PendingMessageBoxAnswers(), 0) << "a chosen file that cannot be read is reported";
    UiTestHook::QueueFileDialogAnswer("");
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_FALSE(manager.OpenCatalogue(nullptr));
    EXPECT_EQ(UiTestHook::PendingMessageBoxAnswers(), 1) << "a cancelled dialog says nothing";
    EXPECT_EQ(manager.GetCount(), 1);
}

} // namespace

namespace {

TEST_F(CatManagerTest, ASecondClickOnTheSelectedNameRenamesTheEntry)
{
    CCatManager& manager = MakeManager();
    const std::string path = SavedCatalogue("rename.cat", {"Old", "Other"});
    manager.OpenCatalogue(path.c_str());
    CCatWnd& window = *manager.GetWindow();
    const CRect name = window.GetItemRect(0, CCatWnd::NamePart);
    const LPARAM at = MAKELPARAM(name.CenterPoint().x, name.CenterPoint().y);
    window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    window.SendMessage(WM_LBUTTONUP, 0, at);
    EXPECT_EQ(window.GetSelection(), 0);
    EXPECT_FALSE(window.IsRenaming()) << "a first click only selects";
    window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    window.SendMessage(WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(window.IsRenaming());
    CWnd* edit = window.GetDlgItem(CCatWnd::MultiLineEditId);
    ASSERT_NE(edit, nullptr);
    edit->SetWindowText("  New name ");
    edit->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(window.IsRenaming());
    CCatalogue saved;
    ASSERT_EQ(saved.Load(path.c_str()), 0);
    EXPECT_EQ(Order(saved), "New name Other ");

    window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    window.SendMessage(WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(window.IsRenaming());
    edit->SetWindowText("Dropped");
    edit->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(Order(*manager.GetActiveCatalogue()), "New name Other ") << "Escape keeps the name";
}

// Headers drawn into a small picture: the active one raised, its name in the middle; a
// narrow one shows neither name nor state icon.
TEST_F(CatManagerTest, AHeaderShowsItsNameOnlyWhenWideEnough)
{
    CCatManager& manager = MakeManager();
    manager.OpenCatalogue(SavedCatalogue("wide.cat", {"A"}).c_str());
    const int h = manager.GetHeaderHeight();
    for (const int width : {120, 40}) {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateBitmap(width, h, 1, 32, nullptr);
        CBitmap* old = dc.SelectObject(&bitmap);
        manager.DrawHeader(&dc, 0, 0, width, h, 0);
        int textPixels = 0;
        for (int x = 20; x < width - 18; ++x)
            for (int y = 2; y < h - 2; ++y)
                textPixels += dc.GetPixel(x, y) == GetSysColor(COLOR_BTNTEXT);
        EXPECT_EQ(dc.GetPixel(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT)) << "raised: light on top and left";
        EXPECT_EQ(dc.GetPixel(width - 1, h - 1), GetSysColor(COLOR_BTNSHADOW));
        if (width >= 41)
            EXPECT_GT(textPixels, 0) << width;
        else
            EXPECT_EQ(textPixels, 0) << width;
        dc.SelectObject(old);
    }
}

} // namespace
