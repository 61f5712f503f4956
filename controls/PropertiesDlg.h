// The Properties dialog: an object combo, a tab strip, the property grid with in-place
// editors over the value column, a drill button for multi-selections, a pin button and a
// context menu. Modal for one edit, or modeless in the Properties pane following the view's
// selection.
#pragma once

#include "View/ViewPropertyDialog.h"
#include "controls/ColourComboBox.h"
#include "controls/PropEditDlg.h"
#include "controls/PropListWnd.h"
#include "controls/PropTabStrip.h"
#include "platform/ui/Button.h"

class CPropertiesDlg : public CPropEditDlg, public CViewPropertyDialog {
public:
    // Templates and controls.
    static constexpr UINT ViewTemplate = 27934;
    static constexpr UINT ListTemplate = 163;
    static constexpr UINT ObjectCombo = 27648;
    static constexpr UINT DrillButton = 27677;
    static constexpr UINT PinButton = 27682;
    static constexpr UINT TabStrip = 27656;
    static constexpr UINT ContextMenu = 27926;
    // Commands of the context menu.
    static constexpr UINT CmdClearDefault = 27674;
    static constexpr UINT CmdDelete = 27675;
    static constexpr UINT CmdSaveAsDefault = 27676;
    static constexpr UINT CmdSort = 27678;
    // Messages to the owner view.
    static constexpr UINT MsgClosed = 0x8102;
    static constexpr UINT MsgPick = 0x8103;
    static constexpr UINT MsgUndoStep = 0x8104;
    static constexpr UINT CmdClear = 0xE120;
    // Property ids of names.
    static constexpr UINT ObjectCodeId = 27142;
    static constexpr UINT PageCodeId = 26685;

    CPropertiesDlg(UINT idTemplate, CWnd* parent);
    ~CPropertiesDlg() override;

    // The dialog's tabs: their number and the string id of the first caption.
    void SetTabs(int count, UINT firstCaptionId);
    static BOOL GetSortFlag();
    static void SetSortFlag(BOOL sorted);
    static int GetLastTab();
    static void SetLastTab(int tab);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void ShowEditor() override;
    void HideEditor() override;
    int MapPropertyIndex(int row) const override;
    void OnPropertyListChanged(CPropOb* property) override;
    void ApplyAndNotify() override;
    void RestoreProperties() override;
    void OnOK() override;
    void OnCancel() override;
    CColourComboBox* GetColourCombo() override { return &m_colourCombo; }
    CComboBox* GetEditorCombo(UINT id) override;

    // Hooks of the grid.
    virtual CWnd* GetFocusControl();
    virtual void OnRowActivated() { }
    virtual BOOL HitTestEditor(const CRect&, const CString&) { return FALSE; }
    virtual int DrawColourCell(CDC* dc, INT_PTR data, const CRect& cell, BOOL selected);
    virtual void DrawValueText(CDC* dc, INT_PTR data, const CRect& cell);
    virtual CRect GetButtonRect(CDC* dc, CRect rect);
    virtual void DrawRowButton(CDC* dc, INT_PTR data, const CRect& row);
    virtual void DrawCustomButton(CDC*, CPropOb*, const CRect&) { }
    virtual BOOL IsPropertyEnabled(INT_PTR data) const;
    virtual CString GetPropertyName(INT_PTR data) const;
    virtual BOOL IsScriptEmpty(INT_PTR data) const;
    virtual CString GetPropertyValueText(INT_PTR data) const;
    virtual BOOL IsPropertyDifferent(int position) const;
    virtual void FillList();
    virtual void OnEditorKey(UINT) { }
    virtual CPropListWnd* GetListWnd() { return &m_listWnd; }
    void BeginEdit(BOOL dropDown);
    CPropOb* PropertyOfRow(INT_PTR data) const;

