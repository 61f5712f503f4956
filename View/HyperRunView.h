// The page view: the base of every view class. It owns one page (the objects, the page
// object, grid, margins, custom colours and zoom), stores it as the page record, maps it to
// the window and the printer, draws it and answers what the page's objects ask of it.
#pragma once

#include "objects/HyperObArray.h"
#include "objects/ObjectHost.h"
#include "platform/core/Arrays.h"
#include "platform/core/Maps.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/View.h"

class CArchive;
class CHyperFrameOb;
class CHyperOb;
class CHyperViewOb;
class CCmdUI;
class CMenu;
struct CCreateContext;

class CHyperRunView : public CScrollView, public CObjectHost {
    DECLARE_SERIAL(CHyperRunView)
public:
    static constexpr UINT RecordVersion = 1;
    // Page flags.
    static constexpr DWORD GridVisible = 0x2;
    static constexpr DWORD GridSnap = 0x4;
    static constexpr DWORD GridCellMode = 0xC;
    static constexpr DWORD DefaultPageFlags = 6;
    static constexpr DWORD DefaultGridStep = 0x000A000A;
    static constexpr int DefaultMargin = 10;
    static constexpr int MaxObjects = 0xFFFF;
    static constexpr int CustomColorCount = 16;
    // The zoomed page stays below this many device units.
    static constexpr int MaxZoomedExtent = 3276800;
    // Private message the view sends itself at its first update.
    static constexpr UINT WM_VIEW_INITIALIZED = 0x8102;
    // SerializeDocToFile modes.
    static constexpr int ReadDocument = 1;

    CHyperRunView();
    ~CHyperRunView() override;
    CHyperRunView(const CHyperRunView&) = delete;
    CHyperRunView& operator=(const CHyperRunView&) = delete;

    // The page's own operations.
    virtual void RegisterTools();
    virtual void UpdateConnectors();
    virtual void DrawPage(CDC* dc, const CRect& rect);
    virtual void RefreshPictureViews();
    virtual BOOL CheckDuplicateNames();
    virtual BOOL ReportDuplicateNames(const CString& report, CObArray& holders);
    virtual CWnd* GetFocusWnd();
    virtual BOOL OwnsFrameObject() const { return m_ownsFrameObject; }
    virtual CHyperViewOb* CreatePageObject();
    virtual CHyperViewOb* GetPageObject() const { return m_pageObject; }
    virtual CHyperFrameOb* GetFrameObject() const { return m_frameObject; }
    virtual BOOL IsFrameMainView() const { return TRUE; }
    virtual void MapObjectName(const CString& name, CHyperOb* object);
    virtual int GetObjectId(const CHyperOb* object) const;
    virtual void GetObjectTypeName(CString& text, const CHyperOb* object) const;
    virtual void GetClassDisplayName(CString& text, const CRuntimeClass* runtimeClass) const;
    virtual void OnDocumentSaved(LPCTSTR path);
    virtual void OnObjectInserted(CHyperBaseOb*) { }
    virtual void OnObjectDeleted(CHyperBaseOb*) { }
    virtual BOOL OnEndTextEdit() { return TRUE; }
    virtual BOOL CanInsertAtPoint(CPoint) { return TRUE; }
    virtual BOOL CanInsertInRect(const CRect&) { return TRUE; }
    // The page's hooks for clicks (page units) and typed characters; they see every one, in
    // edit mode and in run mode, before the view acts on it.
    virtual void OnViewClick(int, int, BOOL /*doubleClick*/, BOOL /*right*/, BOOL /*shift*/, BOOL /*control*/) { }
    virtual void OnViewKey(UINT, BOOL /*control*/, BOOL /*shift*/) { }
    // Serializes the view's whole document to or from a file; FALSE when it cannot be opened.
    virtual BOOL SerializeDocToFile(LPCTSTR path, int mode);
    // The objects of the first page of a document file, in a new owning list (NULL when none);
    // the page itself is left as it was.
    virtual CHyperObArray* LoadObjectsFromFile(LPCTSTR path, CDocument* document);
    virtual CHyperObArray* LoadObjectsFromArchive(CArchive& archive, CDocument* document);
    virtual int GetGridStepX() const { return LOWORD(m_gridStep); }
    virtual int GetGridStepY() const { return HIWORD(m_gridStep); }
    virtual CRect GetPageMargins() const { return m_margins; }
    // Edit mode belongs to the editing view; the page view runs.
    BOOL IsEditMode() const override { return FALSE; }
    virtual void SetEditMode(BOOL) { }
    virtual BOOL IsPointEditing() const { return FALSE; }
    virtual BOOL AcceptsTools() const { return FALSE; }
    // Tools the view handles as a mode of its own, and whether it is busy with one now.
    virtual BOOL IsModeTool(UINT) const { return FALSE; }
    virtual BOOL IsBusyWithTool(UINT) const { return FALSE; }
    BOOL IsMapped() const override;
    virtual BOOL EraseBackground(CDC* dc, const CRect& rect);
    virtual void UpdateScrollSizes(int width, int height);
    virtual BOOL IsRepaintBatched() const;
    virtual void DetachFromSettings();
    virtual BOOL OnEditCopy() { return FALSE; }
    virtual BOOL OnEditPaste() { return FALSE; }
    virtual void SetToolClass(UINT toolId, CRuntimeClass* runtimeClass);
    virtual int GetObjectsInRect(CObArray& out, const CRect& rect, BOOL displayRects);
    virtual void ClampObjectsToPage(CObArray& objects, BOOL flag);
    virtual void GetPageRect(CRect* out, BOOL usePage);

