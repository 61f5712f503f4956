// CComboBox: simple, drop-down and drop-down-list combo boxes; owner-drawn ones get DrawItem,
// MeasureItem, CompareItem and DeleteItem through reflection.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Wnd.h"

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCount() const { return sendInt(CB_GETCOUNT, 0, 0); }
    int AddString(LPCTSTR text) { return sendInt(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
    int InsertString(int index, LPCTSTR text) { return sendInt(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)); }
    int DeleteString(UINT index) { return sendInt(CB_DELETESTRING, index, 0); }
    void ResetContent() { sendInt(CB_RESETCONTENT, 0, 0); }
    int GetLBText(int index, LPTSTR buffer) const { return sendInt(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)); }
    void GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const { return sendInt(CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0); }
    int GetCurSel() const { return sendInt(CB_GETCURSEL, 0, 0); }
    int SetCurSel(int index) { return sendInt(CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(::SendMessage(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(index), 0)); }
    int SetItemData(int index, DWORD_PTR data) { return sendInt(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)); }
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
    int FindString(int start, LPCTSTR text) const { return sendInt(CB_FINDSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)); }
    int FindStringExact(int start, LPCTSTR text) const { return sendInt(CB_FINDSTRINGEXACT, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)); }
    int SelectString(int start, LPCTSTR text) { return sendInt(CB_SELECTSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)); }
    int GetItemHeight(int index) const { return sendInt(CB_GETITEMHEIGHT, static_cast<WPARAM>(index), 0); }
    int SetItemHeight(int index, UINT height) { return sendInt(CB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELPARAM(static_cast<WORD>(height), 0)); }
    void ShowDropDown(BOOL show = TRUE) { sendInt(CB_SHOWDROPDOWN, static_cast<WPARAM>(show), 0); }
    BOOL GetDroppedState() const { return sendInt(CB_GETDROPPEDSTATE, 0, 0); }
    BOOL LimitText(int max) { return sendInt(CB_LIMITTEXT, static_cast<WPARAM>(max), 0); }

    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT mis);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT cis);
    virtual void DeleteItem(LPDELETEITEMSTRUCT dis);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
