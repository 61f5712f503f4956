// CBitmapButton: an owner-drawn button showing one of up to four bitmaps — up, down
// (pressed), focused and disabled.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/ui/Button.h"

// The bitmap resource of that id as a device bitmap the caller deletes; null when it is
// missing or damaged.
HBITMAP AfxLoadBitmapResource(UINT id);

class CBitmapButton : public CButton {
    DECLARE_DYNAMIC(CBitmapButton)
public:
    // The up bitmap is required; the others may be 0 or null. FALSE when one named is missing.
    BOOL LoadBitmaps(UINT up, UINT down = 0, UINT focus = 0, UINT disabled = 0);
    BOOL LoadBitmaps(LPCTSTR up, LPCTSTR down = nullptr, LPCTSTR focus = nullptr, LPCTSTR disabled = nullptr);
    // Takes over the dialog's button id and loads the bitmaps named by its caption followed
    // by U, D, F and X; the up and down ones must exist.
    BOOL AutoLoad(UINT id, CWnd* parent);
    // Makes the button as large as its up bitmap.
    void SizeToContent();

    void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
    CBitmap m_bitmap;
    CBitmap m_bitmapSel;
    CBitmap m_bitmapFocus;
    CBitmap m_bitmapDisabled;
};
