// CEdit: single- and multi-line edit controls.
#pragma once

#include "platform/ui/ControlTypes.h"
#include "platform/ui/Wnd.h"

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    DWORD GetSel() const { return static_cast<DWORD>(send(EM_GETSEL, 0, 0)); }
    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void SetSel(DWORD selection, BOOL noScroll = FALSE) { SetSel(LOWORD(selection), HIWORD(selection), noScroll); }
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE) { send(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text)); }
    void LimitText(int max = 0) { send(EM_LIMITTEXT, static_cast<WPARAM>(max), 0); }
    void SetLimitText(UINT max) { send(EM_SETLIMITTEXT, max, 0); }
    UINT GetLimitText() const { return static_cast<UINT>(send(EM_GETLIMITTEXT, 0, 0)); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return static_cast<BOOL>(send(EM_SETREADONLY, readOnly, 0)); }
    BOOL GetModify() const { return static_cast<BOOL>(send(EM_GETMODIFY, 0, 0)); }
    void SetModify(BOOL modified = TRUE) { send(EM_SETMODIFY, modified, 0); }
    int GetLineCount() const { return static_cast<int>(send(EM_GETLINECOUNT, 0, 0)); }
    int LineIndex(int line = -1) const { return static_cast<int>(send(EM_LINEINDEX, static_cast<WPARAM>(line), 0)); }
    int LineLength(int index = -1) const { return static_cast<int>(send(EM_LINELENGTH, static_cast<WPARAM>(index), 0)); }
    int LineFromChar(int index = -1) const { return static_cast<int>(send(EM_LINEFROMCHAR, static_cast<WPARAM>(index), 0)); }
    // Copies at most maxLength characters of the line; no terminating zero is added.
    int GetLine(int line, LPTSTR buffer, int maxLength) const;
    int GetLine(int line, LPTSTR buffer) const;
    int GetFirstVisibleLine() const { return static_cast<int>(send(EM_GETFIRSTVISIBLELINE, 0, 0)); }
    void SetPasswordChar(TCHAR ch) { send(EM_SETPASSWORDCHAR, static_cast<BYTE>(ch), 0); }
    TCHAR GetPasswordChar() const { return static_cast<TCHAR>(send(EM_GETPASSWORDCHAR, 0, 0)); }
    BOOL CanUndo() const { return static_cast<BOOL>(send(EM_CANUNDO, 0, 0)); }
    BOOL Undo() { return static_cast<BOOL>(send(EM_UNDO, 0, 0)); }
    void EmptyUndoBuffer() { send(EM_EMPTYUNDOBUFFER, 0, 0); }
    void Clear() { send(WM_CLEAR, 0, 0); }

private:
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) const { return ::SendMessage(m_hWnd, message, wParam, lParam); }
};
