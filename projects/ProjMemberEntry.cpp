#include "projects/ProjMemberEntry.h"

#include "projects/ProjectHelpers.h"
#include "projects/ProjectIcons.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/ShellFileInfo.h"
#include "platform/ui/UiApi.h"

#include <cstring>

BOOL ParseUrlIdent(const CString& text, CString* rest)
{
    const int length = static_cast<int>(std::strlen(kUrlIdent));
    if (text.GetLength() < length || text.Left(length) != kUrlIdent)
        return FALSE;
    if (rest)
        *rest = text.Mid(length);
    return TRUE;
}

CProjMemberEntry::CProjMemberEntry(const CString& path, CTreeCtrl* tree) : m_path(path)
{
    const CString name = FileNameOf(path);
    const int dot = name.ReverseFind('.');
    m_bOwnIcon = (dot < 0 ? CString() : name.Mid(dot + 1)) != "trn";
    LoadIcon();
    if (!tree || !tree->m_hWnd)
        return;
    auto list = reinterpret_cast<HIMAGELIST>(tree->SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL));
    if (!list)
        return;
    m_nImage = ImageList_GetImageCount(list);
    ImageList_ReplaceIcon(list, -1, m_hIcon);
    tree->SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list));
}

CProjMemberEntry::~CProjMemberEntry()
{
    if (m_hIcon)
        DestroyIcon(m_hIcon);
}

void CProjMemberEntry::LoadIcon()
{
    if (m_hIcon)
        DestroyIcon(m_hIcon);
    m_hIcon = nullptr;
    if (ParseUrlIdent(m_path, nullptr)) {
        m_hIcon = LoadProjectIcon(LinkIcon);
        return;
    }
    SHFILEINFOA info {};
    if (SHGetFileInfoA(m_path, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON | SHGFI_SYSICONINDEX))
        m_hIcon = info.hIcon;
}

void CProjMemberEntry::RefreshIcon(CTreeCtrl* tree)
{
    LoadIcon();
    if (!tree || !tree->m_hWnd)
        return;
    if (auto list = reinterpret_cast<HIMAGELIST>(tree->SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL)))
        ImageList_ReplaceIcon(list, m_nImage, m_hIcon);
}
