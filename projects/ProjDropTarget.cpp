#include "projects/ProjDropTarget.h"

#include "projects/ProjTreeCtrl.h"

#include "platform/core/GlobalMemory.h"
#include "platform/ole/Clipboard.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ui/UiApi.h"

#include <cstring>

DROPEFFECT CProjDropTarget::OnDragEnter(CWnd*, COleDataObject* data, DWORD, CPoint)
{
    return data && (data->IsDataAvailable(CF_TEXT) || data->IsDataAvailable(CF_HDROP)) ? DROPEFFECT_COPY
                                                                                         : DROPEFFECT_NONE;
}

DROPEFFECT CProjDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point)
{
    if (m_pTree)
        m_pTree->DropTargetAt(point);
    return DROPEFFECT_COPY;
}

BOOL CProjDropTarget::OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, CPoint point)
{
    if (!m_pTree || !data)
        return FALSE;
    if (HGLOBAL text = data->IsDataAvailable(CF_TEXT) ? data->GetGlobalData(CF_TEXT) : nullptr) {
        const auto* chars = static_cast<const char*>(GlobalLock(text));
        const SIZE_T size = GlobalSize(text);
        const CString link = chars ? CString(std::string(chars, strnlen(chars, size)).c_str()) : CString();
        GlobalUnlock(text);
        GlobalFree(text);
        m_pTree->DropText(link, point);
        return TRUE;
    }
    auto drop = static_cast<HDROP>(data->GetGlobalData(CF_HDROP));
    if (!drop)
        return FALSE;
    std::vector<CString> files;
    for (UINT i = 0, count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0); i < count; ++i) {
        char name[MAX_PATH] = {};
        DragQueryFile(drop, i, name, MAX_PATH);
        files.push_back(name);
    }
    DragFinish(drop);
    m_pTree->DropFiles(files, point);
    return TRUE;
}
