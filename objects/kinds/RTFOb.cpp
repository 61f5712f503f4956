#include "objects/kinds/RTFOb.h"

#include "objects/ShellServices.h"
#include "objects/kinds/NoteHost.h"

#include "platform/core/System.h"
#include "platform/sys/Shell.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/Wnd.h"

#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

IMPLEMENT_SERIAL(CRTFOb, CStickyOb, 0)

namespace {

constexpr int kMaxTempNames = 100000;

BOOL FileExists(const CString& path)
{
    struct stat info{};
    return !path.IsEmpty() && stat(path, &info) == 0;
}

void Refuse(LPCTSTR key)
{
    CString text = GetShellServices().GetLanguageText(key);
    AfxMessageBox(text, MB_OK);
}

}  // namespace

void CRTFOb::Serialize(CArchive& archive)
{
    CStickyOb::Serialize(archive);
    if (archive.IsStoring())
        archive << m_richText;
    else
        archive >> m_richText;
}

void CRTFOb::CopyFrom(const CHyperBaseOb* other)
{
    CStickyOb::CopyFrom(other);
    if (auto* note = dynamic_cast<const CRTFOb*>(other)) {
        m_tempPath = note->m_tempPath;
        m_richText = note->m_richText;
    }
}

BOOL CRTFOb::OnInsert()
{
    MakeTempFileName();
    Open();
    LoadIcon(IconId);
    return TRUE;
}

// The name is taken by creating the file, so two notes never share one.
void CRTFOb::MakeTempFileName()
{
    char folder[MAX_PATH + 1] = {};
    ::GetTempPath(MAX_PATH, folder);
    CString dir(folder);
    if (dir.IsEmpty() || dir.Right(1) != "/")
        dir += "/";
    CString pattern = GetShellServices().GetLanguageText("Vantrelobject") + "%i";
    for (int n = 1; n <= kMaxTempNames; ++n) {
        CString name;
        name.Format(pattern, n);
        CString path = dir + name;
        int file = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (file >= 0) {
            close(file);
            m_tempPath = path;
            return;
        }
    }
}

BOOL CRTFOb::WriteTempFile() const
{
    std::ofstream file(LPCTSTR(m_tempPath), std::ios::binary | std::ios::trunc);
    file.write(m_richText, m_richText.GetLength());
    return bool(file);
}

BOOL CRTFOb::Open()
{
    CString folder = GetNoteHost().GetProgramFolder();
    CString editor = folder + "/" + EditorName;
    if (access(editor, R_OK) != 0) {
        CString text = GetShellServices().GetLanguageText("Scribbet.exe not found!");
        ::MessageBox(nullptr, text, text, MB_OK);
        return FALSE;
    }
    CWnd* main = AfxGetMainWnd();
    HWND window = main ? main->GetSafeHwnd() : nullptr;
    if (!FileExists(m_tempPath))
        MakeTempFileName();
    WriteTempFile();
    CString arguments;
    arguments.Format("\"%s\" \"%llu\" \"%llu\"", LPCTSTR(m_tempPath),
                     static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)),
                     static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(this)));
    ShellExecute(nullptr, "open", editor, arguments, folder, SW_SHOW);
    return TRUE;
}

BOOL CRTFOb::LoadFromTempFile()
{
    struct stat info{};
    if (m_tempPath.IsEmpty() || stat(m_tempPath, &info) != 0) {
        Refuse("The note's file is gone; the note keeps its text.");
        return FALSE;
    }
    if (ULONGLONG(info.st_size) > MaxRichTextBytes) {
        unlink(m_tempPath);
        Refuse("The note's file is too large; the note keeps its text.");
        return FALSE;
    }
    std::ifstream file(LPCTSTR(m_tempPath), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    file.close();
    unlink(m_tempPath);
    m_richText = CString(bytes.c_str());
    return TRUE;
}
