// The file dialogs of a catalogue: open, save as, and a new icon for an entry.
#include "projects/Catalogue.h"

#include "projects/CatalogueFolder.h"
#include "projects/CatalogueOb.h"
#include "projects/CatalogueText.h"
#include "platform/core/File.h"
#include "platform/ui/CommonDialogs.h"

namespace {

constexpr UINT kAllFilesString = 61442;
constexpr UINT kIconFilesString = 28595, kIconPatternsString = 28596;

CString AllFilesFilter() { return CatalogueText(kAllFilesString, "All Files (*.*)") + "|*.*||"; }

CString CatalogueFilter() { return CatalogueText("Catalog Files") + " (*.cat)|*.cat|" + AllFilesFilter(); }

// Runs the dialog with the catalogue folder as its start; the chosen path, or empty.
CString AskForFile(CFileDialog& dialog)
{
    const CString folder = GetCatalogueFolder();
    dialog.m_ofn.lpstrInitialDir = folder;
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}

} // namespace

int CCatalogue::OpenWithDialog()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST,
                       CatalogueFilter());
    const CString path = AskForFile(dialog);
    if (path.IsEmpty())
        return -1;
    return Load(path) == 0 ? 0 : -2;
}

int CCatalogue::SaveAs()
{
    CFileDialog dialog(FALSE, "cat", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOREADONLYRETURN,
                       CatalogueFilter());
    const CString path = AskForFile(dialog);
    if (path.IsEmpty())
        return -1;
    const CString old = m_path;
    m_path = path;
    if (Save(0) != 0) {
        m_path = old;
        return -1;
    }
    m_name = CatalogueNameOf(path);
    return 0;
}

int CCatalogue::ChangeEntryIcon(int index, int size)
{
    if (index < 0 || index >= GetCount())
        return -1;
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST,
                       CatalogueText(kIconFilesString, "Icon Files (*.ico, *.exe, *.dll, *.bmp)") + "|" +
                           CatalogueText(kIconPatternsString, "*.ico;*.exe;*.dll;*.bmp") + "|" + AllFilesFilter());
    const CString path = AskForFile(dialog);
    CFile file;
    if (path.IsEmpty() || !file.Open(path, CFile::modeRead | CFile::typeBinary))
        return -1;
    return GetEntry(index)->LoadIconFile(&file, size) ? 0 : -1;
}
