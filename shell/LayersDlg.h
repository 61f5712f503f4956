// The Layers dialog inside its pane: a tool bar to add and delete layers over the list of the
// page's layers, which it edits in place.
#pragma once

#include "shell/LayerListBox.h"
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/Dialog.h"

#include <functional>

class CHyperView;
class CLayerFmt;

class CLayersDlg : public CDialog {
public:
    static constexpr UINT IDD = 286, kListId = 1087;
    static constexpr UINT CmdAddLayer = 1088, CmdAddNoticeLayer = 1089, CmdDeleteLayer = 1032;
    static constexpr UINT kLayerNameId = 27455;
    static constexpr UINT kToolBarId = 369;

    CLayersDlg(CLayerFmt* layers, CHyperView* view, UINT templateId, CWnd* parent);

    void SetLayerList(CLayerFmt* layers);
    CLayerFmt* GetLayerList() const { return m_pLayers; }
    void SetView(CHyperView* view) { m_pView = view; }
    CHyperView* GetView() const { return m_pView; }
    CLayerListBox& GetListBox() { return m_list; }
    void FillList();
    // The tool bar across the top, the list below it.
    void Arrange(int cx, int cy);
    CXTPToolBar& GetToolBar() { return m_toolBar; }
    // After every change: the selected row becomes the current layer of its kind; a hidden or
    // locked current layer sends the view back to the Select tool.
    void ApplyLayerChange(BOOL changed);
    void RememberSelection() { m_nSelection = m_list.GetSelectedRow(); }
    // The standard layers keep their names and stay.
    static BOOL IsStandardName(const CString& name);
    BOOL IsNameUsed(const CString& name) const;
    void SetModified();
    // The layer list follows the rows' order (names are unique).
    void ReorderToRows();
    void RenameLayer(int row, const CString& name);

    void OnAddLayer();
    void OnAddNoticeLayer();
    void OnDeleteLayer();
    void OnUpdateAddLayer(CCmdUI* cmdUI);
    void OnUpdateDeleteLayer(CCmdUI* cmdUI);
    LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    void AddLayer(BOOL notice);
    void KeepCurrentLayers(const std::function<void()>& change);
    void MoveObjectsOffLayer(int id, BOOL notice);

    int m_nSelection = -1;
    CLayerFmt* m_pLayers = nullptr;
    CHyperView* m_pView = nullptr;
    CWnd* m_pParent = nullptr;
    CLayerListBox m_list;
    // The bar's own set: it holds the bar's pictures and leaves the dialog as the bar's site.
    CXTPCommandBars m_bars;
    CXTPToolBar m_toolBar;

    DECLARE_MESSAGE_MAP()
};
