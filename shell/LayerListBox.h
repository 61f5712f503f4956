// The rows of the Layers dialog: per layer its visibility, lock and notice icons and its
// name; the icons toggle the layer, double click renames it, drags and keys reorder.
#pragma once

#include "shell/ListBoxEx.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

class CLayersDlg;
class CLayerItem;

class CLayerListBox : public CListBoxEx {
public:
    static constexpr int kNamePrefix = 22;
    static constexpr int kEditIndent = 65;

    CLayerListBox();
    void SetDialog(CLayersDlg* dialog) { m_pDialog = dialog; }
    // The layer name of a row (its text without the blanks before it).
    CString GetRowName(int row) const;
    void AddLayerRow(const CString& name);
    void SetRowName(int row, const CString& name);
    // Where the icons of a row are drawn.
    CRect VisibleIconRect(int row) const;
    CRect LockIconRect(int row) const;

    BOOL CanEditRow(int row) override;
    BOOL OnEndEditRow(int row, BOOL cancelled) override;
    void Dropped(int srcIndex, CPoint pt) override;
    void DrawItem(LPDRAWITEMSTRUCT draw) override;

    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);

private:
    struct Icon {
        CBitmap bitmap;
        CSize size;
    };
    CLayerItem* ItemOfRow(int row) const;
    int IconsRight() const;
    void DrawIcon(CDC* dc, const Icon& icon, int left, const CRect& row, BOOL shown) const;

    Icon m_visible, m_locked, m_notice;
    CLayersDlg* m_pDialog = nullptr;

    DECLARE_MESSAGE_MAP()
};
