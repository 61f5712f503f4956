// The Tasks pane: its groups and links, the note templates found below the notes folder, and
// what clicks and choices send.
#include "shell/Settings.h"
#include "shell/TaskPanelPane.h"

#include "PaneFixture.h"

#include <algorithm>
#include <filesystem>

namespace {

class TaskPanelPaneTest : public ProgramPaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        notes = home + "/notes";
        SetSettingString(Setting::NotesDirectory, notes.c_str());
        ASSERT_TRUE(main.CreateEx(0, PlainClass(), "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 400, nullptr, nullptr));
        app->m_pMainWnd = &main;
    }
    void TearDown() override
    {
        app->m_pMainWnd = nullptr;
        pane.DestroyWindow();
        main.DestroyWindow();
        PaneTest::TearDown();
    }
    void Build()
    {
        ASSERT_TRUE(pane.CreateEx(0, PlainClass(), "", WS_CHILD, CRect(), &main, 0));
        ASSERT_TRUE(pane.AttachToPane(nullptr));
    }
    std::vector<UINT> Ids(UINT group)
    {
        std::vector<UINT> ids;
        CXTPTaskGroup* found = pane.GetTaskPanel().FindGroup(group);
        for (int i = 0; found && i < found->GetItemCount(); ++i)
            ids.push_back(found->GetAt(i)->GetID());
        return ids;
    }
    std::vector<std::string> Entries()
    {
        std::vector<std::string> entries;
        CTemplateComboBox& box = pane.GetTemplateBox();
        for (int i = 0; i < box.GetCount(); ++i) {
            CString text;
            box.GetLBText(i, text);
            entries.emplace_back(text);
        }
        return entries;
    }
    void Click(UINT id)
    {
        CXTPTaskItem item(&pane.GetTaskPanel(), TaskItemLink, id);
        pane.SendMessage(WM_XTP_TASKPANELNOTIFY, TaskPanelItemClick, reinterpret_cast<LPARAM>(&item));
    }

    std::string notes;
    CCommandSink main;
    CTaskPanelPane pane;
};

TEST_F(TaskPanelPaneTest, WithoutADocumentTheGroupsHoldOnlyTheFixedLinks)
{
    Build();
    ASSERT_EQ(pane.GetTaskPanel().GetGroupCount(), 2);
    EXPECT_EQ(Ids(116), (std::vector<UINT>{117, 1000002, 119}));
    EXPECT_EQ(Ids(120), (std::vector<UINT>{121, 122}));
    pane.OnCmdMsg(57600, CN_UPDATE_COMMAND_UI, nullptr, nullptr);
    EXPECT_EQ(Ids(120), (std::vector<UINT>{121, 122}));
    EXPECT_EQ(std::string(pane.GetTaskPanel().GetAt(1)->GetCaption()), "Components");
}

TEST_F(TaskPanelPaneTest, TemplatesBelowTheNotesFolderAreListedSortedUnderTheHeader)
{
    WriteFile(notes + "/Zeta.trn", "");
    WriteFile(notes + "/sub/deeper/Alpha.trn", "");
    WriteFile(notes + "/Other.TRN", "");
    WriteFile(notes + "/readme.txt", "");
    WriteFile(notes + "/noextension", "");
    Build();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"--- Noticetemplates ---", "Alpha", "Zeta"}));
    EXPECT_EQ(pane.GetTemplateBox().GetCurSel(), 0);
}

TEST_F(TaskPanelPaneTest, ANewNotesFolderStartsWithTheShippedTemplates)
{
    std::vector<std::string> shipped = {"--- Noticetemplates ---"};
    for (const auto& entry : std::filesystem::directory_iterator(VANTREL_SHIPPED "/Notes"))
        shipped.push_back(entry.path().stem().string());
    ASSERT_GT(shipped.size(), 1u);
    std::sort(shipped.begin() + 1, shipped.end());
    notes = home + "/fresh/notes";
    SetSettingString(Setting::NotesDirectory, notes.c_str());
    Build();
    EXPECT_EQ(Entries(), shipped);
    for (size_t i = 1; i < shipped.size(); ++i)
        EXPECT_TRUE(std::filesystem::is_regular_file(notes + "/" + shipped[i] + ".trn")) << shipped[i];
}

TEST_F(TaskPanelPaneTest, ChoosingATemplateMakesANewDocumentFromItAndTheHeaderNothing)
{
    WriteFile(notes + "/sub/Meeting.trn", "");
    Build();
    CTemplateComboBox& box = pane.GetTemplateBox();
    const WPARAM changed = MAKEWPARAM(static_cast<WORD>(CTaskPanelPane::kTemplateBoxId & 0xFFFF), CBN_SELCHANGE);
    box.SetCurSel(0);
    box.GetParent()->SendMessage(WM_COMMAND, changed, reinterpret_cast<LPARAM>(box.m_hWnd));
    EXPECT_TRUE(app->copied.empty());
    box.SetCurSel(1);
    box.GetParent()->SendMessage(WM_COMMAND, changed, reinterpret_cast<LPARAM>(box.m_hWnd));
    ASSERT_EQ(app->copied.size(), 1u);
    EXPECT_EQ(app->copied[0], notes + "/sub/Meeting.trn");
    EXPECT_TRUE(app->opened.empty()) << "the template itself is never opened";
}

TEST_F(TaskPanelPaneTest, ClickedLinksSendTheirCommandsToTheMainWindow)
{
    Build();
    pane.ShowLayersManagerLink(TRUE);
    pane.ShowPropertiesPaneLink(TRUE);
    pane.ShowSaveAsWebSiteLink(TRUE);
    for (UINT id : {117u, 119u, 118u, 121u, 122u, 123u, 133u, 57616u, 57631u, 116u, 1000002u, 57632u})
        Click(id);
    EXPECT_EQ(main.commands, (std::vector<UINT>{57600, 57636, 33894, 23038, 23033, 60441, 33918, 57616, 57631}));
}

TEST_F(TaskPanelPaneTest, OptionalLinksAreAddedOnceAndRemovedFromTheirGroups)
{
    Build();
    pane.ShowLayersManagerLink(TRUE);
    pane.ShowLayersManagerLink(TRUE);
    pane.ShowPropertiesPaneLink(TRUE);
    pane.ShowSaveAsWebSiteLink(TRUE);
    EXPECT_EQ(Ids(120), (std::vector<UINT>{121, 122, 123, 133}));
    EXPECT_EQ(Ids(116), (std::vector<UINT>{117, 1000002, 119, 118}));
    pane.ShowLayersManagerLink(FALSE);
    pane.ShowLayersManagerLink(FALSE);
    EXPECT_EQ(Ids(120), (std::vector<UINT>{121, 122, 133}));
    pane.OnCmdMsg(57600, CN_UPDATE_COMMAND_UI, nullptr, nullptr);
    EXPECT_EQ(Ids(120), (std::vector<UINT>{121, 122})) << "without a view the optional links go";
    EXPECT_EQ(Ids(116), (std::vector<UINT>{117, 1000002, 119}));
}

} // namespace
