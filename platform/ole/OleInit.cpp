// Start-up of the layer and the application lock count.
#include "platform/ole/OleInit.h"

#include "platform/ole/Clipboard.h"
#include "platform/ole/OleClientItem.h"

namespace {

int lockCount = 0;
thread_local int threadStarts = 0;

} // namespace

BOOL AfxOleInit() { return RegisterClipboardFormat(CF_EMBEDDEDPACKAGE_NAME) != 0; }

void AfxOleLockApp() { ++lockCount; }

void AfxOleUnlockApp()
{
    if (lockCount > 0)
        --lockCount;
}

BOOL AfxOleCanExitApp() { return lockCount == 0; }

HRESULT OleInitialize(LPVOID)
{
    return threadStarts++ == 0 ? S_OK : S_FALSE;
}

void OleUninitialize()
{
    if (threadStarts > 0)
        --threadStarts;
}
