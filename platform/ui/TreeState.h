// Private: the items of a tree window and what its window procedure and CTreeCtrl share.
#pragma once

#include "platform/gdi/ImageList.h"
#include "platform/ui/TreeCtrl.h"

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

struct _TREEITEM {
    std::string text;
    int image = 0;
    int selectedImage = 0;
    UINT state = 0;
    LPARAM data = 0;
    _TREEITEM* parent = nullptr;
    std::vector<std::unique_ptr<_TREEITEM>> children;
};

namespace ctl {

struct TreeState {
    _TREEITEM root;
    std::unordered_set<const _TREEITEM*> live; // handles that may be used
    HTREEITEM caret = nullptr;
    HTREEITEM dropHilite = nullptr;
    HTREEITEM dragItem = nullptr;
    POINT dragStart{};
    int top = 0; // index of the first visible row
    int indent = 19;
    int itemHeight = 0; // 0: from the font
    HIMAGELIST normalList = nullptr;
    HIMAGELIST stateList = nullptr;
    CImageList* normalObject = nullptr; // what SetImageList was given, for GetImageList
    CImageList* stateObject = nullptr;
    COLORREF background = CLR_INVALID; // CLR_INVALID: the system colours
    COLORREF textColour = CLR_INVALID;
    std::unique_ptr<CEdit> edit;
    HTREEITEM editing = nullptr;

    bool Valid(HTREEITEM item) const { return item && live.count(item) != 0; }
    // TVI_ROOT and null stand for the hidden root; anything else must be a live item.
    _TREEITEM* ParentFor(HTREEITEM item);
    bool IsAncestor(const _TREEITEM* ancestor, const _TREEITEM* item) const;
    std::vector<HTREEITEM> VisibleItems();
    int RowOf(HTREEITEM item);
    int RowHeight(HWND hwnd) const;
};

TreeState& TreeStateOf(HWND hwnd);
HTREEITEM TreeHitTest(HWND hwnd, POINT pt, UINT* flags);
BOOL TreeSelect(HWND hwnd, HTREEITEM item, UINT code, UINT action);
BOOL TreeExpand(HWND hwnd, HTREEITEM item, UINT code);
RECT TreeItemRect(HWND hwnd, HTREEITEM item, bool textOnly);
void TreeEnsureVisible(HWND hwnd, HTREEITEM item);
void TreeNotifyDeleted(HWND hwnd, HTREEITEM item);
CEdit* TreeEditLabel(HWND hwnd, HTREEITEM item);
// The TVM_ messages, answered through a tree object on the window.
LRESULT TreeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void TreeEndEdit(HWND hwnd, bool cancel);

} // namespace ctl
