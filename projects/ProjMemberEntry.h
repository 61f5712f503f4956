// What the project tree needs of one project member: its full path, whether it has an icon
// of its own, and that icon's place in the tree's image list.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/TreeCtrl.h"

class CProjMemberEntry {
public:
    // The tree's image for members without an icon of their own.
    static constexpr int DefaultImage = 3;
    static constexpr UINT LinkIcon = 412;

    CProjMemberEntry() = default;
    // Appends the member's icon to the tree's image list (no tree: no icon).
    CProjMemberEntry(const CString& path, CTreeCtrl* tree);
    virtual ~CProjMemberEntry();
    CProjMemberEntry(const CProjMemberEntry&) = delete;
    CProjMemberEntry& operator=(const CProjMemberEntry&) = delete;

    // Loads the icon again into the entry's place in the image list.
    void RefreshIcon(CTreeCtrl* tree);

    BOOL m_bOwnIcon = FALSE;
    int m_nImage = 0;
    HTREEITEM m_hItem = nullptr;
    CString m_path;
    HICON m_hIcon = nullptr;
    // The file is not there: shown as missing, never opened or made anew.
    BOOL m_bMissing = FALSE;

private:
    void LoadIcon();
};

// A link member's stored path: "URLIDENT" (exact case) and the address, which goes to `rest`.
BOOL ParseUrlIdent(const CString& text, CString* rest);
constexpr const char* kUrlIdent = "URLIDENT";
