// The tool bar's customize dialog: the buttons the bar's owner offers on the left, the bar's
// buttons on the right; Add, Remove, Move Up, Move Down and Reset change the bar at once and
// tell its owner through the TBN_ notifications.
#pragma once

#include "platform/ui/ControlBar.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"

#include <vector>

class CToolBarCustomizeDlg : public CDialog {
public:
    enum : UINT { kAvailableList = 201, kCurrentList, kAdd, kRemove, kReset, kHelp, kMoveUp, kMoveDown };

    explicit CToolBarCustomizeDlg(CToolBar& bar);
    static DialogTemplate Template();

    // Puts the offered button before the bar's button (or at the end for the bar's count).
    BOOL AddButton(int available, int before);
    BOOL RemoveButton(int index);
    BOOL MoveButton(int from, int to);
    void Reset();
    int GetAvailableCount() const { return static_cast<int>(m_available.size()); }
    const TBBUTTON& GetAvailable(int index) const { return m_available[static_cast<size_t>(index)].button; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    struct Offer {
        TBBUTTON button;
        CString text;
    };
    void AskForButtons();
    void Fill();
    CString TextOf(const TBBUTTON& button) const;
    void Changed();

    CToolBar& m_bar;
    std::vector<Offer> m_available;
    CListBox m_availableList;
    CListBox m_currentList;
    BOOL m_adjusting = FALSE;
};
