// Combo box and edit controls of the command bars, and the font name and font size boxes
// that exchange a character format with the site.
#pragma once

#include "platform/toolkit/XTPControl.h"

#include <vector>

// Character format of rich text, as the font boxes exchange it (60 bytes).
constexpr DWORD CFM_BOLD = 0x00000001, CFM_ITALIC = 0x00000002, CFM_SIZE = 0x80000000, CFM_FACE = 0x20000000,
                CFM_CHARSET = 0x08000000, CFE_AUTOCOLOR = 0x40000000;
constexpr int LF_FACESIZE_CF = 32;
struct CHARFORMAT {
    UINT cbSize;
    DWORD dwMask;
    DWORD dwEffects;
    LONG yHeight;
    LONG yOffset;
    COLORREF crTextColor;
    BYTE bCharSet;
    BYTE bPitchAndFamily;
    char szFaceName[LF_FACESIZE_CF];
};

static_assert(sizeof(CHARFORMAT) == 60);

class CEdit;
class CXTPPopupBar;

class CXTPControlComboBox : public CXTPControl {
    DECLARE_DYNCREATE(CXTPControlComboBox)
public:
    CXTPControlComboBox() { m_type = ControlTypeComboBox; }
    ~CXTPControlComboBox() override;

    int AddString(LPCTSTR text);
    void ResetContent();
    int GetCount() const { return static_cast<int>(m_items.size()); }
    CString GetLBText(int index) const;
    int FindStringExact(LPCTSTR text) const;
    int GetCurSel() const { return m_nCurSel; }
    void SetCurSel(int index);
    CString GetText() const { return m_strText; }
    void SetEditText(LPCTSTR text);
    // A drop-down list takes only its entries; otherwise any text.
    void SetDropDownListStyle(BOOL dropDownList = TRUE) { m_bDropDownList = dropDownList; }
    BOOL GetDropDownListStyle() const { return m_bDropDownList; }
    void SetWidth(int width) { m_nWidth = width; }
    BOOL IsDroppedDown() const;

    CSize GetSize(CDC* dc) override;
    void Draw(CDC* dc) override;
    void OnClick(CPoint point) override;
    // An entry of the drop-down was chosen.
    virtual void OnSelChanged(int index);
    // The drop-down is about to open (the font boxes ask the site for the current format).
    virtual void OnDropDown() {}
    // Shows the site's current value while closed, as on dropping down.
    void OnUpdated() override;
    void Copy(const CXTPControl* source) override;

protected:
    std::vector<CString> m_items;
    int m_nCurSel = -1;
    CString m_strText;
    BOOL m_bDropDownList = FALSE;
    int m_nWidth = 120;
    CXTPPopupBar* m_pList = nullptr;
};

// A text box: an edit window of its own over the control; Enter tells the site
// (XTPN_COMBOEXECUTE) with the text typed.
class CXTPControlEdit : public CXTPControl {
    DECLARE_DYNCREATE(CXTPControlEdit)
public:
    CXTPControlEdit() { m_type = ControlTypeEdit; }
    ~CXTPControlEdit() override;
    CString GetEditText() const;
    void SetEditText(LPCTSTR text);
    void SetWidth(int width) { m_nWidth = width; }
    CEdit* GetEditCtrl() const { return m_pEdit; }
    // A key for the edit window; TRUE when the control used it.
    BOOL OnEditKey(UINT vk);
    CSize GetSize(CDC* dc) override;
    void Draw(CDC* dc) override;
    void PlaceWindow() override;
    void Copy(const CXTPControl* source) override;

protected:
    CString m_strText;
    int m_nWidth = 100;
    CEdit* m_pEdit = nullptr;
};

// The font faces of the display; choosing one tells the site with a character format.
class CXTPControlFontComboBox : public CXTPControlComboBox {
    DECLARE_DYNCREATE(CXTPControlFontComboBox)
public:
    explicit CXTPControlFontComboBox(DWORD fontTypes = 1);
    void SetCharFormat(const CHARFORMAT& format);
    const CHARFORMAT& GetCharFormat() const { return m_format; }
    void OnSelChanged(int index) override;
    void OnDropDown() override;

protected:
    CHARFORMAT m_format{};
};

// Point sizes; the site exchanges them in twips (1/20 point).
class CXTPControlSizeComboBox : public CXTPControlComboBox {
    DECLARE_DYNCREATE(CXTPControlSizeComboBox)
public:
    CXTPControlSizeComboBox();
    // -1 (sizes differ) shows no size.
    void SetTwipSize(int twips);
    int GetTwipSize() const;
    const CHARFORMAT& GetCharFormat() const { return m_format; }
    void OnSelChanged(int index) override;
    void OnDropDown() override;

protected:
    CHARFORMAT m_format{};
};
