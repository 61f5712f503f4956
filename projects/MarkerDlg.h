// The marker pane's dialog: shows and sets the markers of the project selected in the
// project tree, or, as a filter, picks the marker values whose projects are hidden.
#pragma once

#include "projects/MarkerTreeCtrl.h"

#include "platform/ui/Dialog.h"

class CProjManager;
class CProjOb;

class CMarkerDlg : public CDialog {
public:
    static constexpr UINT IDD = 322;
    static constexpr UINT IdcTree = 1090;
    static constexpr UINT IdcUseAsFilter = 1092;

    explicit CMarkerDlg(CProjManager* manager = nullptr) : CDialog(IDD), m_pManager(manager) {}

    void SetManager(CProjManager* manager) { m_pManager = manager; }
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // Shows the project's values unless the pane is a filter.
    void ShowProject(const CProjOb& project);
    // A click on an item: on its check box, or on its icon or label.
    void ClickItem(HTREEITEM item, BOOL onCheckBox);
    void UpdateFilterValue(BOOL checked, HTREEITEM item);
    void ApplyFilter();
    void OnUseAsFilter();
    void OnMarkerClick(NMHDR* header, LRESULT* result);

    CMarkerTreeCtrl& GetTree() { return m_tree; }
    const MarkerFilter& GetFilter() const { return m_filter; }
    BOOL IsFilter() const { return m_bUseAsFilter; }

private:
    void StoreValue(HTREEITEM item, BOOL checked);

    CProjManager* m_pManager;
    CMarkerTreeCtrl m_tree;
    int m_bUseAsFilter = FALSE;
    MarkerFilter m_filter;

    DECLARE_MESSAGE_MAP()
};
