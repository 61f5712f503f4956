// Customisation of the command bars: which tool bars show and a reset to their resources, the
// commands by category, the keys of the commands, and the options of the bars.
#pragma once

#include "platform/ui/ListBox.h"
#include "platform/ui/PropertySheet.h"

#include <vector>

class CXTPCommandBars;
class CXTPCustomizeSheet;

// A category of commands: a menu's caption and the commands below it.
struct XTPCommandCategory {
    CString name;
    std::vector<UINT> commands;
    std::vector<CString> menus; // drop-downs listed by caption (the built-in menus)
};
// One category per drop-down of the menu resource, commands in menu order, each once.
std::vector<XTPCommandCategory> CategoriesFromMenu(UINT menuId);

class CXTPCustomizeToolbarsPage : public CPropertyPage {
public:
    static constexpr UINT kList = 1100, kVisible = 1101, kReset = 1102;
    explicit CXTPCustomizeToolbarsPage(CXTPCustomizeSheet* sheet);
    BOOL OnInitDialog() override;
    void OnSelChange();
    void OnVisible();
    void OnResetBar();
    CListBox m_list;

private:
    CXTPCustomizeSheet* m_pSheet;
    DECLARE_MESSAGE_MAP()
};

// A page with a list of categories and a list of the commands of the chosen one.
class CXTPCustomizeCategoryPage : public CPropertyPage {
public:
    static constexpr UINT kCategories = 1200, kCommands = 1201;
    CXTPCustomizeCategoryPage(UINT templateId, CXTPCustomizeSheet* sheet);
    void AddCategories(UINT menuId);
    const std::vector<XTPCommandCategory>& GetCategories() const { return m_categories; }
    BOOL OnInitDialog() override;
    void OnCategoryChange();
    CListBox m_categoryList;
    CListBox m_commandList;

protected:
    std::vector<XTPCommandCategory> m_categories;
    CXTPCustomizeSheet* m_pSheet;
    DECLARE_MESSAGE_MAP()
};

class CXTPCustomizeCommandsPage : public CXTPCustomizeCategoryPage {
public:
    explicit CXTPCustomizeCommandsPage(CXTPCustomizeSheet* sheet);
    void InsertAllCommandsCategory(LPCTSTR name = "All Commands");
    void InsertBuiltInMenus(UINT menuId, LPCTSTR name = "Built-in Menus");
    void InsertNewMenuCategory(LPCTSTR name = "New Menu");
};

class CXTPCustomizeKeyboardPage : public CXTPCustomizeCategoryPage {
public:
    explicit CXTPCustomizeKeyboardPage(CXTPCustomizeSheet* sheet);
};

class CXTPCustomizeOptionsPage : public CPropertyPage {
public:
    static constexpr UINT kFullMenus = 1400, kFullAfterDelay = 1401, kScreenTips = 1402, kLargeIcons = 1403;
    explicit CXTPCustomizeOptionsPage(CXTPCustomizeSheet* sheet);
    BOOL OnInitDialog() override;
    BOOL OnApply() override;

private:
    CXTPCustomizeSheet* m_pSheet;
};

class CXTPCustomizeSheet : public CPropertySheet {
public:
    explicit CXTPCustomizeSheet(CXTPCommandBars* commandBars);
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    CXTPCustomizeCommandsPage* GetCommandsPage() { return &m_commands; }
    CXTPCustomizeToolbarsPage* GetToolbarsPage() { return &m_toolbars; }

private:
    CXTPCommandBars* m_pCommandBars;
    CXTPCustomizeToolbarsPage m_toolbars;
    CXTPCustomizeCommandsPage m_commands;
};