    // Zoom.
    virtual void SetZoom(int zoom);
    int GetZoom() const { return m_zoom; }
    virtual int GetFirstZoom() const;
    virtual int GetNextZoom(int zoom) const;
    virtual int GetPrevZoom(int zoom) const;
    virtual int GetMaxZoom() const;
    virtual BOOL IsAltClick() const;

    // Drawing.
    virtual BOOL DrawObjectList(CDC* dc, const CRect& rect, const CObArray& objects, const CObArray* unused);
    virtual BOOL DrawObjectsInRect(CDC* dc, const CRect& rect, int start);
    virtual BOOL DrawPageRect(CDC* dc, const CRect& rect);
    virtual CRect UnionObjectRects(const CDWordArray& indexes) const;

    // Window helpers.
    virtual void SaveWindowPos(BOOL save);
    virtual BOOL OpenDocumentByName(LPCTSTR path);
    virtual BOOL RefusesOpenByName() const { return FALSE; }
    virtual void PumpMessages(UINT first, UINT last);
    // Copy of an edit control that has the focus: enabled only while it has a selection.
    void UpdateEditCopy(CCmdUI* cmdUI);
    // The derived views' mouse activation: the framework's unless the view owns its frame object.
    int MouseActivate(CWnd* desktop, UINT hitTest, UINT message);
    virtual void ClearSelection() { }
    virtual void OnContextMenu(CPoint point, CMenu* menu, UINT menuId, BOOL parentOwns);
    virtual void InitAutomation(BOOL withNames);
    // The named items scripts reach: the page, the frame, the objects and the groups.
    int GetAutomationNameCount() const { return static_cast<int>(m_automationNames.GetSize()); }
    const CString& GetAutomationName(int index) const { return m_automationNames[index]; }
    CObject* GetAutomationItem(int index) const { return m_automationItems[index]; }

    // Coordinates: device and page units convert only in mapped mode; without a DC a
    // prepared client DC of the view is used.
    void DeviceToLogical(LPPOINT point, CDC* dc);
    void DeviceToLogicalRect(LPRECT rect, CDC* dc);
    void LogicalToDevice(LPPOINT point, CDC* dc);
    void LogicalToDeviceRect(LPRECT rect, CDC* dc);

    // Object queries; each appends to the list and returns its new count.
    int GetObjectsWithSnapPoints(CObArray& out) const;
    int GetConnectors(CObArray& out, BOOL attachedOnly) const;
    int GetGroupObjects(int groupId, CObArray& out) const;
    static int GetGroupedObjects(const CObArray& in, CObArray& out);
    static int OrderByStacking(const CObArray& page, const CObArray& subset, CObArray& out);

    // The page.
    CHyperObArray& GetObjects() { return m_objects; }
    const CHyperObArray& GetObjects() const { return m_objects; }
    CHyperOb* GetObjectAtIndex(INT_PTR index) const;
    // The largest right and the largest bottom edge of the objects (whichever way round their
    // corners lie), in page units.
    CSize GetObjectExtent() const;
    CHyperOb* FindObjectByName(LPCTSTR name) const;
    void SetFrameObject(CHyperFrameOb* frameObject) { m_frameObject = frameObject; }
    // Takes the page object (owned from now on) and tells it its view.
    void SetPageObject(CHyperViewOb* pageObject);
    // The page record.
    void Serialize(CArchive& archive) override;
    // TRUE after a load of the page record had to stop part-way.
    BOOL LoadWasIncomplete() const { return m_loadIncomplete; }

