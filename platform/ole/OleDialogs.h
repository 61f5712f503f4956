// The container's standard dialogs, as this platform can offer them: Insert Object embeds a
// file the user picks, Paste Special pastes the clipboard as an embedded or a still object,
// Object Properties shows the item and lets the user scale it, and the link update has no
// links to update.
#pragma once

#include "platform/ui/CommonDialogs.h"

class COleClientItem;
class COleDataObject;
class COleDocument;

constexpr DWORD IOF_SHOWHELP = 0x1, IOF_SELECTCREATENEW = 0x2, IOF_SELECTCREATEFROMFILE = 0x4,
                IOF_CHECKLINK = 0x8, IOF_CHECKDISPLAYASICON = 0x10;
constexpr DWORD PSF_SHOWHELP = 0x1, PSF_SELECTPASTE = 0x2, PSF_SELECTPASTELINK = 0x4;

class COleInsertDialog : public CCommonDialog {
    DECLARE_DYNAMIC(COleInsertDialog)
public:
    enum Selection { createNewItem = 0, insertFromFile = 1, linkToFile = 2 };

    explicit COleInsertDialog(DWORD dwFlags = IOF_SELECTCREATENEW, CWnd* pParentWnd = nullptr);

    // Asks for the file to embed; IDOK when one was chosen.
    INT_PTR DoModal() override;
    BOOL CreateItem(COleClientItem* pItem);
    UINT GetSelectionType() const { return insertFromFile; }
    CString GetPathName() const { return m_pathName; }

private:
    CString m_pathName;
};

class COlePasteSpecialDialog : public CCommonDialog {
    DECLARE_DYNAMIC(COlePasteSpecialDialog)
public:
    enum Selection { pasteLink = 1, pasteNormal = 2, pasteStatic = 3, pasteOther = 4 };

    explicit COlePasteSpecialDialog(DWORD dwFlags = PSF_SELECTPASTE, COleDataObject* pDataObject = nullptr,
                                    CWnd* pParentWnd = nullptr);
    ~COlePasteSpecialDialog() override;

    // The standard choices are the only ones; kept for the callers' shape.
    void AddStandardFormats(BOOL bEnableLink = TRUE);
    // Names what the clipboard would become and asks; IDCANCEL when nothing can be pasted.
    INT_PTR DoModal() override;
    BOOL CreateItem(COleClientItem* pItem);
    UINT GetSelectionType() const { return m_selection; }

private:
    COleDataObject* m_pData;
    bool m_ownData = false;
    UINT m_selection = pasteNormal;
};

class COlePropertiesDialog : public CDialog {
    DECLARE_DYNAMIC(COlePropertiesDialog)
public:
    explicit COlePropertiesDialog(COleClientItem* pItem, UINT nScaleMin = 10, UINT nScaleMax = 500,
                                  CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;
    // Applies the percentage the user chose; the container overrides it.
    virtual BOOL OnApplyScale(COleClientItem* pItem, int nCurrentScale, BOOL bRelativeToOrig);

    // Ids of the dialog's controls.
    static constexpr UINT IDC_SCALE = 1001;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    COleClientItem* m_pItem;
    UINT m_scaleMin;
    UINT m_scaleMax;
    UINT m_scale = 100;
};

class COleUpdateDialog : public CCommonDialog {
    DECLARE_DYNAMIC(COleUpdateDialog)
public:
    explicit COleUpdateDialog(COleDocument* pDoc, BOOL bUpdateLinks = TRUE, BOOL bUpdateEmbeddings = FALSE,
                              CWnd* pParentWnd = nullptr);

    // Items are never links here; with embeddings, opened files are read back. Shows nothing.
    INT_PTR DoModal() override;

private:
    COleDocument* m_pDoc;
    BOOL m_bUpdateEmbeddings;
};
