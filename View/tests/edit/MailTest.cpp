// The document sent for revision: the mail library writes the message and hands it to a
// stand-in desktop mail program that notes its arguments.
#include "EditViewFixture.h"

#include "View/MailDocument.h"
#include "objects/HyperFrameOb.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WinApp.h"
#include "res/ResourceParts.h"

#include "platform/sys/tests/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class MailTest : public EditViewTest {
protected:
    void SetUp() override
    {
        EditViewTest::SetUp();
        RegisterExportResources();
        oldPath = std::getenv("PATH");
        fs::create_directories(folder + "/bin");
        fs::create_directories(folder + "/tmp");
        setenv("PATH", (folder + "/bin:" + oldPath).c_str(), 1);
        setenv("XDG_CACHE_HOME", (folder + "/cache").c_str(), 1);
        setenv("TMPDIR", (folder + "/tmp").c_str(), 1);
        MailProgram("exit 0");
        ForgetMailAvailability();
    }
    void TearDown() override
    {
        setenv("PATH", oldPath.c_str(), 1);
        unsetenv("XDG_CACHE_HOME");
        unsetenv("TMPDIR");
        ForgetMailAvailability();
        EditViewTest::TearDown();
    }

    // The desktop's mail program: writes its arguments down, then `then`.
    void MailProgram(const std::string& then)
    {
        const std::string script = folder + "/bin/xdg-email";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << folder << "/mail-args'\n" << then << "\n";
        fs::permissions(script, fs::perms::owner_all);
    }
    // One argument a line.
    std::string MailArguments() const { return ReadText(folder + "/mail-args"); }
    // The file the mail program was given to attach.
    std::string Attached() const
    {
        const std::string args = MailArguments();
        const size_t start = args.find("--attach\n");
        return start == std::string::npos ? std::string() : args.substr(start + 9, args.find('\n', start + 9) - start - 9);
    }
    // The bytes of a message file's attachment as a mail reader decodes them.
    std::string MessageAttachment(const std::string& message, const std::string& name) const
    {
        const std::string out = folder + "/decoded";
        const std::string script = "import email, sys\n"
                                   "m = email.message_from_binary_file(open(sys.argv[1], \"rb\"))\n"
                                   "for p in m.walk():\n"
                                   "    if p.get_filename() == sys.argv[2]:\n"
                                   "        open(sys.argv[3], \"wb\").write(p.get_payload(decode=True))";
        CommandOutput("python3 -c '" + script + "' '" + message + "' '" + name + "' '" + out + "'");
        return ReadText(out);
    }
    std::string Saved(const char* name)
    {
        const std::string path = folder + "/" + name;
        EXPECT_TRUE(doc->DoSave(path.c_str()));
        return path;
    }
    void Send() { view->SendMessage(WM_COMMAND, CMyView::CmdMailForRevision); }

    std::string oldPath;
};

TEST_F(MailTest, ASavedUnchangedDocumentIsAttachedAsItsFile)
{
    AddBorder({10, 10, 60, 40});
    const std::string path = Saved("plan.trn");
    ASSERT_FALSE(doc->IsModified());
    Send();

    EXPECT_EQ(MailArguments().rfind("--utf8\n--subject\nFor Revision: plan.trn\n", 0), 0u) << MailArguments();
    EXPECT_EQ(fs::path(Attached()).filename(), "plan.trn");
    EXPECT_EQ(ReadText(Attached()), ReadText(path));
    const std::string message = (fs::path(Attached()).parent_path() / "message.eml").string();
    EXPECT_EQ(MessageAttachment(message, "plan.trn"), ReadText(path));
    EXPECT_NE(ReadText(message).find("Subject: For Revision: plan.trn"), std::string::npos) << ReadText(message);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
}

TEST_F(MailTest, AChangedDocumentGoesAsATemporaryCopyAndStaysChanged)
{
    AddBorder({10, 10, 60, 40});
    const std::string path = Saved("plan.trn");
    const std::string onDisk = ReadText(path);
    AddBorder({80, 10, 120, 40});
    doc->SetModifiedFlag(TRUE);
    Send();

    EXPECT_EQ(fs::path(Attached()).filename(), "plan.trn");
    const std::string sent = ReadText(Attached());
    EXPECT_NE(sent, onDisk);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(std::string(doc->GetPathName()), path);
    EXPECT_EQ(ReadText(path), onDisk);
    // The copy holds what a save writes now, and is gone from the temporary folder.
    const std::string now = Saved("now.trn");
    EXPECT_EQ(sent, ReadText(now));
    EXPECT_TRUE(fs::is_empty(folder + "/tmp"));
}

TEST_F(MailTest, AnUntitledDocumentIsNamedByItsTitle)
{
    // An untitled document's title is its frame's caption.
    frame->GetFrameObject()->Title = "Week 12";
    doc->SetTitle(nullptr);
    AddBorder({10, 10, 60, 40});
    Send();
    EXPECT_NE(MailArguments().find("--subject\nFor Revision: Week 12"), std::string::npos) << MailArguments();
    EXPECT_EQ(fs::path(Attached()).filename().string().rfind("Week 12", 0), 0u) << Attached();
    EXPECT_TRUE(fs::is_empty(folder + "/tmp"));
}

TEST_F(MailTest, AFailingMailProgramIsReported)
{
    MailProgram("exit 3");
    Saved("plan.trn");
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    Send();
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 1);
    EXPECT_EQ(UiTestHook::PendingMessageBoxAnswers(), 0);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Send Mail failed to send message.");
}

// Menus as the frame updates them: the mail item between two separators.
TEST_F(MailTest, WithoutAMailProgramTheItemLeavesItsMenuWithOneSeparator)
{
    const struct {
        bool mailProgram;
        std::vector<UINT> left;
    } cases[] = {
        {true, {ID_FILE_SAVE, 0, CMyView::CmdMailForRevision, 0, ID_APP_EXIT}},
        {false, {ID_FILE_SAVE, 0, ID_APP_EXIT}},
    };
    for (const auto& c : cases) {
        // Only the test's own programs: the desktop's mail program is out of reach.
        if (!c.mailProgram) {
            fs::remove(folder + "/bin/xdg-email");
            setenv("PATH", (folder + "/bin").c_str(), 1);
        }
        ForgetMailAvailability();
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, ID_FILE_SAVE, "Save");
        menu.AppendMenu(MF_SEPARATOR, 0, "");
        menu.AppendMenu(MF_STRING, CMyView::CmdMailForRevision, "Mail");
        menu.AppendMenu(MF_SEPARATOR, 0, "");
        menu.AppendMenu(MF_STRING, ID_APP_EXIT, "Exit");
        CCmdUI update;
        update.m_pMenu = &menu;
        update.m_nIndex = 2;
        update.m_nID = CMyView::CmdMailForRevision;
        update.m_nIndexMax = menu.GetMenuItemCount();
        UpdateMailCommand(&update);
        std::vector<UINT> left;
        for (UINT i = 0; i < menu.GetMenuItemCount(); ++i)
            left.push_back(menu.GetMenuItemID(int(i)));
        EXPECT_EQ(left, c.left) << c.mailProgram;
        EXPECT_EQ(IsMailAvailable(), c.mailProgram ? TRUE : FALSE);
    }
}

} // namespace
