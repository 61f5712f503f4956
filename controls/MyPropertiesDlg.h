// The main view's Properties dialog: two-text values edited in a small dialog of their own,
// and text rows that carry a button.
#pragma once

#include "controls/AnchorSnapsPropDlg.h"
#include "objects/kinds/BlobRun.h"

class CMyPropertiesDlg : public CAnchorSnapsPropDlg {
public:
    static constexpr UINT Template = 163;
    static constexpr UINT FirstTabId = 8012;
    // The shape's button text: a text row with a button.
    static constexpr UINT ButtonTextId = 8009;

    explicit CMyPropertiesDlg(CWnd* parent);

    virtual BOOL IsTextButtonProperty(const CPropOb* property) const;
    virtual void EditBlobRun();
    BOOL HitTestEditor(const CRect& cell, const CString& valueText) override;
    void DrawRowButton(CDC* dc, INT_PTR data, const CRect& row) override;
    void OnRowActivated() override;
    void ExchangePropValue(BOOL save) override;
    void EditPropValue() override;

    CDWordArray m_textButtonIds;
    CBlobRun m_blobRun;

protected:
    CPropBlob* m_blobProperty = nullptr;
};

// Edits the two texts of a value; OK writes them back, Cancel leaves them.
class CBlobRunDlg : public CDialog {
public:
    static constexpr UINT Template = 177;
    static constexpr UINT FirstEdit = 1013;
    static constexpr UINT SecondEdit = 1014;

    CBlobRunDlg(CBlobRun* target, CWnd* parent);

    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

    CString m_first;
    CString m_second;

private:
    CBlobRun* m_target;
};
