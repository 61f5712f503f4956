// The command bars of a frame: the menu bar and tool bars, their docking rows along the
// four edges, floating bars, drop-down chains, keyboard access to the menu bar, the icons
// of the commands, and the bar state kept in the profile.
#pragma once

#include "platform/toolkit/XTPControl.h"
#include "platform/ui/CmdTarget.h"

#include <memory>
#include <optional>
#include <set>
#include <vector>

struct MSG;
class CFrameWnd;
class CMenu;
class CXTPCommandBar;
class CXTPDockRows;
class CXTPIconStore;
class CXTPMenuBar;
class CXTPPopupBar;
class CXTPToolBar;

// Options of the customisation sheet, kept with the bar state.
struct CommandBarOptions {
    // A menu that grows while it is open moves its items under the pointer: menus show every
    // command unless the user asks for short ones, and a short menu grows only on request.
    BOOL alwaysFullMenus = TRUE;
    BOOL screenTips = TRUE;
    BOOL largeIcons = FALSE;
};

// Shift, Ctrl and Alt as they are held now, as ACCEL flags.
BYTE PressedKeyModifiers();

class CXTPCommandBars : public CCmdTarget {
    DECLARE_DYNCREATE(CXTPCommandBars)
public:
    CXTPCommandBars();
    ~CXTPCommandBars() override;

    void SetSite(CFrameWnd* site) { m_pSite = site; }
    CFrameWnd* GetSite() const { return m_pSite; }
    void EnableDocking();

    // A new tool bar with its title, docked at the position; null when the window fails.
    CXTPToolBar* Add(LPCTSTR title, BarDockPosition position);
    // The menu bar, built from the menu resource and docked at the top.
    CXTPMenuBar* SetMenu(LPCTSTR title, UINT menuId);
    CXTPMenuBar* GetMenuBar() const { return m_pMenuBar; }
    // The menu bar shows the menu of the active document's type in place of the frame's
    // (0, or a type without a menu of its own, shows the frame's).
    void ShowDocumentMenu(UINT menuId);
    int GetCount() const { return static_cast<int>(m_toolBars.size()); }
    CXTPToolBar* GetAt(int index) const;
    CXTPToolBar* GetToolBar(UINT barId) const;

    // Makes a floating tool bar of a drop-down that can tear off (or shows the one made
    // before), tells the site with a torn-off create-bar request and closes the drop-downs.
    CXTPToolBar* TearOffPopup(CXTPPopupBar* popup);

    // Docks the bar into the dock bar at the row and offset that the screen rectangle meets.
    void DockToolBar(CXTPToolBar* bar, LPCRECT screenRect, CXTPDockRows* dockBar);
    void DockToolBar(CXTPToolBar* bar, BarDockPosition position, int row, int offset);
    // Floats the bar in a small frame of its own at the screen point.
    void FloatToolBar(CXTPToolBar* bar, CPoint screenPt);
    CXTPDockRows* GetDockBar(BarDockPosition position) const;
    // Places the docked bars inside the rectangle (site client coordinates) and returns what
    // is left for the rest of the frame.
    CRect LayoutInFrame(const CRect& client);
    void RecalcLayout();

    CXTPIconStore* GetIconStore() const { return m_pIcons.get(); }
    // Commands that menus show only once expanded.
    void HideCommands(const UINT* ids, int count);
    BOOL IsHiddenCommand(UINT id) const { return m_hiddenCommands.count(id) != 0; }
    CommandBarOptions& GetOptions() { return m_options; }

    // Bar state (position, row, offset, visibility, floating place of every bar) and options
    // in the profile section `key`.
    void SaveBarState(LPCTSTR key) const;
    // A damaged or foreign state leaves the bars as they are.
    BOOL LoadBarState(LPCTSTR key, BOOL silent = FALSE);
    void SaveOptions(LPCTSTR key) const;
    void LoadOptions(LPCTSTR key);
    // The state as a record and back (see XTPStateRecords.h).
    std::vector<BYTE> GetBarState() const;
    BOOL SetBarState(const std::vector<BYTE>& record);

    // Shortcut keys: the frame's own until the user changes them; then the user's, kept with the
    // bar state. A key the user set runs its command, one the user took away does nothing.
    std::vector<ACCEL> GetKeys() const;
    void SetKeys(const std::vector<ACCEL>& keys);
    void ResetKeys() { m_customKeys.reset(); }
    // The user's keys as they stand, none while the frame's own are in use; put back as taken.
    std::optional<std::vector<ACCEL>> GetCustomKeys() const { return m_customKeys; }
    void SetCustomKeys(std::optional<std::vector<ACCEL>> keys) { m_customKeys = std::move(keys); }
    BOOL HasCustomKeys() const { return m_customKeys.has_value(); }
    // TRUE when the key press was one of the user's keys or one the user took away.
    BOOL TranslateCustomKeys(const MSG* msg);

