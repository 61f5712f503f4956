// The font dialog with a "<Default>" button (no font) and an Apply button that asks the
// owner to store and apply its current values.
#pragma once

#include "platform/ui/CommonDialogs.h"

// Sent to the owner by Apply: store and apply the current editor value.
constexpr UINT WM_PROP_STORE_AND_APPLY = 0x8100;

class CHyperFontDlg : public CFontDialog {
    DECLARE_DYNAMIC(CHyperFontDlg)
public:
    CHyperFontDlg(const LOGFONT* initial, DWORD flags, CWnd* owner);

    BOOL m_bReset = FALSE;
    // Where Apply puts the font shown before it asks the owner to store and apply; none by default.
    LOGFONT* m_pApplyTarget = nullptr;

protected:
    void OnDefault();
    void OnApply();

    CWnd* m_pOwner;

    DECLARE_MESSAGE_MAP()
};

// Runs the font dialog on a copy of font. OK copies the choice back; "<Default>" empties the
// font (no font); both return TRUE. Apply copies the font shown back before the owner hears of
// it, so the owner applies that font at once; a later cancel keeps what was applied. A plain
// cancel returns FALSE and changes nothing more.
BOOL RunFontDialog(LOGFONT* font, CWnd* owner, BOOL unused, DWORD flags);
