// COleDropTarget: a window that takes drags from this and other programs. By default a
// registered view decides through its own OnDragEnter/OnDragOver/OnDrop.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/ole/OleDataSource.h"

class COleDataObject;
class CWnd;

// Drag key states add the ALT key to the MK_* flags.
constexpr DWORD MK_ALT = 0x20;

class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget() = default;
    ~COleDropTarget() override;

    // FALSE when the window has no handle or already has a target.
    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // (DROPEFFECT)-1 lets OnDrop decide.
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);

    // The target registered for a window, or NULL.
    static COleDropTarget* FromHandle(HWND hwnd);

protected:
    HWND m_hWnd = nullptr;
};
