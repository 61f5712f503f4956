// Customisation of the command bars: which tool bars show and a reset to their resources, the
// commands by category, the keys of the commands, and the options of the bars.
#pragma once

#include "platform/ui/ControlTypes.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/PropertySheet.h"

#include <optional>
#include <vector>

class CXTPCommandBars;
class CXTPCustomizeSheet;

// The keyboard page's template, registered on first use.
UINT KeyboardPageTemplate();

// A category of commands: a menu's caption and the commands below it.
struct XTPCommandCategory {
    CString name;
    std::vector<UINT> commands;
    std::vector<CString> menus; // drop-downs listed by caption (the built-in menus)
};
// One category per drop-down of the menu resource, commands in menu order, each once.
std::vector<XTPCommandCategory> CategoriesFromMenu(UINT menuId);

class CXTPBarsPage : public CPropertyPage {
public:
    static constexpr UINT kList = 1100, kVisible = 1101, kReset = 1102;
    explicit CXTPBarsPage(CXTPCustomizeSheet* sheet);
    BOOL OnInitDialog() override;
    void OnSelChange();
    void OnVisible();
    void OnResetBar();
    CListBox m_list;

private:
    CXTPCustomizeSheet* m_pSheet;
    DECLARE_MESSAGE_MAP()
};

// The commands list: a command dragged out of it onto a tool bar is put there.
class CXTPCommandDragList : public CListBox {
public:
    void SetCommandBars(CXTPCommandBars* bars) { m_pCommandBars = bars; }
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);

private:
    CXTPCommandBars* m_pCommandBars = nullptr;
    BOOL m_bDragging = FALSE;
    DECLARE_MESSAGE_MAP()
};

// A page with a list of categories and a list of the commands of the chosen one.
class CXTPCategoryPage : public CPropertyPage {
public:
    static constexpr UINT kCategories = 1200, kCommands = 1201;
    CXTPCategoryPage(UINT templateId, CXTPCustomizeSheet* sheet);
    void AddCategories(UINT menuId);
    const std::vector<XTPCommandCategory>& GetCategories() const { return m_categories; }
    BOOL OnInitDialog() override;
    void OnCategoryChange();
    CListBox m_categoryList;
    CXTPCommandDragList m_commandList;

protected:
    std::vector<XTPCommandCategory> m_categories;
    CXTPCustomizeSheet* m_pSheet;
    DECLARE_MESSAGE_MAP()
};

class CXTPCommandsPage : public CXTPCategoryPage {
public:
    explicit CXTPCommandsPage(CXTPCustomizeSheet* sheet);
    void AddAllCommands(LPCTSTR name = "All Commands");
    void AddBuiltInMenus(UINT menuId, LPCTSTR name = "Built-in Menus");
    void AddNewMenu(LPCTSTR name = "New Menu");
};

// The name a user reads for a key: "Ctrl+Shift+K", "F5", "Del".
CString ShortcutKeyName(const ACCEL& key);

// Takes the next key press with its Shift, Ctrl and Alt as the key to assign, and shows it.
class CXTPShortcutEdit : public CWnd {
public:
    const ACCEL& GetKey() const { return m_key; }
    void Clear();
    UINT OnGetDlgCode() { return DLGC_WANTALLKEYS | DLGC_WANTCHARS; }
    // Every key pressed here is the key to assign, never a shortcut of the windows around it.
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnKeyDown(UINT vk, UINT repeat, UINT flags);
    void OnSysKeyDown(UINT vk, UINT repeat, UINT flags) { OnKeyDown(vk, repeat, flags); }
    void OnChar(UINT, UINT, UINT) {}
    void OnSysChar(UINT, UINT, UINT) {}

private:
    ACCEL m_key{0, 0, 0};
    DECLARE_MESSAGE_MAP()
};

// The keys of the chosen command: a new one is pressed into the key field and assigned (taken
// from any command that had it), a chosen one removed; Reset All brings back the frame's own.
// Keys change at once; Cancel puts back the keys of the last Apply or of the opening.
class CXTPKeyboardPage : public CXTPCategoryPage {
public:
    static constexpr UINT kCurrentKeys = 1300, kNewKey = 1301, kAssign = 1302, kRemove = 1303, kResetAll = 1304;
    explicit CXTPKeyboardPage(CXTPCustomizeSheet* sheet);
    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    void OnCancel() override;
    void OnCategorySelected();
    void OnCommandChange();
    void OnKeySelected();
    void OnAssign();
    void OnRemove();
    void OnResetAll();
    CListBox m_currentKeys;
    CXTPShortcutEdit m_newKey;

private:
    UINT SelectedCommand() const;
    void EnableDlgItem(UINT id, BOOL enable);
    void KeysChanged();

    std::optional<std::vector<ACCEL>> m_keptKeys;
    DECLARE_MESSAGE_MAP()
};

class CXTPOptionsPage : public CPropertyPage {
public:
    static constexpr UINT kFullMenus = 1400, kScreenTips = 1402, kLargeIcons = 1403;
    explicit CXTPOptionsPage(CXTPCustomizeSheet* sheet);
    BOOL OnInitDialog() override;
    BOOL OnApply() override;

private:
    CXTPCustomizeSheet* m_pSheet;
};

class CXTPCustomizeSheet : public CPropertySheet {
public:
    explicit CXTPCustomizeSheet(CXTPCommandBars* commandBars);
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    CXTPCommandsPage* GetCommandsPage() { return &m_commands; }
    CXTPBarsPage* GetBarsPage() { return &m_toolbars; }
    // The bars take drags while the sheet is open, even over a modal run.
    BOOL OnInitDialog() override;
    void OnDestroy();

private:
    CXTPCommandBars* m_pCommandBars;
    CXTPBarsPage m_toolbars;
    CXTPCommandsPage m_commands;
    DECLARE_MESSAGE_MAP()
};
