#include "platform/ui/WebAddress.h"

#include "platform/core/String.h"
#include "platform/sys/Shell.h"
#include "platform/ui/WinApp.h"

#include <cstdint>

BOOL OpenWebAddress(LPCTSTR address)
{
    const auto result
        = reinterpret_cast<uintptr_t>(ShellExecute(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32)
        return TRUE;
    AfxMessageBox("There is no program on this desktop to open the address:\n" + CString(address),
                  MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}
