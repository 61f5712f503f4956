#include "platform/toolkit/XTPCustomizeSheet.h"

#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Resources.h"

#include <algorithm>
#include <set>

namespace {

// Page templates, registered on first use under ids of the toolkit's own.
constexpr UINT kToolbarsTemplate = 0x7F10, kCommandsTemplate = 0x7F11, kKeyboardTemplateId = 0x7F12,
               kOptionsTemplate = 0x7F13;

DialogItemTemplate item(const char* cls, const char* text, UINT id, DWORD style, short x, short y, short cx, short cy)
{
    return DialogItemTemplate{cls, text, id, WS_CHILD | WS_VISIBLE | style, 0, x, y, cx, cy};
}

DialogTemplate page(const char* caption, std::vector<DialogItemTemplate> items)
{
    DialogTemplate t;
    t.style = WS_CHILD;
    t.cx = 230;
    t.cy = 150;
    t.caption = caption;
    t.items = std::move(items);
    return t;
}

void registerTemplates()
{
    if (FindDialogResource(kToolbarsTemplate))
        return;
    constexpr DWORD kList = LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
    RegisterDialogResource(kToolbarsTemplate,
                           page("Toolbars", {item("listbox", "", CXTPBarsPage::kList, kList, 7, 7, 150, 130),
                                             item("button", "&Visible", CXTPBarsPage::kVisible,
                                                  BS_AUTOCHECKBOX | WS_TABSTOP, 165, 7, 60, 12),
                                             item("button", "&Reset", CXTPBarsPage::kReset,
                                                  BS_PUSHBUTTON | WS_TABSTOP, 165, 24, 60, 14)}));
    RegisterDialogResource(kCommandsTemplate,
                           page("Commands", {item("listbox", "", CXTPCategoryPage::kCategories, kList, 7, 7, 100, 130),
                                             item("listbox", "", CXTPCategoryPage::kCommands, kList, 112, 7, 110, 130)}));
    RegisterDialogResource(
        kKeyboardTemplateId,
        page("Keyboard",
             {item("listbox", "", CXTPCategoryPage::kCategories, kList, 7, 7, 100, 58),
              item("listbox", "", CXTPCategoryPage::kCommands, kList, 7, 70, 100, 74),
              item("static", "Current Keys:", 0xFFFF, 0, 112, 7, 110, 9),
              item("listbox", "", CXTPKeyboardPage::kCurrentKeys, kList, 112, 17, 110, 44),
              item("static", "Press new key:", 0xFFFF, 0, 112, 66, 110, 9),
              item("edit", "", CXTPKeyboardPage::kNewKey, WS_BORDER | WS_TABSTOP | ES_READONLY, 112, 76, 110, 13),
              item("button", "&Assign", CXTPKeyboardPage::kAssign, BS_PUSHBUTTON | WS_TABSTOP, 112, 95, 52, 14),
              item("button", "&Remove", CXTPKeyboardPage::kRemove, BS_PUSHBUTTON | WS_TABSTOP, 170, 95, 52, 14),
              item("button", "Reset A&ll", CXTPKeyboardPage::kResetAll, BS_PUSHBUTTON | WS_TABSTOP, 112, 114,
                   110, 14)}));
    constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
    RegisterDialogResource(kOptionsTemplate,
                           page("Options", {item("button", "Always show &full menus", CXTPOptionsPage::kFullMenus,
                                                 kCheck, 7, 7, 200, 12),
                                            item("button", "Show &ScreenTips on toolbars",
                                                 CXTPOptionsPage::kScreenTips, kCheck, 7, 22, 200, 12),
                                            item("button", "&Large icons", CXTPOptionsPage::kLargeIcons, kCheck,
                                                 7, 37, 200, 12)}));
}

// The menu caption without its mnemonic.
CString plainCaption(const std::string& text)
{
    CString caption = text.c_str();
    caption.Remove('&');
    return caption;
}

void collect(const std::vector<MenuTemplateItem>& items, std::vector<UINT>& commands, std::set<UINT>& seen)
{
    for (const MenuTemplateItem& it : items) {
        if (!it.children.empty())
            collect(it.children, commands, seen);
        else if (it.id != 0 && !(it.flags & MF_SEPARATOR) && seen.insert(it.id).second)
            commands.push_back(it.id);
    }
}

// The command's name for the lists: its caption, else its number.
CString commandName(UINT id)
{
    CString text = CommandCaption(id);
    if (text.IsEmpty())
        text.Format("%u", id);
    return text;
}

void fillCommands(CListBox& list, const XTPCommandCategory& category)
{
    list.ResetContent();
    for (UINT id : category.commands)
        list.SetItemData(list.AddString(commandName(id)), id);
    for (const CString& menu : category.menus)
        list.AddString(menu);
}

void fillCategories(CListBox& list, const std::vector<XTPCommandCategory>& categories)
{
    list.ResetContent();
    for (const XTPCommandCategory& c : categories)
        list.AddString(c.name);
    if (!categories.empty())
        list.SetCurSel(0);
}

} // namespace