    // Framework overrides.
    BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                CCreateContext* context = nullptr) override;
    void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
    void OnDraw(CDC* dc) override;
    void OnInitialUpdate() override;
    void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;
    // A non-zero hint is the rectangle to repaint (LPCRECT); without one the whole window.
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    BOOL OnPreparePrinting(CPrintInfo* info) override;

    // What the page's objects ask of their view.
    const CLayerFmt* GetLayerList() const override;
    BOOL IsLayerVisible(int layer) const override;
    BOOL IsLayerLocked(int layer) const override;
    COLORREF GetPageObjectColor() const override;
    BOOL GetPageFont(LOGFONT* font) const override;
    COLORREF* GetCustomColors() override { return m_customColors; }
    int GetObjectCount() const override { return static_cast<int>(m_objects.GetSize()); }
    BOOL IsBusy() const override { return m_serializing || IsInsertingObject(); }
    CHyperBaseOb* GetObjectAt(int index) const override;
    void GetCodesInUse(CStringArray& codes, const CHyperBaseOb* except) const override;
    CHyperBaseOb* FindObject(const CString& code, const CHyperBaseOb* except) const override;
    CFrameWindow* GetFrameWindow() const override;
    int GetZoomPercent() const override { return m_zoom; }
    void LogicalToDevice(POINT* points, int count) const override;
    void DeviceToLogicalPoints(POINT* points, int count) const override;
    POINT GetScreenOrigin() const override;
    void InvalidateDevice(const RECT& rect, BOOL erase) override;
    void ShowRectInStatusBar(const RECT& rect) override;
    void ShowAngleTip(const CString& text, POINT centre, SIZE size) override;
    void HideAngleTip() override;
    void ShowCursor(UINT id) override;
    BOOL GetViewClientRect(RECT* rect) const override;
    BOOL TrackBandInView(CHyperTracker& tracker, POINT device) override;
    // Mouse messages for the page's tool tip, in device units.
    void RelayToolTip(UINT message, CPoint device);
    void ResetToolTip();
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void PaintPageBackground(CDC* dc, const RECT& rect) override { EraseBackground(dc, CRect(rect)); }
    void DrawObjectsFrom(CDC* dc, const RECT& rect, int start) override { DrawObjectsInRect(dc, CRect(rect), start); }

    // The page's fields.
    CCreateContext* m_createContext = nullptr;
    DWORD m_stateWords[2] = {1, 0};
    CBrush m_backgroundBrush;
    // The tip over the page: the index of the object whose text it shows, -2 for the page's
    // own text, -1 for none.
    int m_toolTipId = -1;
    CString m_toolTipText;
    CToolTipCtrl m_toolTips;
    BOOL m_ownsFrameObject = FALSE;
    CHyperViewOb* m_pageObject = nullptr;
    CHyperFrameOb* m_frameObject = nullptr;
    DWORD m_pageFlags = DefaultPageFlags;
    DWORD m_gridStep = DefaultGridStep;
    DWORD m_spareWord = 0;
    DWORD m_batchedRepaint = 0;
    // 1 while an object's layout update runs.
    DWORD m_layoutUpdate = 0;
    CMapStringToOb m_nameMap{10};
    // Tool command id to the runtime class it inserts.
    CMapWordToPtr m_toolRegistry{10};
    CHyperObArray m_objects;
    COLORREF m_customColors[CustomColorCount] = {};
    DWORD m_wordsAfterColors[2] = {0, 0};
    BOOL m_serializing = FALSE;
    DWORD m_lastWord = 1;
    CRect m_margins{DefaultMargin, DefaultMargin, DefaultMargin, DefaultMargin};
    int m_zoom = 100;
    CDWordArray m_zoomTable;
    // Display state.
    HWND m_focusedChild = nullptr;
    CWnd* m_contextMenuSource = nullptr;
    CWnd* m_lastContextMenuSource = nullptr;
    BOOL m_active = FALSE;

protected:
    // Reads the objects and the page object of a page record; FALSE when it had to stop.
    BOOL LoadPageEntries(CArchive& archive, int count);
    void LoadPageRecord(CArchive& archive);
    void StorePageRecord(CArchive& archive);
    void TakeFrameObjectValue();

    int OnCreate(LPCREATESTRUCT cs);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnDestroy();

    BOOL m_loadIncomplete = FALSE;
    CStringArray m_automationNames;
    CObArray m_automationItems;

    DECLARE_MESSAGE_MAP()
};

// The page view of a window, or NULL.
CHyperRunView* AsHyperRunView(CWnd* wnd);
