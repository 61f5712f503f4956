// Messages and requests between the command bars, docking panes, task panel and tab client
// and the frame that hosts them.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

class CXTPCommandBar;
class CXTPControl;

// Sent to the site frame while bars are built; the handler answers TRUE when it supplied something.
constexpr UINT WM_XTP_CREATECONTROL = 0x052F;    // lParam: CreateControlRequest*
constexpr UINT WM_XTP_CREATECOMMANDBAR = 0x0530; // lParam: CreateBarRequest*
// Mouse messages on the row of the tab client: wParam the mouse message, lParam a POINT* (screen).
constexpr UINT WM_XTP_TABCLIENTMOUSE = 0x0484;
// Docking panes: wParam the action, lParam the CXTPDockingPane*.
constexpr UINT WM_XTP_DOCKINGPANENOTIFY = 0x89E6;
constexpr WPARAM PaneActionShowWindow = 1, PaneActionClosing = 3;
// Task panel: wParam the notification, lParam the CXTPTaskItem*.
constexpr UINT WM_XTP_TASKPANELNOTIFY = 0x8A18;
constexpr WPARAM TaskPanelItemClick = 1;

enum CommandControlType : int {
    ControlTypeNone = 0,
    ControlTypeButton = 1,
    ControlTypePopup = 2,
    ControlTypeButtonPopup = 3,
    ControlTypeSplitButtonPopup = 4,
    ControlTypeComboBox = 5,
    ControlTypeEdit = 6,
    ControlTypeCustom = 7,
};

// What a button shows.
enum CommandButtonStyle : int { ButtonAutomatic = 0, ButtonCaption = 1, ButtonIcon = 2, ButtonIconAndCaption = 3 };

enum BarDockPosition : int { BarTop = 0, BarBottom = 1, BarLeft = 2, BarRight = 3, BarFloating = 4, BarPopup = 5, BarNone = 6 };

struct CreateBarRequest {
    CXTPCommandBar* pCommandBar = nullptr; // filled by the handler (a torn-off request carries it)
    BOOL bPopup = FALSE;
    BOOL bTearOffBar = FALSE;
    CString strCaption;
    UINT nID = 0;
};

struct CreateControlRequest {
    UINT nID = 0;
    CXTPControl* pControl = nullptr; // filled by the handler
    BOOL bToolBar = FALSE;
    CXTPCommandBar* pCommandBar = nullptr;
    CommandControlType controlType = ControlTypeButton;
};
