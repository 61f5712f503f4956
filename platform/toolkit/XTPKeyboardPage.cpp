// The keyboard page of the customisation sheet and its key field.
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPCustomizeSheet.h"
#include "platform/ui/KeyNames.h"
#include "platform/ui/UiApi.h"

#include <vector>

namespace {

// Keys that only modify others are never shortcuts by themselves.
bool isModifier(UINT vk) { return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU; }

bool sameKey(const ACCEL& a, const ACCEL& b)
{
    constexpr BYTE kMask = FVIRTKEY | FSHIFT | FCONTROL | FALT;
    return a.key == b.key && (a.fVirt & kMask) == (b.fVirt & kMask);
}

} // namespace

CString ShortcutKeyName(const ACCEL& key)
{
    CString name;
    if (key.fVirt & FCONTROL)
        name += "Ctrl+";
    if (key.fVirt & FSHIFT)
        name += "Shift+";
    if (key.fVirt & FALT)
        name += "Alt+";
    return name + VirtualKeyName(key.key);
}

BEGIN_MESSAGE_MAP(CXTPShortcutEdit, CWnd)
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_CHAR()
    ON_WM_SYSCHAR()
END_MESSAGE_MAP()

void CXTPShortcutEdit::Clear()
{
    m_key = ACCEL{0, 0, 0};
    SetWindowText("");
}

BOOL CXTPShortcutEdit::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd != m_hWnd || msg->message < WM_KEYDOWN || msg->message > WM_SYSCHAR)
        return CWnd::PreTranslateMessage(msg);
    ::TranslateMessage(msg);
    ::DispatchMessage(msg);
    return TRUE;
}

void CXTPShortcutEdit::OnKeyDown(UINT vk, UINT, UINT)
{
    // Tab still moves on, as everywhere in a dialog.
    if (isModifier(vk) || vk > 0xFE || (vk == VK_TAB && PressedKeyModifiers() == 0)) {
        if (vk == VK_TAB)
            GetParent()->SendMessage(WM_NEXTDLGCTL, 0, 0);
        return;
    }
    m_key = ACCEL{static_cast<BYTE>(FVIRTKEY | PressedKeyModifiers()), static_cast<WORD>(vk), 0};
    SetWindowText(ShortcutKeyName(m_key));
}

CXTPKeyboardPage::CXTPKeyboardPage(CXTPCustomizeSheet* sheet) : CXTPCategoryPage(KeyboardPageTemplate(), sheet) {}

BEGIN_MESSAGE_MAP(CXTPKeyboardPage, CXTPCategoryPage)
    ON_LBN_SELCHANGE(kCategories, OnCategorySelected)
    ON_LBN_SELCHANGE(kCommands, OnCommandChange)
    ON_LBN_SELCHANGE(kCurrentKeys, OnKeySelected)
    ON_BN_CLICKED(kAssign, OnAssign)
    ON_BN_CLICKED(kRemove, OnRemove)
    ON_BN_CLICKED(kResetAll, OnResetAll)
END_MESSAGE_MAP()

BOOL CXTPKeyboardPage::OnInitDialog()
{
    m_currentKeys.SubclassDlgItem(kCurrentKeys, this);
    m_newKey.SubclassDlgItem(kNewKey, this);
    CXTPCategoryPage::OnInitDialog();
    m_commandList.SetCurSel(0);
    OnCommandChange();
    if (CXTPCommandBars* bars = m_pSheet->GetCommandBars())
        m_keptKeys = bars->GetCustomKeys();
    return TRUE;
}

BOOL CXTPKeyboardPage::OnApply()
{
    if (CXTPCommandBars* bars = m_pSheet->GetCommandBars())
        m_keptKeys = bars->GetCustomKeys();
    return CXTPCategoryPage::OnApply();
}

void CXTPKeyboardPage::OnCancel()
{
    if (CXTPCommandBars* bars = m_pSheet->GetCommandBars())
        bars->SetCustomKeys(m_keptKeys);
    CXTPCategoryPage::OnCancel();
}

void CXTPKeyboardPage::KeysChanged()
{
    SetModified();
    OnCommandChange();
}

void CXTPKeyboardPage::OnCategorySelected()
{
    OnCategoryChange();
    m_commandList.SetCurSel(0);
    OnCommandChange();
}

UINT CXTPKeyboardPage::SelectedCommand() const
{
    const int index = m_commandList.GetCurSel();
    return index < 0 ? 0 : static_cast<UINT>(m_commandList.GetItemData(index));
}

void CXTPKeyboardPage::OnCommandChange()
{
    m_currentKeys.ResetContent();
    const UINT command = SelectedCommand();
    CXTPCommandBars* bars = m_pSheet->GetCommandBars();
    if (bars && command)
        for (const ACCEL& key : bars->GetKeys())
            if (key.cmd == command)
                m_currentKeys.AddString(ShortcutKeyName(key));
    OnKeySelected();
}

void CXTPKeyboardPage::OnKeySelected()
{
    EnableDlgItem(kRemove, m_currentKeys.GetCurSel() >= 0);
    EnableDlgItem(kAssign, SelectedCommand() != 0);
}

void CXTPKeyboardPage::EnableDlgItem(UINT id, BOOL enable)
{
    if (CWnd* item = GetDlgItem(id))
        item->EnableWindow(enable);
}

void CXTPKeyboardPage::OnAssign()
{
    CXTPCommandBars* bars = m_pSheet->GetCommandBars();
    ACCEL key = m_newKey.GetKey();
    const UINT command = SelectedCommand();
    if (!bars || !key.key || !command)
        return;
    key.cmd = static_cast<WORD>(command);
    std::vector<ACCEL> keys = bars->GetKeys();
    std::erase_if(keys, [&](const ACCEL& k) { return sameKey(k, key); });
    keys.push_back(key);
    bars->SetKeys(keys);
    m_newKey.Clear();
    KeysChanged();
}

void CXTPKeyboardPage::OnRemove()
{
    CXTPCommandBars* bars = m_pSheet->GetCommandBars();
    const int index = m_currentKeys.GetCurSel();
    const UINT command = SelectedCommand();
    if (!bars || index < 0 || !command)
        return;
    CString chosen;
    m_currentKeys.GetText(index, chosen);
    std::vector<ACCEL> keys = bars->GetKeys();
    std::erase_if(keys, [&](const ACCEL& k) { return k.cmd == command && ShortcutKeyName(k) == chosen; });
    bars->SetKeys(keys);
    KeysChanged();
}

void CXTPKeyboardPage::OnResetAll()
{
    if (CXTPCommandBars* bars = m_pSheet->GetCommandBars())
        bars->ResetKeys();
    KeysChanged();
}
