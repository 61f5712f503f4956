// Documents of a project: Save As under a new name makes the file a member once or renames the
// member it was, a save tells the project where its member lies, and copies and failed saves
// leave the project alone.
// Embedded objects held for a closing document close and go with it.
#include "View/HyperProjDoc.h"
#include "ViewTestKit.h"

#include "objects/HyperFrameOb.h"
#include "objects/ViewSettings.h"
#include "objects/kinds/HyperOleItem.h"
#include "objects/kinds/HyperOleOb.h"
#include "platform/ui/TestHook.h"

#include <fstream>
#include <string>
#include <vector>

namespace {

class CRecordingProject : public CDocumentProject {
public:
    BOOL HasCurrentProject() const override { return TRUE; }
    void AddDocument(const CString& path) const override { added.push_back(path.GetString()); }
    void DocumentSaved(const CString& path) const override { saved.push_back(path.GetString()); }
    BOOL DocumentRenamed(const CString& oldPath, const CString& newPath) const override
    {
        if (oldPath != member.c_str())
            return FALSE;
        renamed.push_back(oldPath.GetString() + std::string(" -> ") + newPath.GetString());
        return TRUE;
    }

    std::string member;
    mutable std::vector<std::string> renamed;
    mutable std::vector<std::string> added;
    mutable std::vector<std::string> saved;
};

class ProjectDocumentTest : public ViewAppTest {
protected:
    void SetUp() override
    {
        ViewAppTest::SetUp();
        SetDocumentProject(&project);
        document = NewDocument();
        ASSERT_NE(document, nullptr);
        FrameOf(document)->GetFrameObject()->Title = "Week";
    }
    void TearDown() override
    {
        SetDocumentProject(nullptr);
        UiTestHook::Reset();
        ViewAppTest::TearDown();
    }

    void SaveAs(const std::string& path)
    {
        UiTestHook::QueueFileDialogAnswer(path);
        document->OnProjectSaveAs();
    }

    CRecordingProject project;
    CMyDoc* document = nullptr;
};

TEST_F(ProjectDocumentTest, SaveAsUnderANewNameMakesTheFileAMemberOnce)
{
    const std::string week = PathOf("week.trn");
    SaveAs(week);
    SaveAs(week);
    SaveAs(PathOf("~copy.trn"));
    EXPECT_EQ(project.added, std::vector<std::string>{week});
    EXPECT_EQ(std::string(document->GetPathName()), PathOf("~copy.trn"));
}

// A member saved under a new name is renamed in the project; it does not join it twice.
TEST_F(ProjectDocumentTest, AMemberSavedUnderANewNameIsRenamedInItsProject)
{
    const std::string week = PathOf("week.trn"), plan = PathOf("plan.trn"), copy = PathOf("copy.trn");
    SaveAs(week);
    project.member = week;
    SaveAs(plan);
    EXPECT_EQ(project.renamed, std::vector<std::string>{week + " -> " + plan});
    EXPECT_EQ(project.added, std::vector<std::string>{week});
    // No longer the member's file: the next new name joins the project.
    SaveAs(copy);
    EXPECT_EQ(project.added, (std::vector<std::string>{week, copy}));
    EXPECT_EQ(project.renamed.size(), 1u);
}

TEST_F(ProjectDocumentTest, OnlyCompletedSavesOfTheDocumentItselfReachTheProject)
{
    const std::string week = PathOf("week.trn");
    struct Case {
        std::string path;
        bool told;
    };
    const Case cases[] = {{week, true}, {PathOf("~DSL7.trn"), false}, {PathOf("missing/folder/x.trn"), false}};
    for (const Case& c : cases) {
        project.saved.clear();
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        document->OnSaveDocument(c.path.c_str());
        EXPECT_EQ(project.saved.size(), c.told ? 1u : 0u) << c.path;
        UiTestHook::Reset();
    }
}

TEST_F(ProjectDocumentTest, AnUntitledDocumentIsNamedAfterItsFile)
{
    struct Case {
        const char* path;
        const char* title;
    };
    const Case cases[] = {{"/home/me/Form3.trn", "Form3"}, {"C:\\notes\\week.plan.trn", "week.plan"},
                          {"c:week.trn", "week"},          {"/home/me/.profile", ".profile"},
                          {"/home/me/noext", "noext"},     {"", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(CHyperProjDoc::TitleFromPath(c.path), CString(c.title)) << c.path;
}

TEST_F(ProjectDocumentTest, HeldEmbeddedObjectsOfAClosingDocumentGoWithIt)
{
    auto* closing = new CHyperOleDoc;
    CHyperOleDoc staying;
    CObArray& held = GetViewSettings().m_heldOleObjects;
    auto hold = [&held](COleDocument* owner) {
        auto* object = new CHyperOleOb;
        auto* item = new CHyperOleItem(owner, object);
        object->SetOleItem(item);
        held.Add(object);
        return object;
    };
    hold(closing);
    CHyperOleOb* kept = hold(&staying);
    hold(closing);
    delete closing;
    ASSERT_EQ(held.GetSize(), 1);
    EXPECT_EQ(held[0], kept);
    held.RemoveAll();
    delete kept;
}

} // namespace
