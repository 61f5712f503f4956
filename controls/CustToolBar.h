// A tool bar the user customizes through its right-click dialog: buttons come from a table
// of all the buttons it may hold, Reset goes back to how the bar was when the dialog opened
// (or, with Ctrl held, to the whole table), and each change is kept under the bar's profile
// key. CCoolComboBar also keeps the child windows placed over the buttons they stand for.
#pragma once

#include "platform/ui/ControlBar.h"

#include <vector>

class CCustToolBar : public CToolBar {
    DECLARE_DYNAMIC(CCustToolBar)
public:
    // Where the buttons are kept (a profile section); empty keeps nothing.
    void SetStateKey(LPCTSTR key) { m_key = key ? key : ""; }
    CString GetStateKey() const { return m_key; }
    // The buttons the customize dialog offers.
    void SetButtonTable(const std::vector<TBBUTTON>& table) { m_table = table; }
    const std::vector<TBBUTTON>& GetButtonTable() const { return m_table; }
    // The text the dialog shows for a command: the third part of its string, else the second.
    static CString ButtonText(UINT command);

    virtual void SaveState(LPCTSTR key);
    // Puts back the buttons kept under the key; FALSE (bar unchanged) when none are kept or
    // the kept record is damaged or names a command the table lacks.
    virtual BOOL RestoreState(LPCTSTR key);
    virtual void UpdateLayout();
    virtual std::vector<TBBUTTON> TakeSnapshot() const;
    virtual void RestoreButtons(const std::vector<TBBUTTON>& buttons);

protected:
    virtual void OnToolBarChange();

    void OnBeginAdjust(NMHDR* header, LRESULT* result);
    void OnEndAdjust(NMHDR* header, LRESULT* result);
    void OnGetButtonInfo(NMHDR* header, LRESULT* result);
    void OnQueryChange(NMHDR* header, LRESULT* result);
    void OnDrag(NMHDR* header, LRESULT* result);
    void OnReset(NMHDR* header, LRESULT* result);
    void OnChange(NMHDR* header, LRESULT* result);
    void OnHelp(NMHDR* header, LRESULT* result);
    void OnRButtonDown(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    bool Offers(int command) const;

    CString m_key;
    std::vector<TBBUTTON> m_table;
    std::vector<TBBUTTON> m_snapshot;
};

class CCoolComboBar : public CCustToolBar {
    DECLARE_DYNAMIC(CCoolComboBar)
public:
    // Moves every child whose id is a button's command to that button's top-left corner.
    void PlaceChildren();

protected:
    void OnToolBarChange() override;
    void OnWindowPosChanged(WINDOWPOS* pos);

    DECLARE_MESSAGE_MAP()
};
