// CListCtrl: the list view in report form — columns of text, items with sub-item text, an
// image and data, selection and focus states; clicks and arrow keys notify the parent.
#pragma once

#include "platform/core/Position.h"
#include "platform/core/String.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Wnd.h"

class CImageList;

#define WC_LISTVIEW "SysListView32"

constexpr DWORD LVS_ICON = 0x0, LVS_REPORT = 0x1, LVS_SMALLICON = 0x2, LVS_LIST = 0x3, LVS_TYPEMASK = 0x3,
                LVS_SINGLESEL = 0x4, LVS_SHOWSELALWAYS = 0x8, LVS_SORTASCENDING = 0x10,
                LVS_SORTDESCENDING = 0x20, LVS_NOCOLUMNHEADER = 0x4000;
constexpr DWORD LVS_EX_GRIDLINES = 0x1, LVS_EX_CHECKBOXES = 0x4, LVS_EX_FULLROWSELECT = 0x20;
constexpr UINT LVIF_TEXT = 0x1, LVIF_IMAGE = 0x2, LVIF_PARAM = 0x4, LVIF_STATE = 0x8;
// With check boxes, state image 1 is an empty box and 2 a ticked one.
constexpr UINT LVIS_FOCUSED = 0x1, LVIS_SELECTED = 0x2, LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT LVNI_ALL = 0x0, LVNI_FOCUSED = 0x1, LVNI_SELECTED = 0x2;
constexpr UINT LVCF_FMT = 0x1, LVCF_WIDTH = 0x2, LVCF_TEXT = 0x4, LVCF_SUBITEM = 0x8;
constexpr int LVCFMT_LEFT = 0x0, LVCFMT_RIGHT = 0x1, LVCFMT_CENTER = 0x2;
constexpr int LVSCW_AUTOSIZE = -1, LVSCW_AUTOSIZE_USEHEADER = -2;
constexpr int LVSIL_NORMAL = 0, LVSIL_SMALL = 1, LVSIL_STATE = 2;
constexpr UINT LVFI_PARAM = 0x1, LVFI_STRING = 0x2, LVFI_PARTIAL = 0x8;
constexpr UINT LVHT_NOWHERE = 0x1, LVHT_ONITEMICON = 0x2, LVHT_ONITEMLABEL = 0x4,
               LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL, LVHT_ABOVE = 0x8, LVHT_BELOW = 0x10;
constexpr UINT LVIR_BOUNDS = 0, LVIR_ICON = 1, LVIR_LABEL = 2;
constexpr UINT LVN_ITEMCHANGING = static_cast<UINT>(-100), LVN_ITEMCHANGED = static_cast<UINT>(-101),
               LVN_COLUMNCLICK = static_cast<UINT>(-108);

struct LVITEM {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
};

struct LVCOLUMN {
    UINT mask;
    int fmt;
    int cx;
    LPSTR pszText;
    int cchTextMax;
    int iSubItem;
};

struct LVFINDINFO {
    UINT flags;
    LPCSTR psz;
    LPARAM lParam;
    POINT pt;
    UINT vkDirection;
};

struct LVHITTESTINFO {
    POINT pt;
    UINT flags;
    int iItem;
    int iSubItem;
};

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
};

struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
    UINT uKeyFlags;
};

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    int InsertColumn(int column, const LVCOLUMN* info);
    BOOL DeleteColumn(int column);
    // LVSCW_AUTOSIZE fits the widest text, LVSCW_AUTOSIZE_USEHEADER the heading too.
    BOOL SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;

    // Sorted lists put the item where its text belongs; returns the index used or -1.
    int InsertItem(int index, LPCTSTR text);
    int InsertItem(int index, LPCTSTR text, int image);
    int InsertItem(const LVITEM* item);
    BOOL SetItemText(int item, int subItem, LPCTSTR text);
    CString GetItemText(int item, int subItem) const;
    int GetItemText(int item, int subItem, LPTSTR buffer, int size) const;
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    BOOL SetItem(const LVITEM* item);
    BOOL GetItem(LVITEM* item) const;
    int FindItem(LVFINDINFO* info, int start = -1) const;

    BOOL SetItemState(int item, UINT state, UINT mask);
    UINT GetItemState(int item, UINT mask) const;
    // The item's check box (LVS_EX_CHECKBOXES); a click on it or the space bar toggles it.
    BOOL SetCheck(int item, BOOL check = TRUE);
    BOOL GetCheck(int item) const;
    int GetNextItem(int item, int flags) const;
    UINT GetSelectedCount() const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;

    CImageList* SetImageList(CImageList* list, int type);
    CImageList* GetImageList(int type) const;
    DWORD SetExtendedStyle(DWORD exStyle);
    DWORD GetExtendedStyle() const;

    BOOL EnsureVisible(int item, BOOL partialOK);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    BOOL GetItemRect(int item, LPRECT rect, UINT code) const;
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int HitTest(LVHITTESTINFO* info) const;
};

LRESULT AfxListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
