// The "DownloadDictionaries" dialog: lists the dictionaries of the list file with check
// boxes, sorts them by a clicked column, and installs the ticked ones into the folder.
#pragma once

#include "spell/DictionaryList.h"
#include "spell/WebLink.h"

#include "platform/gdi/ImageList.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListCtrl.h"

#include <string>
#include <vector>

class CDownloadDialog : public CDialog {
public:
    enum Column { kLanguageColumn, kDateColumn, kSizeColumn };

    CDownloadDialog(DictionaryList list, std::string targetFolder);

    BOOL OnInitDialog() override;
    // Reorders the rows by the column; ticks stay with their entries.
    void SortBy(int column);
    CListCtrl& GetList() { return m_list; }
    TWebLink& GetLink() { return m_link; }

protected:
    void OnDownload();
    void OnColumnClick(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    void loadImages();
    void fillList();
    bool install(const DictionaryEntry& entry);

    DictionaryList m_dictionaries;
    std::string m_folder;
    std::vector<size_t> m_order;
    std::vector<bool> m_ticked;
    CListCtrl m_list;
    CImageList m_images;
    TWebLink m_link;
};
