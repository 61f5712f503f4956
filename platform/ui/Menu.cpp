// Menus as an in-memory tree, accelerator tables, and the CMenu wrapper.
#include "platform/ui/Menu.h"
#include "platform/ui/LanguageTexts.h"

#include "platform/ui/Resources.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/TestScript.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WindowTable.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QPixmap>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

struct MenuItem {
    UINT flags = 0;
    UINT_PTR id = 0;
    std::string text;
    HMENU popup = nullptr;
};

struct MenuData {
    std::vector<MenuItem> items;
};

std::set<MenuData*>& liveMenus()
{
    static std::set<MenuData*> menus;
    return menus;
}

MenuData* data(HMENU menu)
{
    auto* d = reinterpret_cast<MenuData*>(menu);
    return liveMenus().count(d) ? d : nullptr;
}

HMENU newMenu()
{
    auto* d = new MenuData;
    liveMenus().insert(d);
    return reinterpret_cast<HMENU>(d);
}

// Finds an item by position, or by command anywhere in the tree.
MenuItem* findItem(HMENU menu, UINT item, UINT flags)
{
    MenuData* d = data(menu);
    if (!d)
        return nullptr;
    if (flags & MF_BYPOSITION)
        return item < d->items.size() ? &d->items[item] : nullptr;
    for (MenuItem& m : d->items) {
        if (!(m.flags & MF_POPUP) && m.id == item && !(m.flags & MF_SEPARATOR))
            return &m;
        if (m.flags & MF_POPUP)
            if (MenuItem* inner = findItem(m.popup, item, flags))
                return inner;
    }
    return nullptr;
}

// The list holding an item and its index, for insertion and removal.
bool locate(HMENU menu, UINT item, UINT flags, MenuData** owner, size_t* index)
{
    MenuData* d = data(menu);
    if (!d)
        return false;
    if (flags & MF_BYPOSITION) {
        if (item > d->items.size())
            return false;
        *owner = d;
        *index = item;
        return true;
    }
    for (size_t i = 0; i < d->items.size(); ++i) {
        MenuItem& m = d->items[i];
        if (!(m.flags & MF_POPUP) && m.id == item) {
            *owner = d;
            *index = i;
            return true;
        }
        if ((m.flags & MF_POPUP) && locate(m.popup, item, flags, owner, index))
            return true;
    }
    return false;
}

MenuItem makeItem(UINT flags, UINT_PTR id, LPCSTR text)
{
    MenuItem m;
    m.flags = flags & ~(MF_BYPOSITION | MF_APPEND | MF_CHANGE | MF_DELETE | MF_REMOVE);
    if (flags & MF_POPUP)
        m.popup = reinterpret_cast<HMENU>(id);
    else
        m.id = id;
    if (text && !(flags & (MF_SEPARATOR | MF_OWNERDRAW)))
        m.text = text;
    return m;
}

struct AccelTable {
    std::vector<ACCEL> entries;
};

std::set<AccelTable*>& liveTables()
{
    static std::set<AccelTable*> tables;
    return tables;
}

} // namespace

HMENU CreateMenu() { return newMenu(); }
HMENU CreatePopupMenu() { return newMenu(); }
BOOL IsMenu(HMENU menu) { return data(menu) != nullptr; }

BOOL DestroyMenu(HMENU menu)
{
    MenuData* d = data(menu);
    if (!d)
        return FALSE;
    liveMenus().erase(d);
    for (MenuItem& m : d->items)
        if (m.flags & MF_POPUP)
            DestroyMenu(m.popup);
    delete d;
    return TRUE;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR text)
{
    MenuData* d = data(menu);
    if (!d || ((flags & MF_POPUP) && !data(reinterpret_cast<HMENU>(idOrPopup))))
        return FALSE;
    d->items.push_back(makeItem(flags, idOrPopup, text));
    return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text)
{
    MenuData* owner = nullptr;
    size_t index = 0;
    if (position == 0xFFFFFFFF && (flags & MF_BYPOSITION))
        return AppendMenu(menu, flags, idOrPopup, text);
    if (!locate(menu, position, flags, &owner, &index))
        return FALSE;
    owner->items.insert(owner->items.begin() + static_cast<long>(index), makeItem(flags, idOrPopup, text));
    return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text)
{
    MenuItem* m = findItem(menu, position, flags);
    if (!m)
        return FALSE;
    *m = makeItem(flags, idOrPopup, text);
    return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags)
{
    MenuData* owner = nullptr;
    size_t index = 0;
    if (!locate(menu, position, flags, &owner, &index) || index >= owner->items.size())
        return FALSE;
    owner->items.erase(owner->items.begin() + static_cast<long>(index));
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags)
{
    MenuData* owner = nullptr;
    size_t index = 0;
    if (!locate(menu, position, flags, &owner, &index) || index >= owner->items.size())
        return FALSE;
    HMENU popup = (owner->items[index].flags & MF_POPUP) ? owner->items[index].popup : nullptr;
    owner->items.erase(owner->items.begin() + static_cast<long>(index));
    if (popup)
        DestroyMenu(popup);
    return TRUE;
}

