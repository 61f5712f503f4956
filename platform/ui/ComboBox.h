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

    int GetCount() const { return call(CB_GETCOUNT, 0, 0); }
    int AddString(LPCTSTR text) { return call(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
    int InsertString(int index, LPCTSTR text) { return call(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)); }
    int DeleteString(UINT index) { return call(CB_DELETESTRING, index, 0); }
    void ResetContent() { call(CB_RESETCONTENT, 0, 0); }
    int GetLBText(int index, LPTSTR buffer) const { return call(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)); }
    void GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const { return call(CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0); }
    int GetCurSel() const { return call(CB_GETCURSEL, 0, 0); }
    int SetCurSel(int index) { return call(CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(::SendMessage(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(index), 0)); }
    int SetItemData(int index, DWORD_PTR data) { return call(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)); }
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
    int FindString(int start, LPCTSTR text) const { return call(CB_FINDSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)); }
    int FindStringExact(int start, LPCTSTR text) const { return call(CB_FINDSTRINGEXACT, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)); }
    int SelectString(int start, LPCTSTR text) { return call(CB_SELECTSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)); }
    int GetItemHeight(int index) const { return call(CB_GETITEMHEIGHT, static_cast<WPARAM>(index), 0); }
    int SetItemHeight(int index, UINT height) { return call(CB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELPARAM(static_cast<WORD>(height), 0)); }
    void ShowDropDown(BOOL show = TRUE) { call(CB_SHOWDROPDOWN, static_cast<WPARAM>(show), 0); }
    BOOL GetDroppedState() const { return call(CB_GETDROPPEDSTATE, 0, 0); }
    BOOL LimitText(int max) { return call(CB_LIMITTEXT, static_cast<WPARAM>(max), 0); }

    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT mis);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT cis);
    virtual void DeleteItem(LPDELETEITEMSTRUCT dis);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    int call(UINT message, WPARAM wParam, LPARAM lParam) const
    {
        return static_cast<int>(::SendMessage(m_hWnd, message, wParam, lParam));
    }
};
