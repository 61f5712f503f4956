// Command targets and message maps. A message map is a static table per class; each entry
// names the message (or command and notification code) and a small thunk that unpacks the
// parameters and calls the handler, so handlers keep their usual typed signatures. Handler
// names are written unqualified (ON_COMMAND(ID_FILE_NEW, OnFileNew)) or qualified without
// '&' (ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)).
#pragma once

#include "platform/core/Object.h"
#include "platform/ui/UiTypes.h"

class CCmdTarget;
class CCmdUI;
class IDispatch;
struct AFX_DISPMAP;

// The automation face of a command target; platform/ole makes it on first use.
class CCmdTargetFace {
public:
    virtual ~CCmdTargetFace() = default;
};

// Everything a thunk needs: the message, its parameters, and for commands the id, code and
// extra data. Thunks set `result` and return whether they handled the message.
struct AFX_CALL {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
    UINT nID;
    int nCode;
    void* pExtra;
};

using AFX_THUNK = BOOL (*)(CCmdTarget*, AFX_CALL&);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    const UINT* pRegistered; // registered message number, read when the map is searched
    AFX_THUNK pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
};

struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Command notification codes.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override;

    // Marks the object as reachable by scripts.
    void EnableAutomation() { m_automationEnabled = TRUE; }
    BOOL IsAutomationEnabled() const { return m_automationEnabled; }

    // A new object holds one reference, its creator's; the last release ends it.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    DWORD ExternalAddRef() { return InternalAddRef(); }
    DWORD ExternalRelease() { return InternalRelease(); }
    DWORD GetRefCount() const { return m_refCount; }

    virtual void OnFinalRelease();

    // Automation (platform/ole): the dispatch map chain, which ends here, and the object's
    // IDispatch, NULL until automation is enabled.
    static const AFX_DISPMAP* GetThisDispatchMap() { return nullptr; }
    virtual const AFX_DISPMAP* GetDispatchMap() const { return nullptr; }
    IDispatch* GetIDispatch(BOOL bAddRef);
    // The target behind an IDispatch of this layer; NULL for any other.
    static CCmdTarget* FromIDispatch(IDispatch* pDispatch);
    // Put and get handlers of properties that cannot be written or read.
    void SetNotSupported();
    void GetNotSupported();

    // Routes a command (nCode CN_COMMAND), an update request (CN_UPDATE_COMMAND_UI, pExtra
    // the CCmdUI) or a notification (MAKELONG(code, WM_NOTIFY)) through the message map.
    // With pHandlerInfo only reports whether a handler exists.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

protected:
    static const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP_ENTRY* entries, UINT message, UINT code, UINT id);

private:
    DWORD m_refCount = 1;
    BOOL m_automationEnabled = FALSE;
    CCmdTargetFace* m_pFace = nullptr;
};

#define DECLARE_MESSAGE_MAP()                            \
public:                                                  \
    static const AFX_MSGMAP* GetThisMessageMap();        \
    const AFX_MSGMAP* GetMessageMap() const override;    \
                                                         \
protected:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                   \
    {                                                                                 \
        using ThisClass [[maybe_unused]] = theClass;                                  \
        using TheBaseClass = baseClass;                                               \
        static const AFX_MSGMAP_ENTRY entries_[] = {

#define END_MESSAGE_MAP()                                                                  \
    {0, 0, 0, 0, nullptr, nullptr}                                                         \
    }                                                                                      \
    ;                                                                                      \
    static const AFX_MSGMAP map_ = {&TheBaseClass::GetThisMessageMap, &entries_[0]};       \
    return &map_;                                                                          \
    }

// One entry: the handler body sees `self` (the object as its own class) and `call`.
#define AFX_MAP_ENTRY(msg, code, id, last, ...)                                                          \
    {static_cast<UINT>(msg), static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(last),   \
     nullptr, [](CCmdTarget* target_, AFX_CALL& call) -> BOOL {                                          \
         [[maybe_unused]] auto* self = static_cast<ThisClass*>(target_);                                 \
         [[maybe_unused]] AFX_CALL& c_ = call;                                                            \
         __VA_ARGS__                                                                                      \
     }},

#define ON_COMMAND(id, memberFxn) AFX_MAP_ENTRY(WM_COMMAND, CN_COMMAND, id, id, self->memberFxn(); return TRUE;)
#define ON_COMMAND_EX(id, memberFxn) \
    AFX_MAP_ENTRY(WM_COMMAND, CN_COMMAND, id, id, return self->memberFxn(call.nID) ? TRUE : FALSE;)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_MAP_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, self->memberFxn(call.nID); return TRUE;)
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    AFX_MAP_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, return self->memberFxn(call.nID) ? TRUE : FALSE;)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                          \
    AFX_MAP_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id,                         \
                  self->memberFxn(static_cast<CCmdUI*>(call.pExtra)); return TRUE;)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                            \
    AFX_MAP_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast,                     \
                  self->memberFxn(static_cast<CCmdUI*>(call.pExtra)); return TRUE;)
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    AFX_MAP_ENTRY(WM_COMMAND, wNotifyCode, id, id, self->memberFxn(); return TRUE;)
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_MAP_ENTRY(WM_COMMAND, wNotifyCode, id, idLast, self->memberFxn(call.nID); return TRUE;)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)

#define AFX_NOTIFY_ARGS static_cast<AFX_NOTIFY*>(call.pExtra)->pNMHDR, static_cast<AFX_NOTIFY*>(call.pExtra)->pResult
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    AFX_MAP_ENTRY(WM_NOTIFY, wNotifyCode, id, id, self->memberFxn(AFX_NOTIFY_ARGS); return TRUE;)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_MAP_ENTRY(WM_NOTIFY, wNotifyCode, id, idLast, self->memberFxn(call.nID, AFX_NOTIFY_ARGS); return TRUE;)
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    AFX_MAP_ENTRY(WM_NOTIFY, wNotifyCode, id, id, return self->memberFxn(call.nID, AFX_NOTIFY_ARGS) ? TRUE : FALSE;)
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_MAP_ENTRY(WM_NOTIFY, wNotifyCode, id, idLast, return self->memberFxn(call.nID, AFX_NOTIFY_ARGS) ? TRUE : FALSE;)
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    AFX_MAP_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0, self->memberFxn(AFX_NOTIFY_ARGS); return TRUE;)
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    AFX_MAP_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0, return self->memberFxn(AFX_NOTIFY_ARGS) ? TRUE : FALSE;)
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    AFX_MAP_ENTRY(WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0, self->memberFxn(); return TRUE;)
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    AFX_MAP_ENTRY(WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0, return self->memberFxn() ? TRUE : FALSE;)

#define ON_MESSAGE(message, memberFxn) \
    AFX_MAP_ENTRY(message, 0, 0, 0, call.result = self->memberFxn(call.wParam, call.lParam); return TRUE;)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                         \
    {0xC000, 0, 0, 0, &(nMessageVariable), [](CCmdTarget* target_, AFX_CALL& call) -> BOOL {         \
         call.result = static_cast<ThisClass*>(target_)->memberFxn(call.wParam, call.lParam);         \
         return TRUE;                                                                                  \
     }},
