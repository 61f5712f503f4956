// An owner-drawn button that shows one of two bitmaps and flips between them on every click
// (the pin of the Properties dialogs).
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/ui/Button.h"

class CTwoStateButton : public CButton {
public:
    // The first two are shown (state clear, state set); the other two are only owned.
    CBitmap m_bitmaps[4];
    BOOL m_state = FALSE;

    void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
    void OnClicked();

    DECLARE_MESSAGE_MAP()
};
