#include "spell/DownloadDialog.h"

#include "spell/DictionaryDownload.h"
#include "spell/LexigardDialogs.h"
#include "spell/LibraryMessage.h"

#include "platform/gdi/GdiObject.h"
#include "platform/ui/Resources.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <strings.h>
#include <tuple>

namespace {

constexpr char kDownloadFailed[]
    = "Error downloading dictionaries from network. Aborting download process. \n"
      "Please connect again or try later while server is busy.";

struct ColumnHeading {
    const char* text;
    int width;
};
constexpr ColumnHeading kColumns[] = { { "Language Name", 150 }, { "Date", 90 }, { "Size", 80 } };

// The locale's own short date form.
std::string shortDate(const DictionaryEntry& entry)
{
    std::tm date {};
    date.tm_mday = entry.day;
    date.tm_mon = entry.month - 1;
    date.tm_year = entry.year - 1900;
    char text[64];
    return std::strftime(text, sizeof text, "%x", &date) > 0 ? text : std::string();
}

std::string sizeText(const DictionaryEntry& entry)
{
    char text[32];
    std::snprintf(text, sizeof text, "%ld KB", static_cast<long>(entry.size / 1024));
    return text;
}

int compareNames(const DictionaryEntry& a, const DictionaryEntry& b)
{
    return strcasecmp(a.languageName.c_str(), b.languageName.c_str());
}

// Names ascending; dates newest first; sizes in whole KB largest first; ties by name.
bool ordered(int column, const DictionaryEntry& a, const DictionaryEntry& b)
{
    if (column == CDownloadDialog::kDateColumn) {
        auto date = [](const DictionaryEntry& e) { return std::make_tuple(e.year, e.month, e.day); };
        if (date(a) != date(b))
            return date(a) > date(b);
    } else if (column == CDownloadDialog::kSizeColumn && a.size / 1024 != b.size / 1024) {
        return a.size / 1024 > b.size / 1024;
    }
    return compareNames(a, b) < 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CDownloadDialog, CDialog)
ON_BN_CLICKED(IDC_DOWNLOAD_START, OnDownload)
ON_NOTIFY(LVN_COLUMNCLICK, IDC_DICTIONARY_LIST, OnColumnClick)
END_MESSAGE_MAP()

CDownloadDialog::CDownloadDialog(DictionaryList list, std::string targetFolder)
    : CDialog(IDD_DOWNLOAD_DICTIONARIES)
    , m_dictionaries(std::move(list))
    , m_folder(std::move(targetFolder))
    , m_ticked(m_dictionaries.entries.size(), false)
{
    for (size_t i = 0; i < m_dictionaries.entries.size(); ++i)
        m_order.push_back(i);
}

BOOL CDownloadDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_DICTIONARY_LIST, this);
    m_list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c)
        m_list.InsertColumn(c, kColumns[c].text, LVCFMT_LEFT, kColumns[c].width);
    loadImages();
    fillList();
    const std::vector<DictionaryLink>& links = m_dictionaries.links;
    if (!links.empty()) {
        int count = static_cast<int>(links.size());
        int chosen = std::min(std::rand() / (RAND_MAX / count), count - 1);
        m_link.Attach(this, IDC_WEB_LINK, links[static_cast<size_t>(chosen)].text,
            links[static_cast<size_t>(chosen)].target);
    }
    return TRUE;
}

// Image 0 marks a dictionary to fetch, image 1 one already installed.
void CDownloadDialog::loadImages()
{
    CBitmap strip;
    if (!strip.Attach(LoadBitmapFromFile(FindBinaryResource(ResourceKind::Bitmap, "LvDownload"))))
        return;
    m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
    m_images.Add(&strip, RGB(255, 0, 255));
    m_list.SetImageList(&m_images, LVSIL_SMALL);
}

// Each row's image says whether its dictionary is already in the folder.
void CDownloadDialog::fillList()
{
    m_list.DeleteAllItems();
    for (int row = 0; row < static_cast<int>(m_order.size()); ++row) {
        size_t index = m_order[static_cast<size_t>(row)];
        const DictionaryEntry& entry = m_dictionaries.entries[index];
        bool installed = std::filesystem::exists(m_folder + entry.fileName);
        m_list.InsertItem(row, entry.languageName.c_str(), installed ? 1 : 0);
        m_list.SetItemText(row, kDateColumn, shortDate(entry).c_str());
        m_list.SetItemText(row, kSizeColumn, sizeText(entry).c_str());
        m_list.SetItemData(row, index);
        m_list.SetCheck(row, m_ticked[index] ? TRUE : FALSE);
    }
}

void CDownloadDialog::SortBy(int column)
{
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        m_ticked[m_list.GetItemData(row)] = m_list.GetCheck(row) != FALSE;
    const std::vector<DictionaryEntry>& entries = m_dictionaries.entries;
    std::stable_sort(m_order.begin(), m_order.end(),
        [&](size_t a, size_t b) { return ordered(column, entries[a], entries[b]); });
    fillList();
}

void CDownloadDialog::OnColumnClick(NMHDR* header, LRESULT* result)
{
    SortBy(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
    *result = 0;
}

bool CDownloadDialog::install(const DictionaryEntry& entry)
{
    CTemporaryFile archive;
    if (!archive.IsValid() || !DownloadWithProgress(this, entry.archiveAddress, archive.Path(), entry.size)) {
        ShowLibraryMessage(kDownloadFailed);
        return false;
    }
    return UnzipDictionary(archive.Path(), entry.fileName, m_folder);
}

void CDownloadDialog::OnDownload()
{
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        if (m_list.GetCheck(row) && !install(m_dictionaries.entries[m_list.GetItemData(row)]))
            return;
    EndDialog(IDOK);
}
