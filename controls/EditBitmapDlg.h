// The Edit Bitmap dialog: where an object's picture comes from (none, pasted or edited here,
// an embedded file, a linked file), whether it is stored run-length compressed, and its
// transparent colour; with a preview, Copy, Paste, Load and Clear. The editable variant adds
// Edit..., which opens the bitmap editor on the picture.
#pragma once

#include "controls/ColourComboBox.h"
#include "controls/FlexSizeDialog.h"
#include "platform/gdi/Dc.h"

#include <memory>

class CBitmap;
class CDib;
class CExtDib;

// The bitmap editor that Edit... opens: edits the picture (replaced on OK) and its transparent
// colour (0xFFFFFFFF for none); TRUE on OK. The paint editor layer installs it.
using BitmapEditorFn = BOOL (*)(CDib& picture, COLORREF& transparent, CWnd* parent);
void SetBitmapEditor(BitmapEditorFn editor);
BitmapEditorFn GetBitmapEditor();

class CEditBitmapDlg : public CFlexSizeDialog {
public:
    static constexpr UINT TemplateId = 27914;
    static constexpr UINT IdColours = 27649, IdLoad = 27678, IdEdit = 27680, IdRle = 27685, IdLink = 27686,
                          IdPreview = 27687, IdFileName = 27688, IdCopy = 57634, IdPaste = 57637, IdClear = 57632;
    static constexpr UINT IdsNone = 26625, IdsBitmap = 26632;

    CEditBitmapDlg(CExtDib** picture, CWnd* view, UINT templateId = TemplateId, CWnd* parent = nullptr);
    ~CEditBitmapDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

    virtual BOOL ChooseFile();
    virtual void EditPicture() { }
    virtual void UpdateControls();

    void CopyPicture();
    void PastePicture();
    void LoadPicture();
    void ClearPicture();
    // The file-type filter of Load...: each type, then all supported ones, then all files.
    static CString BuildFilter();
    // Where a picture of this size is drawn inside the preview rectangle.
    static CRect PreviewPlace(CSize picture, const CRect& area);
    COLORREF GetSelectedColour() const;

    CString m_strFileName;
    int m_bRLE = 0;
    int m_bLink = 0;

protected:
    void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    void RedrawPreview();
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnRleClicked();
    void OnLinkClicked();
    void OnColourChanged();

    DECLARE_MESSAGE_MAP()

    // Takes the picture of a bitmap at a depth (0: the bitmap's own), compressed when RLE asks
    // for it, as a new in-place picture with no name and no transparent colour.
    void TakeBitmap(CBitmap* bitmap, UINT bitCount);
    // The picture of a stored bitmap taken again through its device bitmap.
    void Retake(CDib& source);
    // Replaces the picture, carrying its packing routine over.
    void ReplacePicture(std::unique_ptr<CExtDib> fresh);
    void SelectPicture();
    void SelectColour(COLORREF colour);
    BOOL CanCompress() const;

    CColourComboBox m_Colours;
    CExtDib** m_ppPicture;
    CWnd* m_pView;
    CDC m_MemDC;
    HGDIOBJ m_hOldBitmap = nullptr;
    CSize m_sizePicture{0, 0};
};

class CEditableBitmapDlg : public CEditBitmapDlg {
public:
    using CEditBitmapDlg::CEditBitmapDlg;

    void EditPicture() override;
    void UpdateControls() override;

protected:
    void OnEditClicked() { EditPicture(); }
    void OnLButtonDblClk(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()
};

// The property editors' entry point: the editable dialog on the picture; TRUE on OK.
BOOL EditBitmapProperty(CExtDib** picture, CWnd* view);
// The plain or the editable dialog on a copy of the picture, which takes the result on OK.
BOOL EditPictureCopy(CExtDib* bitmap, CWnd* parent, BOOL editable);
