// Password digests, the password dialog and protected projects.
#include "ProjTestKit.h"

#include "projects/PasswordDlg.h"
#include "projects/PasswordHash.h"
#include "projects/ProjOb.h"
#include "platform/ui/TestHook.h"

#include <gtest/gtest.h>

using projtest::AnswerNextDialog;

namespace {

CString Digest(const CString& text)
{
    CString out;
    EXPECT_TRUE(CPasswordHash().HashToHex(text, out));
    return out;
}

} // namespace

class ProjPasswordTest : public ProjTest {
protected:
    // A protected project "Safe" whose password is "secret".
    CString MakeProtected()
    {
        const CString path = MakeProjectFile("Safe");
        CProjOb project;
        project.m_filePath = path;
        project.m_name = "Safe";
        EXPECT_TRUE(project.SetPassword("secret", TRUE));
        EXPECT_TRUE(project.SaveToFile(path));
        return path;
    }
};

TEST_F(ProjPasswordTest, DigestsAreLowerCaseMd5OfTheBytes)
{
    EXPECT_EQ(Digest(""), CString("d41d8cd98f00b204e9800998ecf8427e"));
    EXPECT_EQ(Digest("abc"), CString("900150983cd24fb0d6963f7d28e17f72"));
    // One byte 0xE4 (a Windows-1252 "ä") is hashed as it is, not as UTF-8.
    EXPECT_NE(Digest("\xE4"), Digest("\xC3\xA4"));
    EXPECT_EQ(Digest("\xE4").GetLength(), 32);
}

TEST_F(ProjPasswordTest, TheDialogComparesTheDigestExactly)
{
    struct Case {
        const char* entered;
        CString digest;
        bool cancel;
        BOOL result;
        BOOL cancelled;
    };
    const Case cases[] = {{"secret", Digest("secret"), false, TRUE, FALSE},
                          {"wrong", Digest("secret"), false, FALSE, FALSE},
                          {"secret", Digest("secret").MakeUpper(), false, FALSE, FALSE},
                          {"", Digest(""), false, TRUE, FALSE},
                          {"secret", Digest("secret"), true, FALSE, TRUE}};
    for (const Case& c : cases) {
        AnswerNextDialog(c.entered, c.cancel);
        BOOL cancelled = 7;
        CPasswordDlg dialog;
        EXPECT_EQ(dialog.AskPassword(c.digest, "Password for: x", &cancelled, nullptr), c.result) << c.entered;
        EXPECT_EQ(cancelled, c.cancelled) << c.entered;
    }
}

TEST_F(ProjPasswordTest, CollectingModeHandsTheTextBack)
{
    AnswerNextDialog("new one");
    CString plain;
    BOOL cancelled = TRUE;
    EXPECT_TRUE(CPasswordDlg().AskPassword(CString(), "Select Password", &cancelled, &plain));
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(plain, CString("new one"));
}

TEST_F(ProjPasswordTest, AProtectedProjectOpensOnlyWithItsPassword)
{
    const CString path = MakeProtected();
    AnswerNextDialog("secret");
    CProjOb project;
    ASSERT_TRUE(project.LoadProject(path));
    EXPECT_TRUE(project.m_bOpen);
    EXPECT_EQ(project.m_digest, Digest("secret"));
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
}

TEST_F(ProjPasswordTest, AWrongPasswordIsRefusedAndMayBeTriedAgain)
{
    const CString path = MakeProtected();
    AnswerNextDialog("guess");
    UiTestHook::QueueMessageBoxAnswer(IDNO);
    {
        CProjOb project;
        EXPECT_FALSE(project.LoadProject(path));
        EXPECT_FALSE(project.m_bOpen);
    }
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Password incorrect! Try again?");
    EXPECT_EQ(UiTestHook::LastMessageBoxStyle() & 0xF, static_cast<UINT>(MB_YESNO));

    AnswerNextDialog("guess");
    AnswerNextDialog("secret");
    UiTestHook::QueueMessageBoxAnswer(IDYES);
    CProjOb project;
    EXPECT_TRUE(project.LoadProject(path));
}

TEST_F(ProjPasswordTest, CancelLeavesTheProjectLockedAndTheFileAsItWas)
{
    const CString path = MakeProtected();
    const std::vector<BYTE> before = projtest::ReadBytes(path.GetString());
    AnswerNextDialog("", true);
    CProjOb project;
    EXPECT_FALSE(project.LoadProject(path));
    EXPECT_TRUE(project.SaveToFile(path));
    EXPECT_EQ(projtest::ReadBytes(path.GetString()), before);
}

TEST_F(ProjPasswordTest, SubprojectsWithTheParentsDigestOpenWithoutAsking)
{
    const CString path = MakeProtected();
    std::filesystem::create_directories(Path("Safe/Same"));
    std::filesystem::create_directories(Path("Safe/Other"));
    CProjOb same, other;
    same.m_name = "Same";
    other.m_name = "Other";
    ASSERT_TRUE(same.SetPassword("secret", TRUE) && other.SetPassword("different", TRUE));
    ASSERT_TRUE(same.SaveToFile(CPath("Safe/Same/Same.prj")) && other.SaveToFile(CPath("Safe/Other/Other.prj")));

    // One dialog for the project itself and one for the subproject with another digest.
    AnswerNextDialog("secret");
    AnswerNextDialog("different");
    CProjOb project;
    ASSERT_TRUE(project.LoadProject(path));
    EXPECT_EQ(project.m_subprojects.size(), 2u);
}

TEST_F(ProjPasswordTest, APasswordGoesToEverySubproject)
{
    CProjOb project;
    project.m_subprojects.push_back(std::make_unique<CProjOb>());
    project.m_subprojects[0]->m_subprojects.push_back(std::make_unique<CProjOb>());
    ASSERT_TRUE(project.SetPassword("pw", TRUE));
    const CProjOb& deepest = *project.m_subprojects[0]->m_subprojects[0];
    EXPECT_TRUE(deepest.m_bHasPassword);
    EXPECT_EQ(deepest.m_digest, Digest("pw"));
}
