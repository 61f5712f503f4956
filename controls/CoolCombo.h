// A flat drop-down picker button: the main part shows the current choice as an image, the
// arrow part opens a CCoolComboPopup. Every popup event reaches the owner (or the parent)
// as an NMCOOLCOMBO record with the button's control identifier.
#pragma once

#include "controls/CoolComboPopup.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/Static.h"

#include <vector>

class CCoolCombo : public CStatic {
    DECLARE_DYNCREATE(CCoolCombo)
public:
    CCoolCombo() = default;
    ~CCoolCombo() override;

    void SetCurSel(int value);
    int GetCurSel() const { return m_selection; }
    void SetFlat(BOOL flat);
    // The items: a strip of images of the given width; mask pixels are transparent.
    BOOL SetImageList(UINT bitmapId, int imageWidth, COLORREF mask);
    // The button's own picture: image index of a strip.
    BOOL SetButtonImage(UINT bitmapId, int imageWidth, int index, COLORREF mask);
    void SetExtraText(LPCTSTR text) { m_extraText = text; }
    void AddTextEntry(LPCTSTR text) { m_textEntries.Add(text); }
    void SetColumnCount(int columns) { m_columns = columns > 0 ? columns : 1; }
    void SetPopupTitle(LPCTSTR title) { m_title = title; }
    void EnableTearOff(BOOL enable) { m_tearOff = enable; }
    CCoolComboPopup* GetPopup() const { return m_popup; }
    BOOL IsDropped() const { return m_dropped; }
    BOOL IsHot() const { return m_hot; }
    CRect GetArrowRect() const { return m_arrowRect; }
    CRect GetMainRect() const { return m_mainRect; }

    virtual void ClosePopup();
    virtual void OpenPopup();
    virtual void DrawButtonContent(CDC& dc, const CRect& rect);
    virtual void OnButtonClick();
    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    virtual void OnPopupOpened();
    virtual void OnPopupClosed();
    virtual void OnPopupSelect(int index);
    virtual void OnPopupExtra();
    virtual void OnPopupTextEntry(int entry);
    virtual void OnPopupCancel();
    virtual void OnPopupHot(int index);
    virtual void OnPopupTornOff();

    void PreSubclassWindow() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // Set by the owner.
    BOOL m_joinedArrow = FALSE;
    BOOL m_closeOnButtonUp = FALSE;
    std::vector<DWORD> m_commands;
    BOOL m_showSelectionImage = FALSE;
    BOOL m_showSelectionChecked = FALSE;
    int m_currentCommand = 0;

protected:
    int OnCreate(LPCREATESTRUCT cs);
    void OnSize(UINT type, int cx, int cy);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

    LRESULT Forward(UINT code, DWORD value);
    void Redraw();
    void ComputeRects();
    CCoolComboPopup::Content PopupContent();
    bool CurrentCommandEnabled() const;
    bool ValidSelectedImage() const;
    void DrawArrow(CDC& dc, const CSize& edge);
    void DrawMainEdge(CDC& dc, CRect& main, const CSize& edge);
    void DrawImageCentred(CDC& dc, CImageList& images, int index, const CRect& rect, CSize size);
    // The dithered face of a button with no selection yet.
    void DrawUnsetChecker(CDC& dc, const CRect& clip);

    int m_selection = CC_UNSET;
    BOOL m_tearOff = TRUE;
    CString m_extraText;
    CStringArray m_textEntries;
    int m_count = 20;
    int m_columns = 8;
    BOOL m_hot = FALSE, m_pressedInside = FALSE, m_mainPressed = FALSE, m_dropped = FALSE;
    CRect m_arrowRect, m_mainRect;
    CImageList m_items;
    CSize m_itemSize{16, 16};
    CImageList m_buttonImage;
    CSize m_buttonSize{0, 0};
    CString m_title;
    BOOL m_flat = TRUE;
    CCoolComboPopup* m_popup = nullptr;
};
