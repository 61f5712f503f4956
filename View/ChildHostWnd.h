// A host window that keeps one child window filling its client area; the main frame shows
// the selection's property window in it.
#pragma once

#include "platform/ui/Wnd.h"

class CChildHostWnd : public CWnd {
public:
    CChildHostWnd() = default;
    ~CChildHostWnd() override;

    // Takes the child (owned from now on) and redraws the host with it.
    void SetChild(CWnd* child);
    CWnd* GetChild() const { return m_child; }

protected:
    void OnSize(UINT type, int cx, int cy);

    CWnd* m_child = nullptr;

    DECLARE_MESSAGE_MAP()
};
