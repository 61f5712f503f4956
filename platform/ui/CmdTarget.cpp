// Command routing through message maps, and the wait cursor.
#include "platform/ui/CmdTarget.h"

#include "platform/ui/CmdUI.h"
#include "platform/ui/UiApi.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::~CCmdTarget() { delete m_pFace; }

DWORD CCmdTarget::InternalAddRef() { return ++m_refCount; }

DWORD CCmdTarget::InternalRelease()
{
    if (m_refCount == 0)
        return 0;
    if (--m_refCount > 0)
        return m_refCount;
    OnFinalRelease();
    return 0;
}

void CCmdTarget::OnFinalRelease() { delete this; }

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(const AFX_MSGMAP_ENTRY* entries, UINT message, UINT code, UINT id)
{
    for (const AFX_MSGMAP_ENTRY* e = entries; e->pfn; ++e) {
        UINT entryMessage = e->pRegistered ? *e->pRegistered : e->nMessage;
        if (entryMessage == message && static_cast<WORD>(e->nCode) == static_cast<WORD>(code) && id >= e->nID &&
            id <= e->nLastID)
            return e;
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    bool update = nCode == CN_UPDATE_COMMAND_UI;
    UINT message = update ? WM_COMMAND : HIWORD(static_cast<DWORD>(nCode));
    UINT code = LOWORD(static_cast<DWORD>(nCode));
    if (message == 0)
        message = WM_COMMAND;
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        const AFX_MSGMAP_ENTRY* e = FindEntry(map->lpEntries, message, code, nID);
        if (!e)
            continue;
        if (pHandlerInfo) {
            pHandlerInfo->pTarget = this;
            return TRUE;
        }
        AFX_CALL call{message, 0, 0, 0, nID, static_cast<int>(code), pExtra};
        if (!update)
            return e->pfn(this, call);
        auto* state = static_cast<CCmdUI*>(pExtra);
        state->m_bContinueRouting = FALSE;
        e->pfn(this, call);
        return !state->m_bContinueRouting;
    }
    return FALSE;
}

namespace {

int waitCount = 0;
HCURSOR cursorBeforeWait = nullptr;

} // namespace

void CCmdTarget::BeginWaitCursor()
{
    if (waitCount++ == 0)
        cursorBeforeWait = SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

void CCmdTarget::EndWaitCursor()
{
    if (waitCount > 0 && --waitCount == 0)
        SetCursor(cursorBeforeWait ? cursorBeforeWait : LoadCursor(nullptr, IDC_ARROW));
}

void CCmdTarget::RestoreWaitCursor()
{
    if (waitCount > 0)
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
}