namespace {

// Replaces the flags under mask, keeping the rest; the old ones, or -1 without such an item.
UINT replaceFlags(HMENU menu, UINT item, UINT flags, UINT mask)
{
    MenuItem* m = findItem(menu, item, flags);
    if (!m)
        return 0xFFFFFFFF;
    UINT old = m->flags & mask;
    m->flags = (m->flags & ~mask) | (flags & mask);
    return old;
}

} // namespace

UINT EnableMenuItem(HMENU menu, UINT item, UINT enable) { return replaceFlags(menu, item, enable, MF_GRAYED | MF_DISABLED); }

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) { return replaceFlags(menu, item, check, MF_CHECKED); }

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags)
{
    bool found = false;
    for (UINT i = first; i <= last; ++i)
        if (MenuItem* m = findItem(menu, i, flags)) {
            m->flags = (i == check) ? (m->flags | MF_CHECKED) : (m->flags & ~MF_CHECKED);
            found = found || i == check;
        }
    return found;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags)
{
    MenuItem* m = findItem(menu, item, flags);
    if (!m)
        return 0xFFFFFFFF;
    if (m->flags & MF_POPUP) {
        MenuData* sub = data(m->popup);
        return ((sub ? static_cast<UINT>(sub->items.size()) : 0) << 8) | (m->flags & 0xFF);
    }
    return m->flags;
}

int GetMenuItemCount(HMENU menu)
{
    MenuData* d = data(menu);
    return d ? static_cast<int>(d->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position)
{
    MenuData* d = data(menu);
    if (!d || position < 0 || static_cast<size_t>(position) >= d->items.size())
        return 0xFFFFFFFF;
    const MenuItem& m = d->items[static_cast<size_t>(position)];
    return (m.flags & MF_POPUP) ? 0xFFFFFFFF : static_cast<UINT>(m.id);
}

HMENU GetSubMenu(HMENU menu, int position)
{
    MenuData* d = data(menu);
    if (!d || position < 0 || static_cast<size_t>(position) >= d->items.size())
        return nullptr;
    const MenuItem& m = d->items[static_cast<size_t>(position)];
    return (m.flags & MF_POPUP) ? m.popup : nullptr;
}

int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags)
{
    MenuItem* m = findItem(menu, item, flags);
    if (!m)
        return 0;
    if (!buffer || size <= 0)
        return static_cast<int>(m->text.size());
    int n = std::min<int>(static_cast<int>(m->text.size()), size - 1);
    memcpy(buffer, m->text.data(), static_cast<size_t>(n));
    buffer[n] = 0;
    return n;
}

HMENU GetMenu(HWND hwnd)
{
    if (!hwnd || (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD))
        return nullptr;
    return reinterpret_cast<HMENU>(GetWindowLongPtr(hwnd, GWL_ID));
}

BOOL SetMenu(HWND hwnd, HMENU menu)
{
    if (!IsWindow(hwnd) || (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) || (menu && !IsMenu(menu)))
        return FALSE;
    HMENU old = GetMenu(hwnd);
    SetWindowLongPtr(hwnd, GWL_ID, reinterpret_cast<LONG_PTR>(menu));
    if ((old != nullptr) != (menu != nullptr))
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    else if (ui::Window* w = ui::Find(hwnd); w && ui::IsVisibleChain(w))
        w->frameNeeded = true;
    return TRUE;
}

BOOL DrawMenuBar(HWND hwnd)
{
    ui::Window* w = ui::Find(hwnd);
    if (!w)
        return FALSE;
    w->frameNeeded = ui::IsVisibleChain(w);
    return TRUE;
}

