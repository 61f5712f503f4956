// The text tool's input bar: the text being placed, its font, style and alignment. Font and
// alignment are kept in the profile section "Text Tool".
#pragma once

#include "imaging/paint/PntCtrl.h"
#include "imaging/paint/PntDlg.h"
#include "platform/gdi/GdiObject.h"

class CPntTextFmtBar : public CPntDlg, public CPntTextInput {
    DECLARE_DYNAMIC(CPntTextFmtBar)
public:
    static constexpr UINT TemplateId = 28104;
    static constexpr UINT IdFont = 28013, IdEditLeft = 28014, IdEditCentre = 28015, IdEditRight = 28016,
                          IdLeft = 28017, IdCentre = 28018, IdRight = 28019, IdBold = 28020, IdItalic = 28021,
                          IdUnderline = 28022;
    // The pictures of the alignment and style buttons, IdLeft to IdUnderline in order.
    static constexpr UINT FirstButtonBitmap = 28134;

    explicit CPntTextFmtBar(CPntCtrl* ctrl);

    void Show() override;
    void Hide() override;
    BOOL IsShown() const override;
    void ClearText() override;
    void FocusEdit() override;
    HWND GetEditWindow() const override;
    void Copy() override;
    void Cut() override;
    void Paste() override;
    BOOL CanPaste() const override;

    void SetAlignment(int alignment);
    int GetAlignment() const { return m_nAlignment; }
    void ApplyFont(const LOGFONT& font, BOOL toControl);
    void SaveFont();
    void LoadFont();
    void SaveAlignment();
    void LoadAlignment();
    // The profile text of a font and back; FALSE when the text holds too few numbers.
    static CString FormatFont(const LOGFONT& font);
    static BOOL ParseFont(const CString& text, LOGFONT* font);

    BOOL OnInitDialog() override;

protected:
    void OnAlign(UINT id);
    void OnStyle(UINT id);
    void OnFontButton();
    void OnEditChange();
    void OnClose();
    void OnSize(UINT type, int cx, int cy);
    void OnSetFocus(CWnd* old);
    void OnCancel() override { OnClose(); }
    void OnOK() override { }

    DECLARE_MESSAGE_MAP()

private:
    UINT EditId(int alignment) const { return IdEditLeft + static_cast<UINT>(alignment); }
    void UpdateButtons();
    void ShowEdit(int alignment, BOOL show);
    void SetButtonPictures();

    CPntCtrl* m_pCtrl;
    int m_nAlignment = 0;
    BOOL m_bHidden = TRUE;
    CFont m_EditFont;
    CBitmap m_buttonPictures[IdUnderline - IdLeft + 1];
};