std::vector<XTPCommandCategory> CategoriesFromMenu(UINT menuId)
{
    std::vector<XTPCommandCategory> categories;
    const std::vector<MenuTemplateItem>* menu = FindMenuResource(menuId);
    if (!menu)
        return categories;
    for (const MenuTemplateItem& top : *menu) {
        if (top.children.empty())
            continue;
        XTPCommandCategory category{plainCaption(top.text), {}, {}};
        std::set<UINT> seen;
        collect(top.children, category.commands, seen);
        categories.push_back(std::move(category));
    }
    return categories;
}

CXTPBarsPage::CXTPBarsPage(CXTPCustomizeSheet* sheet)
    : CPropertyPage((registerTemplates(), kToolbarsTemplate)), m_pSheet(sheet)
{
}

BOOL CXTPBarsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_list.SubclassDlgItem(kList, this);
    CXTPCommandBars* bars = m_pSheet->GetCommandBars();
    for (int i = 0; bars && i < bars->GetCount(); ++i)
        m_list.SetItemData(m_list.AddString(bars->GetAt(i)->GetTitle()), static_cast<DWORD_PTR>(i));
    m_list.SetCurSel(0);
    OnSelChange();
    return TRUE;
}

void CXTPBarsPage::OnSelChange()
{
    CXTPCommandBars* bars = m_pSheet->GetCommandBars();
    CXTPToolBar* bar = bars ? bars->GetAt(m_list.GetCurSel()) : nullptr;
    CheckDlgButton(kVisible, bar && bar->IsVisible() ? BST_CHECKED : BST_UNCHECKED);
    // The menu bar always shows: a frame without it could not be used.
    if (CWnd* visible = GetDlgItem(kVisible))
        visible->EnableWindow(bar && bar != bars->GetMenuBar());
}

void CXTPBarsPage::OnVisible()
{
    CXTPCommandBars* bars = m_pSheet->GetCommandBars();
    CXTPToolBar* bar = bars ? bars->GetAt(m_list.GetCurSel()) : nullptr;
    if (bar && bar != bars->GetMenuBar())
        bar->SetVisible(IsDlgButtonChecked(kVisible) == BST_CHECKED);
}

void CXTPBarsPage::OnResetBar()
{
    CXTPCommandBars* bars = m_pSheet->GetCommandBars();
    CXTPToolBar* bar = bars ? bars->GetAt(m_list.GetCurSel()) : nullptr;
    if (!bar)
        return;
    if (auto* menu = DYNAMIC_DOWNCAST(CXTPMenuBar, bar))
        menu->LoadMenuBar(menu->GetMenuId());
    else if (FindToolBarResource(bar->GetBarID()))
        bar->LoadToolBar(bar->GetBarID());
    bars->ForgetRearranged(bar->GetBarID());
    bars->RecalcLayout();
}

BEGIN_MESSAGE_MAP(CXTPBarsPage, CPropertyPage)
    ON_LBN_SELCHANGE(kList, OnSelChange)
    ON_BN_CLICKED(kVisible, OnVisible)
    ON_BN_CLICKED(kReset, OnResetBar)
END_MESSAGE_MAP()

CXTPCategoryPage::CXTPCategoryPage(UINT templateId, CXTPCustomizeSheet* sheet)
    : CPropertyPage((registerTemplates(), templateId)), m_pSheet(sheet)
{
}

void CXTPCategoryPage::AddCategories(UINT menuId)
{
    for (XTPCommandCategory& c : CategoriesFromMenu(menuId))
        m_categories.push_back(std::move(c));
}

BOOL CXTPCategoryPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_categoryList.SubclassDlgItem(kCategories, this);
    m_commandList.SubclassDlgItem(kCommands, this);
    m_commandList.SetCommandBars(m_pSheet->GetCommandBars());
    fillCategories(m_categoryList, m_categories);
    OnCategoryChange();
    return TRUE;
}

void CXTPCategoryPage::OnCategoryChange()
{
    int index = m_categoryList.GetCurSel();
    if (index >= 0 && index < static_cast<int>(m_categories.size()))
        fillCommands(m_commandList, m_categories[static_cast<size_t>(index)]);
}