namespace {

void fillQtMenu(QMenu* target, HMENU menu, UINT* chosen)
{
    MenuData* d = data(menu);
    if (!d)
        return;
    for (const MenuItem& m : d->items) {
        // Qt marks mnemonics and literal ampersands as menus here do: "&N" and "&&".
        QString text = QString::fromLatin1(Parlex_ShownText(m.text).c_str());
        if (m.flags & MF_SEPARATOR) {
            target->addSeparator();
        } else if (m.flags & MF_POPUP) {
            fillQtMenu(target->addMenu(text), m.popup, chosen);
        } else {
            QAction* a = target->addAction(text);
            a->setEnabled(!(m.flags & (MF_GRAYED | MF_DISABLED)));
            a->setCheckable(m.flags & MF_CHECKED);
            a->setChecked(m.flags & MF_CHECKED);
            UINT id = static_cast<UINT>(m.id);
            QObject::connect(a, &QAction::triggered, [chosen, id] { *chosen = id; });
        }
    }
}

// The picture goes to the file and the texts, as shown, to the script's log.
void NoteShownMenu(HMENU menu, const std::string& pngPath)
{
    UiTestHook::SnapshotPopupMenu(menu, pngPath);
    std::string texts = "menu:";
    for (const std::string& text : UiTestHook::ShownMenuTexts(menu))
        texts += " [" + text + "]";
    UiTestScript::NoteEvent(texts);
}

UINT showMenu(HMENU menu, int x, int y)
{
    UINT chosen = 0;
    if (std::string shot; TakeScriptedMenuSnapshot(shot))
        NoteShownMenu(menu, shot);
    if (TakeScriptedMenuPick(chosen)) {
        // A user can't pick a grayed item, so neither can a script. The log tells what was read.
        UINT state = chosen ? GetMenuState(menu, chosen, MF_BYCOMMAND) : 0xFFFFFFFF;
        if (const MenuItem* item = state != 0xFFFFFFFF ? findItem(menu, chosen, MF_BYCOMMAND) : nullptr)
            UiTestScript::NoteEvent("picked: " + item->text);
        return state != 0xFFFFFFFF && (state & (MF_GRAYED | MF_DISABLED)) ? 0 : chosen;
    }
    if (!ui::CanAskUser())
        return chosen;
    QMenu popup;
    fillQtMenu(&popup, menu, &chosen);
    popup.exec(QPoint(x, y));
    return chosen;
}

} // namespace

bool UiTestHook::SnapshotPopupMenu(HMENU menu, const std::string& pngPath)
{
    if (!IsMenu(menu) || !ui::HaveDisplay())
        return false;
    QMenu popup;
    UINT chosen = 0;
    fillQtMenu(&popup, menu, &chosen);
    popup.adjustSize();
    return popup.grab().save(QString::fromStdString(pngPath), "PNG");
}

namespace {

void CollectTexts(const QMenu& menu, std::vector<std::string>& texts)
{
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator())
            continue;
        texts.push_back(action->text().toStdString());
        if (const QMenu* sub = action->menu())
            CollectTexts(*sub, texts);
    }
}

} // namespace

std::vector<std::string> UiTestHook::ShownMenuTexts(HMENU menu)
{
    std::vector<std::string> texts;
    if (!IsMenu(menu))
        return texts;
    QMenu popup;
    UINT chosen = 0;
    fillQtMenu(&popup, menu, &chosen);
    CollectTexts(popup, texts);
    return texts;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, LPCRECT)
{
    if (!IsMenu(menu))
        return FALSE;
    if (owner) {
        SendMessage(owner, WM_ENTERMENULOOP, TRUE, 0);
        SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    }
    UINT chosen = showMenu(menu, x, y);
    if (owner && IsWindow(owner))
        SendMessage(owner, WM_EXITMENULOOP, TRUE, 0);
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(chosen);
    if (chosen && owner && !(flags & TPM_NONOTIFY))
        PostMessage(owner, WM_COMMAND, chosen, 0);
    return TRUE;
}

namespace {

HMENU buildMenu(const std::vector<MenuTemplateItem>& items, bool popup)
{
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    for (const MenuTemplateItem& item : items) {
        if (!item.children.empty() || (item.flags & MF_POPUP))
            AppendMenu(menu, item.flags | MF_POPUP, reinterpret_cast<UINT_PTR>(buildMenu(item.children, true)),
                       item.text.c_str());
        else
            AppendMenu(menu, item.flags, item.id, item.text.c_str());
    }
    return menu;
}

} // namespace

HMENU LoadMenu(HINSTANCE, LPCSTR name)
{
    if (!name || !IS_INTRESOURCE(name))
        return nullptr;
    const std::vector<MenuTemplateItem>* items = FindMenuResource(static_cast<UINT>(reinterpret_cast<uintptr_t>(name)));
    return items ? buildMenu(*items, false) : nullptr;
}

HACCEL CreateAcceleratorTable(const ACCEL* entries, int count)
{
    if (!entries || count <= 0)
        return nullptr;
    auto* t = new AccelTable{std::vector<ACCEL>(entries, entries + count)};
    liveTables().insert(t);
    return reinterpret_cast<HACCEL>(t);
}

