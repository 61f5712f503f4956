// The child frame of an editable page: the frame object written at the head of the document
// file, the current drawing tool, the rulers, edit and run mode, and the autosave copy.
#pragma once

#include "View/HyperRunFrame.h"

class CArchive;
class CCmdUI;
class CComboBox;
class CControlBar;
class CDocument;
class CHyperFrameOb;

// Sent to the frame after a successful save; lParam is the path or NULL.
constexpr UINT WM_DOCUMENT_SAVED = 0x8213;

class CHyperFrame : public CHyperRunFrame {
    DECLARE_DYNCREATE(CHyperFrame)
public:
    static constexpr UINT AutoSaveTimer = 61;
    static constexpr int DefaultAutoSaveSeconds = 120;
    static constexpr int DefaultRulerUnits = 100;
    static constexpr int MetricRulerUnits = 254;
    // Private message: ruler units to the frame, the current tool to the tool bar.
    static constexpr UINT WM_TOOL_OR_UNITS = 0x8100;
    // Commands and windows.
    static constexpr UINT ToolSelect = 60447;
    static constexpr UINT ToolText = 60448;
    static constexpr UINT FirstObjectTool = 60496;
    static constexpr UINT LastObjectTool = 60527;
    static constexpr UINT CmdEditView = 60415;
    static constexpr UINT CmdRuler = 60579;
    static constexpr UINT HorzRulerId = 28552;
    static constexpr UINT VertRulerId = 28553;
    static constexpr UINT ObjectComboId = 28544;
    static constexpr UINT ToolBarId = 59393;
    static constexpr UINT ToolBarResource = 167;
    // Arguments of the frame object when it applies its window settings.
    static constexpr int ApplyWithSavedPosition = 18;
    static constexpr int ApplyFresh = 16;

    CHyperFrame();
    ~CHyperFrame() override;

    // The frame record.
    void Serialize(CArchive& archive) override;
    virtual CHyperFrameOb* CreateFrameObject();
    // Replaces the frame object by this one (owned from now on), bound to the frame and its view.
    CHyperFrameOb* AdoptFrameObject(CHyperFrameOb* frameObject);
    virtual void DeleteFrameObjects();
    CHyperFrameOb* GetFrameObject() const { return m_frameObject; }
    // Edit mode of the first view.
    BOOL IsEditMode() const;
    CControlBar* GetHorzRuler() const { return m_horzRuler; }
    CControlBar* GetVertRuler() const { return m_vertRuler; }
    virtual void UpdateRulers(BOOL currentMode);

    // Tools.
    virtual void GetToolList(UINT* toolBarId, const UINT** ids, int* count) const;
    virtual BOOL SelectTool(UINT id);
    virtual void OnUpdateTool(CCmdUI* cmdUI);
    virtual void NotifyToolBar();
    virtual CWnd* GetToolBar() const;
    virtual void ShowPageSize();
    CComboBox* GetToolCombo(UINT id) const;
    UINT GetCurrentTool() const { return m_currentTool; }
    virtual void OnActivateHook(BOOL activate);
    virtual void ShowToolPalette(BOOL show);
    // The palette window; the main frame's tool code makes it.
    virtual CWnd* CreateToolWindow() { return nullptr; }

    // The autosave copy of a path: '~' before the file name. Without a path, the copy of the
    // active document: beside its file, or the one in the autosave folder for a document
    // without a path (empty until the first autosave).
    CString GetAutoSavePath(LPCTSTR path = nullptr);
    // The document was opened from a copy left in the autosave folder: autosaves go on there.
    void AdoptUnsavedCopy(LPCTSTR copy) { m_unsavedCopy = copy; }
    // The user declined the document's newer autosave copy: it stays as it is, neither
    // overwritten nor removed, until the next real save.
    void KeepAutoSaveCopy() { m_autoSavePaused = m_autoSaveKept = TRUE; }

    void GetLayoutRect(CRect* rect) override;
    void ActivateFrame(int cmdShow = -1) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Offers a command to the in-place text editors of the views.
    BOOL OfferCommandToTextEdits(UINT command);
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    CHyperFrameOb* m_frameObject = nullptr;
    CObject* m_secondObject = nullptr;
    CWnd* m_toolWindow = nullptr;
    CWnd* m_pendingView = nullptr;
    UINT m_currentTool = ToolSelect;
    BOOL m_toolPaletteShown = FALSE;
    BOOL m_sizing = FALSE;
    // The window is taking the frame object's size.
    BOOL m_applyingSize = FALSE;
    CControlBar* m_horzRuler = nullptr;
    CControlBar* m_vertRuler = nullptr;
    CObArray m_spareList;
    BOOL m_rulersShown = TRUE;
    DWORD m_lastWord = 0;
    int m_rulerUnits = DefaultRulerUnits;
    // An autosave failed, or a declined copy is kept: none until the next real save.
    BOOL m_autoSavePaused = FALSE;
    BOOL m_autoSaveKept = FALSE;
    // The copy of a document without a path, named at its first autosave.
    CString m_unsavedCopy;

protected:
    CHyperRunView* GetTargetView() const;
    void ApplyFrameObject(int how);
    BOOL IsToolInList(UINT id) const;
    void AutoSave();
    // The frame's active document, else the document of its first view.
    CDocument* GetAutoSaveDocument();

    int OnCreate(LPCREATESTRUCT cs);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnNcDestroy();
    void OnSize(UINT type, int cx, int cy);
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated);
    LRESULT OnDocumentSaved(WPARAM, LPARAM lParam);
    LRESULT OnRulerUnits(WPARAM wParam, LPARAM);
    void OnEditView();
    void OnUpdateEditView(CCmdUI* cmdUI);
    void OnRuler();
    void OnUpdateRuler(CCmdUI* cmdUI);
    BOOL OnSelectToolCommand(UINT id);
    void OnObjectComboChange();

    DECLARE_MESSAGE_MAP()
};

// The editing frame of a window, or NULL.
CHyperFrame* AsHyperFrame(CWnd* wnd);
