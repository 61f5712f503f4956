// Takes files and text that other programs drop on the project tree: files become file
// members, text becomes a link member of the project under the cursor.
#pragma once

#include "platform/ole/OleDropTarget.h"

class CProjTreeCtrl;

class CProjDropTarget : public COleDropTarget {
public:
    void SetTree(CProjTreeCtrl* tree) { m_pTree = tree; }

    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keys, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keys, CPoint point) override;
    BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point) override;

private:
    CProjTreeCtrl* m_pTree = nullptr;
};