BOOL DestroyAcceleratorTable(HACCEL table)
{
    auto* t = reinterpret_cast<AccelTable*>(table);
    if (!liveTables().erase(t))
        return FALSE;
    delete t;
    return TRUE;
}

int CopyAcceleratorTable(HACCEL table, ACCEL* entries, int count)
{
    auto* t = reinterpret_cast<AccelTable*>(table);
    if (!t || !liveTables().count(t))
        return 0;
    const int all = static_cast<int>(t->entries.size());
    if (!entries)
        return all;
    const int copied = std::clamp(count, 0, all);
    std::copy_n(t->entries.begin(), copied, entries);
    return copied;
}

HACCEL LoadAccelerators(HINSTANCE, LPCSTR name)
{
    if (!name || !IS_INTRESOURCE(name))
        return nullptr;
    const std::vector<ACCEL>* entries = FindAcceleratorResource(static_cast<UINT>(reinterpret_cast<uintptr_t>(name)));
    return entries ? CreateAcceleratorTable(entries->data(), static_cast<int>(entries->size())) : nullptr;
}

int TranslateAccelerator(HWND hwnd, HACCEL table, LPMSG msg)
{
    auto* t = reinterpret_cast<AccelTable*>(table);
    if (!t || !msg || !liveTables().count(t))
        return 0;
    bool keyDown = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
    bool charMsg = msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
    if (!keyDown && !charMsg)
        return 0;
    BYTE mods = static_cast<BYTE>((GetKeyState(VK_SHIFT) < 0 ? FSHIFT : 0) | (GetKeyState(VK_CONTROL) < 0 ? FCONTROL : 0) |
                                  (GetKeyState(VK_MENU) < 0 ? FALT : 0));
    for (const ACCEL& a : t->entries) {
        bool virt = a.fVirt & FVIRTKEY;
        if (virt != keyDown || a.key != msg->wParam)
            continue;
        if (virt && (a.fVirt & (FSHIFT | FCONTROL | FALT)) != mods)
            continue;
        SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
        return 1;
    }
    return 0;
}

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

std::map<HMENU, std::unique_ptr<CMenu>>& tempMenus()
{
    static std::map<HMENU, std::unique_ptr<CMenu>> temps;
    return temps;
}

} // namespace

CMenu::~CMenu()
{
    if (m_hMenu)
        ::DestroyMenu(m_hMenu);
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    if (!menu)
        return nullptr;
    auto& temps = tempMenus();
    auto it = temps.find(menu);
    if (it != temps.end())
        return it->second.get();
    auto wrapper = std::make_unique<CMenu>();
    wrapper->m_hMenu = menu;
    return temps.emplace(menu, std::move(wrapper)).first->second.get();
}

void CMenu::DeleteTempMap()
{
    for (auto& [menu, wrapper] : tempMenus())
        wrapper->m_hMenu = nullptr;
    tempMenus().clear();
}

BOOL CMenu::Attach(HMENU menu)
{
    if (!menu || m_hMenu)
        return FALSE;
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU m = m_hMenu;
    m_hMenu = nullptr;
    return m;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(UINT id) { return Attach(::LoadMenu(nullptr, MAKEINTRESOURCE(id))); }
BOOL CMenu::LoadMenu(LPCTSTR name) { return Attach(::LoadMenu(nullptr, name)); }

BOOL CMenu::DestroyMenu()
{
    HMENU m = Detach();
    return m ? ::DestroyMenu(m) : FALSE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCTSTR text) { return ::AppendMenu(m_hMenu, flags, id, text); }
BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR id, LPCTSTR text)
{
    return ::InsertMenu(m_hMenu, position, flags, id, text);
}
BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR id, LPCTSTR text)
{
    return ::ModifyMenu(m_hMenu, position, flags, id, text);
}
BOOL CMenu::RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
BOOL CMenu::DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
UINT CMenu::EnableMenuItem(UINT item, UINT enable) { return ::EnableMenuItem(m_hMenu, item, enable); }
UINT CMenu::CheckMenuItem(UINT item, UINT check) { return ::CheckMenuItem(m_hMenu, item, check); }
BOOL CMenu::CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags)
{
    return ::CheckMenuRadioItem(m_hMenu, first, last, item, flags);
}
UINT CMenu::GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
UINT CMenu::GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
CMenu* CMenu::GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const
{
    int n = ::GetMenuString(m_hMenu, item, nullptr, 0, flags);
    int copied = ::GetMenuString(m_hMenu, item, text.GetBufferSetLength(n + 1), n + 1, flags);
    text.ReleaseBuffer(copied);
    return copied;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect)
{
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->GetSafeHwnd() : nullptr, rect);
}
