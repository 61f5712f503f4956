#include "platform/ui/EditBoxKeys.h"

#include "platform/ui/ControlTypes.h"
#include "platform/ui/UiApi.h"

bool IsEditBoxKey(const MSG* msg)
{
    if (msg->message != WM_KEYDOWN || !msg->hwnd || msg->hwnd != ::GetFocus() ||
        !(::SendMessage(msg->hwnd, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL))
        return false;
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0, other = ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_MENU) < 0;
    switch (msg->wParam) {
    case 'A':
    case 'Z': return ctrl && !other;
    case VK_DELETE: return !ctrl && !other;
    default: return false;
    }
}
