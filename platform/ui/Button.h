// CButton: push buttons, check boxes, radio buttons and group boxes; owner-drawn buttons get
// DrawItem through reflection.
#pragma once

#include "platform/ui/ControlTypes.h"
#include "platform/ui/Wnd.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    BOOL Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCheck() const { return static_cast<int>(::SendMessage(m_hWnd, BM_GETCHECK, 0, 0)); }
    void SetCheck(int check) { ::SendMessage(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check), 0); }
    UINT GetState() const { return static_cast<UINT>(::SendMessage(m_hWnd, BM_GETSTATE, 0, 0)); }
    void SetState(BOOL highlight) { ::SendMessage(m_hWnd, BM_SETSTATE, static_cast<WPARAM>(highlight), 0); }
    UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE)
    {
        ::SendMessage(m_hWnd, BM_SETSTYLE, style, static_cast<LPARAM>(redraw));
    }
    HBITMAP SetBitmap(HBITMAP bitmap) { return static_cast<HBITMAP>(setImage(IMAGE_BITMAP, bitmap)); }
    HBITMAP GetBitmap() const { return static_cast<HBITMAP>(getImage()); }
    HICON SetIcon(HICON icon) { return static_cast<HICON>(setImage(IMAGE_ICON, icon)); }
    HICON GetIcon() const { return static_cast<HICON>(getImage()); }

    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    HANDLE setImage(UINT type, HANDLE image)
    {
        return reinterpret_cast<HANDLE>(::SendMessage(m_hWnd, BM_SETIMAGE, type, reinterpret_cast<LPARAM>(image)));
    }
    HANDLE getImage() const { return reinterpret_cast<HANDLE>(::SendMessage(m_hWnd, BM_GETIMAGE, 0, 0)); }
};
