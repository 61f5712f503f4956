#include "ProjTestKit.h"

#include "projects/ProjectHelpers.h"
#include "res/ProgramResources.h"
#include "shell/ShellProjectHost.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/UiApi.h"

#include <deque>
#include <fstream>
#include <iterator>

namespace projtest {
namespace {

struct Answer {
    std::string text;
    bool cancel;
    HWND before;
};

std::deque<Answer> answers;

// The program's folder rules, with the projects in the test's scratch folder.
class TestHost : public CShellProjectHost {
public:
    CString GetProjectFolder() const override { return projectFolder; }
    BOOL OpenDocument(const CString& path) const override
    {
        opened.push_back(path);
        return TRUE;
    }
    CString projectFolder;
    mutable std::vector<CString> opened;
};

TestHost host;

void AnswerTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND focus = ::GetFocus();
    // Only once the dialog has taken over the activation from the window that asked.
    if (answers.empty() || !focus || !::IsWindowVisible(focus) || ::GetActiveWindow() == answers.front().before)
        return;
    ::KillTimer(nullptr, id);
    const Answer answer = answers.front();
    answers.pop_front();
    ::SetWindowText(focus, answer.text.c_str());
    UiTestHook::KeyDown(answer.cancel ? VK_ESCAPE : VK_RETURN);
    if (!answers.empty()) {
        // The same dialog may still be open for the next answer.
        answers.front().before = nullptr;
        ::SetTimer(nullptr, 0, 10, AnswerTimer);
    }
}

} // namespace

std::vector<BYTE> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<BYTE>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

std::vector<CString>& OpenedDocuments() { return host.opened; }

void AnswerNextDialog(const std::string& text, bool cancel)
{
    answers.push_back({text, cancel, ::GetActiveWindow()});
    if (answers.size() == 1)
        ::SetTimer(nullptr, 0, 10, AnswerTimer);
}

} // namespace projtest

void ProjTest::SetUp()
{
    UiTest::SetUp();
    static const bool registered = (RegisterProgramResources(), true);
    (void)registered;
    SetProjectHost(&projtest::host);
    char pattern[] = "/tmp/vantrel-proj-XXXXXX";
    m_folder = mkdtemp(pattern);
    projtest::host.projectFolder = CPath("Projects");
    projtest::host.opened.clear();
    m_parent.CreateEx(0, PlainClass(), "", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 400), nullptr, 0);
    m_manager = std::make_unique<CProjManager>();
    m_tree = std::make_unique<CProjTreeCtrl>(m_manager.get());
    m_tree->CreateTree(&m_parent);
    m_tree->MoveWindow(0, 0, 400, 400);
    m_manager->SetTree(m_tree.get());
}

void ProjTest::TearDown()
{
    m_manager->CloseAll();
    m_manager.reset();
    if (m_tree->m_hWnd)
        m_tree->DestroyWindow();
    m_tree.reset();
    m_parent.DestroyWindow();
    SetProjectHost(nullptr);
    std::filesystem::remove_all(m_folder);
    UiTest::TearDown();
}

void ProjTest::MakeDocument(const std::string& relative)
{
    std::filesystem::create_directories(std::filesystem::path(Path(relative)).parent_path());
    std::ofstream(Path(relative)) << "doc";
}

CString ProjTest::MakeProjectFile(const std::string& name, const std::vector<std::string>& members)
{
    std::filesystem::create_directories(m_folder / name);
    CProjOb project;
    project.m_name = name.c_str();
    project.m_filePath = CPath(name + "/" + name + ".prj");
    for (const std::string& member : members) {
        MakeDocument(name + "/" + member);
        project.m_paths.Add(member.c_str());
        project.m_titles.Add(FileTitleOf(member.c_str()));
    }
    EXPECT_TRUE(project.SaveToFile(project.m_filePath));
    return project.m_filePath;
}
