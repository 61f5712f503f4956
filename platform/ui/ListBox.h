// CListBox: list boxes with single, multiple or extended selection; owner-drawn lists get
// DrawItem, MeasureItem, CompareItem and DeleteItem through reflection.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Wnd.h"

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCount() const { return sendInt(LB_GETCOUNT, 0, 0); }
    int AddString(LPCTSTR text) { return sendInt(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
    int InsertString(int index, LPCTSTR text) { return sendInt(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)); }
    int DeleteString(UINT index) { return sendInt(LB_DELETESTRING, index, 0); }
    void ResetContent() { sendInt(LB_RESETCONTENT, 0, 0); }
    int GetText(int index, LPTSTR buffer) const { return sendInt(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)); }
    void GetText(int index, CString& text) const;
    int GetTextLen(int index) const { return sendInt(LB_GETTEXTLEN, static_cast<WPARAM>(index), 0); }
    int GetCurSel() const { return sendInt(LB_GETCURSEL, 0, 0); }
    int SetCurSel(int index) { return sendInt(LB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    int GetSel(int index) const { return sendInt(LB_GETSEL, static_cast<WPARAM>(index), 0); }
    int SetSel(int index, BOOL select = TRUE) { return sendInt(LB_SETSEL, static_cast<WPARAM>(select), index); }
    int GetSelCount() const { return sendInt(LB_GETSELCOUNT, 0, 0); }
    int GetSelItems(int max, LPINT indexes) const { return sendInt(LB_GETSELITEMS, static_cast<WPARAM>(max), reinterpret_cast<LPARAM>(indexes)); }
    DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(::SendMessage(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(index), 0)); }
    int SetItemData(int index, DWORD_PTR data) { return sendInt(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)); }
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
    int GetItemRect(int index, LPRECT rect) const { return sendInt(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)); }
    int GetItemHeight(int index) const { return sendInt(LB_GETITEMHEIGHT, static_cast<WPARAM>(index), 0); }
    int SetItemHeight(int index, UINT height) { return sendInt(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELPARAM(static_cast<WORD>(height), 0)); }
    int FindString(int start, LPCTSTR text) const { return sendInt(LB_FINDSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)); }
    int FindStringExact(int start, LPCTSTR text) const { return sendInt(LB_FINDSTRINGEXACT, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)); }
    int SelectString(int start, LPCTSTR text) { return sendInt(LB_SELECTSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)); }
    int GetTopIndex() const { return sendInt(LB_GETTOPINDEX, 0, 0); }
    int SetTopIndex(int index) { return sendInt(LB_SETTOPINDEX, static_cast<WPARAM>(index), 0); }
    int GetCaretIndex() const { return sendInt(LB_GETCARETINDEX, 0, 0); }
    int SetCaretIndex(int index, BOOL scroll = TRUE) { return sendInt(LB_SETCARETINDEX, static_cast<WPARAM>(index), scroll); }
    // The item under a client point; outside is TRUE when the point is below the last item.
    UINT ItemFromPoint(CPoint pt, BOOL& outside) const;

    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT mis);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT cis);
    virtual void DeleteItem(LPDELETEITEMSTRUCT dis);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// Reads an item's text (or owner data) into text, sized by the control's length message.
void AfxItemText(HWND hwnd, UINT lengthMessage, UINT textMessage, int index, CString& text);