    // What the view drives.
    CWnd* GetDialogWindow() override { return this; }
    BOOL CreateDialogWindow(CWnd* parent) override;
    INT_PTR RunModal() override { return DoModal(); }
    void SetOwnerView(CWnd* view) override { m_ownerView = view; }
    CWnd* GetOwnerView() const override { return m_ownerView; }
    void SetModal(BOOL modal) override { m_modal = modal; }
    void SetProperties(CPropObArray* list, CHyperBaseOb* owner, LPCTSTR caption) override;
    void SetMultiProperties(CPropListArray* lists, BOOL* flags, CHyperObArray* owners, LPCTSTR caption) override;
    void SetPropertiesEx(CPropObArray* list, CHyperBaseOb* second, CHyperBaseOb* third, LPCTSTR caption) override;
    void DeleteProperties() override;
    void ResetProperties(CPropObArray* list) override { CPropDialogBase::ResetProperties(list); }
    CHyperBaseOb* GetOwnerObject() const override { return CPropDialogBase::GetOwnerObject(); }
    BOOL IsIdle() const override { return !GetOwnerObject() && !m_lists && !m_list; }
    void SetCaptionText(const CString& text) override { m_caption = text; }
    CString GetCaptionText() const override { return m_caption; }
    void FillObjectCombo(const CObArray& objects, CHyperBaseOb* page, int index, BOOL drill) override;
    void AddGroupEntry(int itemData, BOOL select) override;
    void RefreshPropertyList() override { FillList(); }
    void ReloadValues() override;
    BOOL GetPinState() const override { return m_pinned; }
    void SetPinState(BOOL pinned) override;
    BOOL GetDrillMulti() const override { return m_drill; }
    void SetDrillMulti(BOOL drill) override;
    BOOL EditPicture(CExtDib* picture, CHyperRunView* view) override { return EditBitmapProperty(picture, view); }

    BOOL IsInPane() const { return m_inPane; }

    BOOL m_suppressEdit = FALSE;
    BOOL m_rightZone = FALSE;
    BOOL m_tabPending = FALSE;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnEditKillFocus();
    void OnChoiceKillFocus();
    void CloseEditor();
    void CommitIfChanged(const CString& before);
    void OnListSelChange();
    void OnListDblClk();
    void OnChoiceSelChange();
    void OnColourSelChange();
    void OnObjectSelChange();
    void OnBrowseClicked();
    void OnDrillClicked();
    void OnDeleteCommand();
    void OnSaveAsDefault();
    void OnClearDefault();
    void OnSortCommand();
    void OnUpdateContextMenu(CMenu* menu);
    void ShowContextMenu(CPoint client);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnSize(UINT type, int cx, int cy);
    void OnMove(int x, int y);
    void OnWindowPosChanging(WINDOWPOS* pos);
    void OnClose();
    LRESULT OnStoreAndApply(WPARAM, LPARAM);
    void EmptyForHiddenPane();
    void ApplyAndNotifyModeless();
    void RenameComboEntry();
    void PlaceEditorOverCell(CWnd* editor, const CRect& cell, BOOL keepWidth);
    CRect CellRectOfCurrentRow() const;
    void PostToView(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL m_drill = FALSE;
    BOOL m_drillBusy = FALSE;
    CColourComboBox m_colourCombo;
    CComboBox m_choiceCombo;
    CComboBox m_urlCombo;
    CComboBox m_objectCombo;
    CButton m_drillButton;
    CButton m_pinButton;
    CPropListWnd m_listWnd;
    CPropTabStrip m_tabStrip;
    int m_tabCount = 0;
    UINT m_firstTabId = 0;
    BOOL m_modal = TRUE;
    CString m_defaultObjectName;
    CWnd* m_ownerView;
    UINT m_templateId;
    CString m_valueText;
    CFont m_boldFont;
    UINT m_activeEditor = 0;
    BOOL m_settingText = FALSE;
    BOOL m_comboBusy = FALSE;
    BOOL m_pinned = FALSE;
    BOOL m_inPane = FALSE;
    BOOL m_renamed = FALSE;

    DECLARE_MESSAGE_MAP()
};

// Installs the factory that makes the view's properties dialogs.
void RegisterPropertyDialogFactory();
void RegisterPropertyDialogTemplates();
