// The shortcut keys a user set in the customisation sheet.
#include "platform/toolkit/XTPCommandBars.h"

#include "platform/toolkit/XTPStateRecords.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr char kKeysEntry[] = "Keys";
constexpr BYTE kModifiers = FSHIFT | FCONTROL | FALT;

} // namespace

BYTE PressedKeyModifiers()
{
    return static_cast<BYTE>((::GetKeyState(VK_SHIFT) < 0 ? FSHIFT : 0) | (::GetKeyState(VK_CONTROL) < 0 ? FCONTROL : 0) |
                             (::GetKeyState(VK_MENU) < 0 ? FALT : 0));
}

namespace {

const ACCEL* findKey(const std::vector<ACCEL>& keys, WPARAM vk, BYTE modifiers)
{
    auto it = std::find_if(keys.begin(), keys.end(), [&](const ACCEL& a) {
        return (a.fVirt & FVIRTKEY) && a.key == vk && (a.fVirt & kModifiers) == modifiers;
    });
    return it == keys.end() ? nullptr : &*it;
}

} // namespace

std::vector<ACCEL> CXTPCommandBars::GetKeys() const { return m_customKeys ? *m_customKeys : DefaultKeys(); }

std::vector<ACCEL> CXTPCommandBars::DefaultKeys() const
{
    HACCEL table = m_pSite ? m_pSite->GetDefaultAccelerator() : nullptr;
    std::vector<ACCEL> keys(static_cast<size_t>(::CopyAcceleratorTable(table, nullptr, 0)));
    ::CopyAcceleratorTable(table, keys.data(), static_cast<int>(keys.size()));
    return keys;
}

void CXTPCommandBars::SetKeys(const std::vector<ACCEL>& keys) { m_customKeys = keys; }

BOOL CXTPCommandBars::TranslateCustomKeys(const MSG* msg)
{
    // Keys pressed in a window over the frame (a dialog, say) are that window's.
    if (!m_customKeys || !m_pSite || m_pKeyboardBar || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) ||
        ::GetAncestorTopLevel(msg->hwnd) != m_pSite->m_hWnd)
        return FALSE;
    const BYTE modifiers = PressedKeyModifiers();
    if (const ACCEL* key = findKey(*m_customKeys, msg->wParam, modifiers)) {
        m_pSite->SendMessage(WM_COMMAND, MAKEWPARAM(key->cmd, 1), 0);
        return TRUE;
    }
    return findKey(DefaultKeys(), msg->wParam, modifiers) != nullptr;
}

void CXTPCommandBars::SaveKeys(LPCTSTR key) const
{
    CWinApp* app = AfxGetApp();
    std::vector<BYTE> record = m_customKeys ? EncodeKeyTable(*m_customKeys) : std::vector<BYTE>{};
    app->WriteProfileBinary(key, kKeysEntry, record.data(), static_cast<UINT>(record.size()));
}

// A damaged or foreign record leaves the frame's own keys, and says so in the log.
void CXTPCommandBars::LoadKeys(LPCTSTR key)
{
    CWinApp* app = AfxGetApp();
    BYTE* data = nullptr;
    UINT size = 0;
    if (!app->GetProfileBinary(key, kKeysEntry, &data, &size) || size == 0) {
        delete[] data;
        return;
    }
    std::vector<ACCEL> keys;
    if (DecodeKeyTable(data, size, keys))
        m_customKeys = std::move(keys);
    else
        std::fprintf(stderr, "The stored shortcut keys in [%s] cannot be read; the default keys are used.\n", key);
    delete[] data;
}
