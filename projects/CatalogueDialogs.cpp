// The file dialogs of a catalogue: open, save as, and a new icon for an entry.
#include "projects/Catalogue.h"

#include "projects/CatalogueFolder.h"
#include "projects/CatalogueOb.h"
#include "projects/CatalogueText.h"
#include "imaging/Dib.h"
#include "imaging/IconLoader.h"
#include "platform/core/File.h"
#include "platform/gdi/GdiObject.h"
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

// Pictures give their pixels; icon files their first picture with transparent parts keyed.
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
    WORD kind = 0;
    file.Read(&kind, 2);
    file.SeekToBegin();
    if (kind == 0x4D42) {
        CDib dib;
        if (!dib.Read(&file, nullptr))
            return -1;
        GetEntry(index)->SetIconFromDib(&dib, nullptr, size);
        return 0;
    }
    HBITMAP picture = LoadIconAsBitmap(&file, nullptr);
    if (!picture)
        return -1;
    GetEntry(index)->SetIcon(CBitmap::FromHandle(picture), nullptr);
    ::DeleteObject(picture);
    return 0;
}
