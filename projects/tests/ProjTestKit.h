// Shared set-up of the project tests: a scratch folder, the program's resources and folder
// rules, a pane window with a project tree and its manager, and scripted dialog answers.
#pragma once

#include "UiFixture.h"

#include "projects/ProjManager.h"
#include "projects/ProjTreeCtrl.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace projtest {

std::vector<BYTE> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<BYTE>& bytes);

// Answers the next modal dialog: the text goes into its focused control, then Enter
// (or Escape when `cancel`). Several calls answer dialogs in turn.
void AnswerNextDialog(const std::string& text, bool cancel = false);
// The documents the project code asked the application to open.
std::vector<CString>& OpenedDocuments();

} // namespace projtest

class ProjTest : public UiTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A path inside the scratch folder.
    std::string Path(const std::string& relative) const { return (m_folder / relative).string(); }
    CString CPath(const std::string& relative) const { return CString(Path(relative).c_str()); }
    // A project file in a folder of its own, written by the program's writer.
    CString MakeProjectFile(const std::string& name, const std::vector<std::string>& members = {});
    void MakeDocument(const std::string& relative);

    std::filesystem::path m_folder;
    CWnd m_parent;
    std::unique_ptr<CProjManager> m_manager;
    std::unique_ptr<CProjTreeCtrl> m_tree;
};
