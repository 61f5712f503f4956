// The Info box. A double click on its caption starts the game and closes the box. The desktop's
// window manager keeps top-level captions to itself, so a double click on the box's
// background does the same.
#pragma once

#include "controls/HyperLink.h"
#include "platform/ui/Dialog.h"

class CAboutDlg : public CDialog {
public:
    static constexpr UINT IDD = 99;
    static constexpr UINT IdLink = 1017;

    CAboutDlg();

    BOOL OnInitDialog() override;

    void OnNcLButtonDblClk(UINT hitTest, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);

    CHyperLink m_link;

    DECLARE_MESSAGE_MAP()
};

// Starts the game program from its folder as a separate process; FALSE when it is missing or
// did not start. The game lies in "Game" below the start-up folder, or below the program's
// folder for an installed program started from elsewhere.
BOOL StartGame();