BEGIN_MESSAGE_MAP(CXTPCategoryPage, CPropertyPage)
    ON_LBN_SELCHANGE(kCategories, OnCategoryChange)
END_MESSAGE_MAP()

CXTPCommandsPage::CXTPCommandsPage(CXTPCustomizeSheet* sheet)
    : CXTPCategoryPage(kCommandsTemplate, sheet)
{
}

void CXTPCommandsPage::AddAllCommands(LPCTSTR name)
{
    XTPCommandCategory all{name, {}, {}};
    std::set<UINT> seen;
    for (const XTPCommandCategory& c : m_categories)
        for (UINT id : c.commands)
            if (seen.insert(id).second)
                all.commands.push_back(id);
    std::sort(all.commands.begin(), all.commands.end(),
              [](UINT a, UINT b) { return commandName(a).CompareNoCase(commandName(b)) < 0; });
    m_categories.push_back(std::move(all));
}

void CXTPCommandsPage::AddBuiltInMenus(UINT menuId, LPCTSTR name)
{
    XTPCommandCategory menus{name, {}, {}};
    for (const XTPCommandCategory& c : CategoriesFromMenu(menuId))
        menus.menus.push_back(c.name);
    m_categories.push_back(std::move(menus));
}

void CXTPCommandsPage::AddNewMenu(LPCTSTR name)
{
    m_categories.push_back(XTPCommandCategory{name, {}, {}});
}

UINT KeyboardPageTemplate()
{
    registerTemplates();
    return kKeyboardTemplateId;
}

namespace {

struct OptionBox {
    UINT id;
    BOOL CommandBarOptions::*field;
};
constexpr OptionBox kOptionBoxes[] = {
    {CXTPOptionsPage::kFullMenus, &CommandBarOptions::alwaysFullMenus},
    {CXTPOptionsPage::kScreenTips, &CommandBarOptions::screenTips},
    {CXTPOptionsPage::kLargeIcons, &CommandBarOptions::largeIcons},
};

} // namespace

CXTPOptionsPage::CXTPOptionsPage(CXTPCustomizeSheet* sheet)
    : CPropertyPage((registerTemplates(), kOptionsTemplate)), m_pSheet(sheet)
{
}

BOOL CXTPOptionsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (CXTPCommandBars* bars = m_pSheet->GetCommandBars())
        for (const OptionBox& box : kOptionBoxes)
            CheckDlgButton(box.id, bars->GetOptions().*box.field ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

BOOL CXTPOptionsPage::OnApply()
{
    if (CXTPCommandBars* bars = m_pSheet->GetCommandBars()) {
        for (const OptionBox& box : kOptionBoxes)
            bars->GetOptions().*box.field = IsDlgButtonChecked(box.id) == BST_CHECKED;
        bars->RedrawCommandBars();
    }
    return CPropertyPage::OnApply();
}

CXTPCustomizeSheet::CXTPCustomizeSheet(CXTPCommandBars* commandBars)
    : CPropertySheet("Customize"), m_pCommandBars(commandBars), m_toolbars(this), m_commands(this)
{
    AddPage(&m_toolbars);
    AddPage(&m_commands);
}

BEGIN_MESSAGE_MAP(CXTPCommandDragList, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CXTPCommandDragList::OnLButtonDown(UINT, CPoint)
{
    Default();
    if (!m_pCommandBars || GetCurSel() < 0 || !GetItemData(GetCurSel()))
        return;
    m_bDragging = TRUE;
    SetCapture();
}

void CXTPCommandDragList::OnLButtonUp(UINT, CPoint point)
{
    Default();
    if (!m_bDragging)
        return;
    m_bDragging = FALSE;
    ReleaseCapture();
    CRect own;
    GetClientRect(&own);
    if (own.PtInRect(point))
        return;
    ClientToScreen(&point);
    m_pCommandBars->DropCommand(static_cast<UINT>(GetItemData(GetCurSel())), point);
}

BEGIN_MESSAGE_MAP(CXTPCustomizeSheet, CPropertySheet)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CXTPCustomizeSheet::OnInitDialog()
{
    BOOL result = CPropertySheet::OnInitDialog();
    if (m_pCommandBars) {
        m_pCommandBars->SetCustomizeMode(TRUE);
        if (CFrameWnd* site = m_pCommandBars->GetSite())
            site->EnableWindow(TRUE);
    }
    return result;
}

void CXTPCustomizeSheet::OnDestroy()
{
    if (m_pCommandBars)
        m_pCommandBars->SetCustomizeMode(FALSE);
    CPropertySheet::OnDestroy();
}
