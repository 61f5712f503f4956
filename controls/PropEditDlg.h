// The property dialog layer that moves one property at a time between its editor object and
// the dialog's controls, picks the control by the property's kind, runs the choosers,
// completes URLs and places the dialog beside the object.
#pragma once

#include "controls/PropDialogBase.h"
#include "imaging/ExtDib.h"
#include "objects/AnchorFmt.h"
#include "objects/FontDescriptor.h"
#include "objects/LayerFmt.h"

class CColourComboBox;
class CComboBox;
class CPropOb;

class CPropEditDlg : public CPropDialogBase {
public:
    // Controls that property editors name as their editor.
    static constexpr UINT ColourComboControl = 27649;
    static constexpr UINT EditControl = 27650;
    static constexpr UINT ChoiceControl = 27651;
    static constexpr UINT BrowseControl = 27652;
    static constexpr UINT ListControl = 27654;
    static constexpr UINT UrlComboControl = 27657;
    static constexpr UINT DateTimeControl = 27658;
    // Identifiers of the choosers that answer by notification.
    static constexpr UINT ColourPopupId = 9989;
    static constexpr UINT DateTimeDialogId = 9990;
    // Kinds of values this layer edits.
    enum Kind : int {
        KindInt = 0, KindLong = 1, KindDouble = 2, KindText = 3, KindChoice = 4, KindColour = 5, KindFont = 6,
        KindFile = 7, KindBitmap = 8, KindSnapPoints = 12, KindLayers = 13, KindEditCombo = 17, KindUrl = 18,
        KindDateTime = 31, KindDateTimeAlt = 32, KindOther = 99
    };

    CPropEditDlg(UINT idTemplate, CWnd* parent);

    // The kind that decides how a property is edited: its own kind where that names a value
    // this layer knows, else the kind its class stands for.
    static int EditKindOf(const CPropOb* property);
    // A typed address made into a URL; programFolder completes rooted paths.
    static CString CompleteUrl(CString text, const CString& programFolder);
    // Where the dialog goes beside an object on a screen of the given size: below it when it
    // fits, else above, else centred vertically; never past the right edge.
    static CRect PlaceRectNear(CRect dialog, const CRect& object, CSize screen);

    BOOL ExchangeProperty(BOOL save) override;
    UINT GetCurrentPropertyId() const override;
    void DoDataExchange(CDataExchange* dx) override;
    void ApplyAndNotify() override;
    void OnOK() override;
    void OnCancel() override;

    virtual BOOL EditBitmapProperty(CExtDib* bitmap, CHyperRunView* view);
    virtual CColourComboBox* GetColourCombo() { return nullptr; }
    // The combo box control of an editor id, NULL when the dialog has none.
    virtual CComboBox* GetEditorCombo(UINT) { return nullptr; }
    virtual void ExchangePropValue(BOOL) { }
    virtual void HideEditor() { }
    virtual void ShowEditor() { }
    virtual void MarkCurrentChanged();
    virtual int MapPropertyIndex(int row) const { return row; }
    virtual void EditPropValue();
    virtual void ChooseFont();
    virtual void ChooseFile();
    virtual void ChooseDateTime();
    virtual void BrowseDateTime() { ChooseDateTime(); }
    virtual void ChooseDateTimeAlt();
    virtual void BrowseDateTimeAlt() { ChooseDateTimeAlt(); }
    virtual void ChooseColour();
    virtual void ShowColourPopup();
    virtual void BrowseColour() { ShowColourPopup(); }
    virtual void BrowseBitmap();
    virtual void EditSnapPoints();
    virtual void BrowseLayers();
    void PlaceNearOwner(int heightReduction);

    int GetCurrentRow() const { return m_currentRow; }
    CPropOb* GetCurrentProperty() const { return m_current; }

    // Edit buffers, exchanged with the controls.
    int m_intValue = 0;
    long m_longValue = 0;
    double m_doubleValue = 0;
    CString m_textValue;
    COLORREF m_colourValue = static_cast<COLORREF>(-1);
    CFontDescriptor m_fontValue;
    CExtDib m_bitmapValue;
    CAnchorFmt m_snapPoints;
    CLayerFmt m_layers;
    // A list edited in its own dialog shows the same value text before and after: this tells
    // that the last edit changed it.
    BOOL m_listEdited = FALSE;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    virtual CString GetProgramFolder() const;
    void LoadValue(int kind);
    void StoreValue(int kind);
    void ExchangeControls(CDataExchange* dx, int kind);
    void ExchangeNumber(CDataExchange* dx, int kind);
    void ExchangeText(CDataExchange* dx, int kind);
    void ExchangeChoice(CDataExchange* dx, int kind);
    void PropagateCurrent();
    void ChooseDateTimeIn(BOOL compact);
    CRect ScreenEditorRect() const;

    int m_currentRow = -1;
    CRect m_editorRect;
    CPropOb* m_current = nullptr;
    CPropOb* m_remembered[KindOther + 1] = {};
};
