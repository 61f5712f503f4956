#include "controls/CoolComboNotify.h"

LRESULT SendCoolComboNotify(CWnd* receiver, CWnd* sender, UINT id, UINT code, DWORD value)
{
    if (!receiver || !receiver->GetSafeHwnd())
        return 0;
    NMCOOLCOMBO record{{sender->GetSafeHwnd(), id, code}, sender, value};
    return receiver->SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&record));
}