    // While the customisation sheet is open the bars stay usable but run no commands: a press on
    // a control of a tool bar drags it, dropped on a bar it moves there, elsewhere it is removed;
    // other input to the frame is ignored.
    void SetCustomizeMode(BOOL on);
    BOOL IsCustomizeMode() const { return m_bCustomizing; }
    // Puts a button for the command on the tool bar under the screen point, before the control
    // there; FALSE when no tool bar is there.
    BOOL DropCommand(UINT id, CPoint screenPt);
    // TRUE when the message was used or ignored as customising asks.
    BOOL FilterCustomizeMessage(const MSG* msg);
    // A rearranged tool bar keeps its commands with the bar state until it is reset.
    BOOL IsRearranged(UINT barId) const { return m_rearranged.count(barId) != 0; }
    void ForgetRearranged(UINT barId) { m_rearranged.erase(barId); }

    // Runs the update handlers of every bar and open drop-down.
    void UpdateOnIdle();
    void RedrawCommandBars();
    // Print preview hides every bar and shows them again afterwards.
    void OnSetPreviewMode(BOOL preview);

    // The frame's messages pass here first: keyboard access to the menu bar, and closing the
    // drop-downs on a click elsewhere. TRUE when the message was used.
    BOOL FilterFrameMessage(MSG* msg);
    BOOL IsKeyboardMode() const { return m_pKeyboardBar != nullptr; }
    CXTPCommandBar* GetKeyboardBar() const { return m_pKeyboardBar; }
    void SetKeyboardBar(CXTPCommandBar* bar);
    // Leaves keyboard mode and closes every drop-down.
    void CancelTracking();

    // Open drop-downs, outermost first.
    void OnPopupOpened(CXTPPopupBar* popup);
    void OnPopupClosed(CXTPPopupBar* popup);
    CXTPPopupBar* GetTopPopup() const { return m_openPopups.empty() ? nullptr : m_openPopups.back(); }
    int GetOpenPopupCount() const { return static_cast<int>(m_openPopups.size()); }
    void ClosePopups();

    // A context menu through the bars: the command is sent to the site (or returned with
    // TPM_RETURNCMD).
    BOOL TrackPopupMenu(CMenu* menu, UINT flags, int x, int y, CWnd* owner);

    // Asks the site for a drop-down or a control (the frame's create notifications).
    BOOL RequestBar(CreateBarRequest& request) const;
    BOOL RequestControl(CreateControlRequest& request) const;

private:
    CXTPToolBar* AttachBar(CXTPToolBar* bar, LPCTSTR title, BarDockPosition position);
    static BOOL IsMenuBarKey(WPARAM vk);
    BOOL HandleKeyboardModeKey(MSG* msg);
    BOOL EnterMenuByMnemonic(char letter);
    std::vector<ACCEL> DefaultKeys() const;
    void SaveKeys(LPCTSTR key) const;
    void LoadKeys(LPCTSTR key);
    // A bar torn off in an earlier session, torn off again from its drop-down; null when no
    // drop-down tears off as that id.
    CXTPToolBar* RestoreTornOff(UINT barId);
    CXTPToolBar* ToolBarAt(CPoint screenPt) const;
    CXTPToolBar* ToolBarOf(HWND hwnd) const;
    void EndControlDrag(CPoint screenPt);
    void SaveContent(LPCTSTR key) const;
    void LoadContent(LPCTSTR key);
    void ShowNamesWithoutIcons(CXTPCommandBar* bar) const;

    CFrameWnd* m_pSite = nullptr;
    CXTPMenuBar* m_pMenuBar = nullptr;
    UINT m_nFrameMenuId = 0;
    std::vector<CXTPToolBar*> m_toolBars;
    std::unique_ptr<CXTPDockRows> m_dockBars[4];
    std::unique_ptr<CXTPIconStore> m_pIcons;
    std::set<UINT> m_hiddenCommands;
    CommandBarOptions m_options;
    std::vector<CXTPPopupBar*> m_openPopups;
    CXTPCommandBar* m_pKeyboardBar = nullptr;
    BOOL m_bAltPending = FALSE;
    // The bars' places and visibility while print preview hides them.
    std::vector<BYTE> m_previewState;
    std::optional<std::vector<ACCEL>> m_customKeys;
    BOOL m_bCustomizing = FALSE;
    CXTPToolBar* m_pDragBar = nullptr;
    int m_nDragControl = -1;
    std::set<UINT> m_rearranged;
};
