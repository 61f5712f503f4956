// The editing view: selection, edit mode, insertion of objects with the tools, grid and
// guide lines, and the undo and redo histories of its page. Every view class of the program
// derives from it.
#pragma once

#include "View/NotesView.h"
#include "objects/HyperObArray.h"
#include "objects/UndoRecord.h"
#include "objects/kinds/LineRouterView.h"
#include "platform/core/Maps.h"

#include <memory>

class CChildHostWnd;
class CFile;
class CGroupInfo;
class CHyperFrame;
class CHyperTextEdit;
class CHyperOb;
class COleDataObject;
class COleDataSource;
class COleDropTarget;
class CPropListArray;
class CPropObArray;
class CPropOb;
class CViewPropertyDialog;

class CHyperView : public CNotesView, public CUndoSource, public CLineRouterView {
    DECLARE_SERIAL(CHyperView)
public:
    // Tool and command ids.
    static constexpr UINT ToolSelect = 60447;
    static constexpr UINT ToolText = 60448;
    static constexpr UINT ToolLine = 60450;
    static constexpr UINT ToolConnector = 60481;
    static constexpr UINT FirstObjectTool = 60496;
    static constexpr UINT EndObjectTools = 60527;
    static constexpr UINT CmdGrid = 60434;
    static constexpr UINT CmdGridSettings = 60433;
    static constexpr UINT CmdRoute = 60569;
    static constexpr UINT CmdGraphics = 34018;
    static constexpr UINT CmdDelete = 57632;
    static constexpr UINT CmdUndo = 57643;
    static constexpr UINT CmdRedo = 57644;
    // Kinds of undo step: the string ids that name them.
    static constexpr UINT UndoImport = 26672;
    static constexpr UINT UndoTabOrder = 26673;
    static constexpr UINT UndoInsert = 26674;
    static constexpr UINT UndoNudge = 26675;
    static constexpr UINT UndoMoveResize = 26676;
    static constexpr UINT UndoZOrder = 26677;
    static constexpr UINT UndoProperties = 26678;
    static constexpr UINT UndoDelete = 26679;
    static constexpr UINT UndoRotate = 26683;
    static constexpr UINT UndoEditPoints = 26684;
    // View flags of the page.
    static constexpr DWORD FlagShowGrid = 0x2;
    static constexpr DWORD FlagSnapGrid = 0x4;
    static constexpr DWORD FlagSnapCenter = 0x8;

    CHyperView();
    ~CHyperView() override;

    void Serialize(CArchive& archive) override;

    // Drawing and grid.
    virtual void DrawObjects(CDC* dc, CRect clip);
    virtual void DrawGrid(CDC* dc);
    void DrawPage(CDC* dc, const CRect& rect) override;
    void DrawSnapMarker(CDC* dc);

    // Frame, insertion and deletion.
    virtual CHyperFrame* GetHyperFrame() const;
    virtual CHyperOb* CreateObjectForTool(UINT toolId);
    virtual BOOL DeleteObject(int index);
    virtual BOOL AddObject(CHyperOb* object, BOOL isNew, BOOL placed);
    virtual void InsertObjectAt(int x, int y, UINT toolId, BOOL pointList, BOOL atPoint);
    virtual void SetEditMode(BOOL editMode) { m_editMode = editMode; }

    // Grid values of the page.
    virtual int GetPasteGridX() const;
    virtual int GetPasteGridY() const;
    virtual int GetGridStepX() const;
    virtual int GetGridStepY() const;
    virtual BOOL IsGridVisible() const;
    virtual BOOL IsSnapToGrid() const;
    BOOL IsSnapToCenter() const;
    void ShowGrid(BOOL show);
    void SetSnapToGrid(BOOL snap);
    void GetSelectionRect(CRect* out, CHyperOb* first, BOOL snapOut) const;

    virtual BOOL IsCurrentLayerEditable() const;
    virtual BOOL KeepRectOnPage(RECT* rect, int objectFlag, BOOL resizing, BOOL noSnap);

    // Undo and redo.
    virtual BOOL MergeUndo(const CUndoRecord* newRecord, const CUndoRecord* oldRecord) const;
    virtual void PushUndo(CUndoRecord* record, BOOL keepRedo);
    virtual void PushRedo(CUndoRecord* record);
    void ApplyUndoRecord(CUndoRecord* record);
    BOOL CanUndo() const;
    BOOL CanRedo() const;
    void Undo();
    void Redo();
    int GetUndoCount() const;
    int GetRedoCount() const;
    void SetRecordUndo(BOOL record) { m_recordUndo = record; }

    // What an undo snapshot copies.
    CHyperViewOb* GetUndoPageObject() const override;
    CHyperFrameOb* GetUndoFrameObject() const override;
    BOOL IsRecordingUndo() const override { return m_recordUndo; }
    const CHyperObArray& GetUndoObjects() const override;
    const CHyperObArray& GetUndoSelection() const override;
    int GetUndoCurrentIndex() const override;

    // Tools.
    virtual BOOL IsPointListTool(UINT toolId) const;
    virtual BOOL IsConnectorTool(UINT toolId) const { return toolId == ToolConnector; }
    virtual BOOL IsLineTool(UINT toolId) const { return toolId == ToolLine; }
    UINT GetCurrentTool() const;

    // Selection and the change bracket.
    virtual void RefreshSelection();
    virtual BOOL NotifyChanged(BOOL selectionChanged);
    virtual void BeginUpdate(BOOL force);
    virtual BOOL EndUpdate();
    virtual void OnSelectionChanged();
    void ClearSelection() override { ClearSelection(FALSE); }
    virtual void ClearSelection(BOOL keepCurrent);
    virtual BOOL TrackSelection(int* hitIndex, int x, int y);
    virtual BOOL SelectAndTrack(int startIndex, int x, int y);
    virtual void TrackRubberBand(int x, int y);
    virtual void TrackRubberBandAdd(int x, int y);
    void SelectOnly(int index);
    BOOL HasSelection() const { return m_selection.GetSize() > 0; }
    int GetCurrentIndex() const { return m_currentIndex; }
    void SetCurrentIndex(int index) { m_currentIndex = index; }
    CHyperOb* GetCurrentObject() const;
    CHyperObArray& GetSelection() { return m_selection; }
    int FindObjectIndex(const CObject* object) const;

    // What the page's objects ask of the editing view.
    BOOL IsNoResize() const override { return !m_allowResize; }
    BOOL AllowsInlineEdit() const override { return m_allowInlineText; }
    BOOL HasEmptySelection() const override { return m_currentIndex < 0 && m_selection.GetSize() == 0; }
    BOOL GetDefaultColors(COLORREF* back, COLORREF* fore) const override;
    BOOL GetDefaultPen(PenDefaults* defaults) const override;
    HandleColors GetHandleColors() const override;
    BOOL IsFreeRotateMode() const override { return m_freeRotate; }
    BOOL IsCellMode() const override { return IsSnapToCenter(); }
    int GetFlagsLow() const override { return CHyperRunView::GetGridStepX(); }
    void AddToSelection(CHyperBaseOb* object) override;
    void NotifySelectionChanged() override { NotifyChanged(TRUE); }
    CUndoRecord* CreateUndoRecord(UINT commandId) override;
    void PushObjectUndo(CUndoRecord* record) override { PushUndo(record, FALSE); }
    void PostDeleteObject(CHyperBaseOb* object) override;

    // Page-view hooks answered by the editing view.
    BOOL IsEditMode() const override { return m_editMode; }
    BOOL ShowsSnapPoints() const override { return m_showSnapPoints; }
    BOOL IsEditingTextOf(const CHyperBaseOb* object) const override;
    BOOL IsInsertingObject() const override { return m_inserting; }
    BOOL IsBusy() const override { return m_restoringObjects || CHyperRunView::IsBusy(); }
    BOOL ShowsHandles() const override { return m_showHandles; }
    BOOL AcceptsTools() const override { return TRUE; }
    BOOL IsFrameMainView() const override;
    CHyperFrameOb* GetFrameObject() const override;
    void GetObjectTypeName(CString& out, const CHyperOb* object) const override;
    void GetClassDisplayName(CString& out, const CRuntimeClass* runtimeClass) const override;
    void DetachFromSettings() override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
    void OnInitialUpdate() override;

    // Commands.
    void OnGrid();
    void OnUpdateGrid(CCmdUI* cmdUI);
    void OnGridSettings();
    void OnUpdateEditMode(CCmdUI* cmdUI);
    void OnEditUndo();
    void OnUpdateEditUndo(CCmdUI* cmdUI);
    void OnEditRedo();
    void OnUpdateEditRedo(CCmdUI* cmdUI);
    void OnEditDelete();
    void OnUpdateEditDelete(CCmdUI* cmdUI);

    // Window messages.
    int OnCreate(LPCREATESTRUCT cs);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnRButtonDblClk(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnKeyUp(UINT key, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    LRESULT OnSetZoomMessage(WPARAM, LPARAM);
    LRESULT OnCloseProperties(WPARAM, LPARAM);
    LRESULT OnPickObject(WPARAM, LPARAM);
    LRESULT OnPropertiesUndo(WPARAM, LPARAM);
    LRESULT OnSetCurrentLayer(WPARAM, LPARAM);
    LRESULT OnDeleteObjectMessage(WPARAM, LPARAM);
    LRESULT OnOverlapMessage(WPARAM, LPARAM);

    // Point lists: the Edit Points mode and lines joined into one polyline.
    BOOL IsEditPointsMode() const override { return m_editPoints; }
    void SetEditPointsMode(BOOL on);
    // A polyline for the lines, or NULL when they do not chain; any polyline for no lines.
    virtual CHyperOb* CreateFreehandObject(const CObArray& lines);
    BOOL JoinSelectedLines(UINT undoId);
    // The mouse steps that come before editing: the Alt-drag zoom, the page's click hook with
    // the keys of the message, and the rulers' marks at the mouse.
    BOOL TrackAltClickZoom(CPoint devicePoint);
    void ReportClick(CPoint page, UINT flags, BOOL doubleClick, BOOL right);
    void ShowMouseOnRulers(CPoint devicePoint);

    // Snap marker of line and connector tools.
    void UpdateSnapMarker(CPoint devicePoint);
    void HideSnapMarker();
    void InvertSnapMarker();

    // Key handlers of the selection; FALSE lets the window procedure see the key.
    virtual BOOL HandleKeyDown(UINT key, UINT repeat);
    virtual BOOL HandleKeyUp(UINT key, UINT repeat);

    // In-place text editing of object texts.
    CHyperTextEdit& GetTextEdit() const { return *m_textEdit; }
    // The current object (or each member of a selected group) offered the edit, in page units.
    BOOL StartTextEdit(CPoint page, UINT nChar);
    // Commits a running edit; FALSE when none runs.
    BOOL CommitTextEdit();
    // Keys that reach the view while an edit runs (typed ahead of the focus) go to the edit.
    BOOL ForwardToTextEdit(UINT message, UINT key, UINT repeat, UINT flags);
    // The edit shows the edited object's colours.
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    COLORREF m_editBrushColor = static_cast<COLORREF>(-1);
    std::unique_ptr<CHyperTextEdit> m_textEdit;

    // The frame's rulers follow the scroll position, the zoom and the tracked object.
    void UpdateRulerOrigins();
    BOOL OnScrollBy(CSize sizeScroll, BOOL doScroll = TRUE) override;
    void SetZoom(int zoom) override;
    void ShowTrackedExtent(const RECT& rect) override;
    // The band goes when the tracking that showed it is over.
    void HideTrackedExtent();
    // Selection properties, change notification and groups.
    virtual void ShowObjectProperties(int index);
    // One list per selected object, all with the first list's properties in its order; the
    // returned same-value flags (one per property) belong to the caller.
    virtual BOOL* BuildSelectionPropertyLists(CPropListArray* lists);
    virtual CViewPropertyDialog* CreatePropertyDialog();
    virtual void ShowInPlaceDialog();
    virtual CPropOb* CreateFormatProperty(UINT propertyId);
    virtual BOOL IsObjectVisible(const CHyperOb* object) const;
    // The "Objects..." command with its tab order dialog; TRUE when the dialog ended with OK.
    static constexpr UINT CmdObjects = 60442;
    virtual BOOL OnObjectList();
    virtual BOOL RunObjectList();
    void OnObjects();
    void OnUpdateObjects(CCmdUI* cmdUI);
    virtual void PromoteGroupSelection();
    virtual void MakeGroupName(CGroupInfo* record, int index);
    virtual void GroupObjects(const CObArray& objects, BOOL = FALSE);
    virtual BOOL DisableForSymbolGroup(CCmdUI* cmdUI) const;
    virtual void GetObjectsByIds(const CObArray& objects, CMapWordToOb* map, BOOL flaggedOnly);
    virtual BOOL SyncGroupSelection();
    virtual void ZoomToRect(RECT rect, const double* scale);
    virtual void SetZoom(int percent, const POINT* devicePosition);
    using CHyperRunView::SetZoom;
    void UpdateGroupRects() override;
    void OnObjectSelected(CHyperBaseOb* object) override;
    void OnObjectDeselected(CHyperBaseOb* object) override;
    void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;
    BOOL SelectionHasGroupMember() const;
    static int GetCommonGroupId(const CObArray& objects);
    // Offers to rename objects that share a name, then selects them.
    int ReportNameConflicts(const CString& names, const CObArray& objects);
    CViewPropertyDialog* GetPropertyDialog() const { return m_propertyDialog; }
    // Refreshes the properties and shows them (double and right clicks, the command).
    void ShowSelectionProperties();
    void OnProperties();
    // Drops the dialog's lists before the objects they edit go away.
    void DropPropertyLists();
    void ReleasePropertyDialog();
    void AdoptHostDialog(CChildHostWnd* host);
    void RunModalProperties();
    void LayOutEdited(CHyperOb* current);
    void FillPropertyDialog();
    CPropObArray* MakeGroupPropertyList();
    void AlignGroupMember(CHyperOb* first, CHyperOb* member);
    static constexpr UINT CmdProperties = 60416;
    CViewPropertyDialog* m_propertyDialog = nullptr;
    BOOL m_propertyDialogShown = FALSE;
    BOOL m_propertyDialogDocked = FALSE;
    BOOL m_syncingGroups = FALSE;
    CMapPtrToWord m_selectionFlagged{10};

    // Editing commands: arrangement, groups, keyboard moves, scaling, rotation, clipboard.
    static constexpr UINT UndoAligning = 26680;
    static constexpr UINT UndoSpacing = 26681;
    static constexpr UINT UndoGroup = 26686;
    static constexpr UINT CmdCopy = 57634;
    static constexpr UINT CmdCut = 57635;
    static constexpr UINT CmdPaste = 57637;
    static constexpr UINT CmdSelectAll = 57642;
    static constexpr UINT CmdToFront = 60439;
    static constexpr UINT CmdToBack = 60440;
    static constexpr UINT CmdForward = 60601;
    static constexpr UINT CmdBackward = 60602;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    BOOL ComputeAlignment(int mode, const RECT& reference, const RECT& rect, RECT* outRect, POINT* outOffset,
                          const POINT* givenOffset) const;
    void AlignSelection(int mode, const POINT* offset);
    void AlignGroup(int mode, const RECT& reference, const CObArray& members, const CRect& groupRect,
                    const POINT* offset);
    void CenterSelectionInPage(int mode);
    void MoveToFrontOrBack(UINT commandId);
    void MoveOneStep(UINT commandId);
    CHyperOb* BeginStackingStep(CObArray& selected);
    void SpaceEvenly(BOOL across);
    // Lines that chain end to end are joined into one polyline instead, unless Ctrl is held.
    void GroupSelection();
    void GroupWithoutJoining();
    void UngroupSelection();
    void RegroupSelection();
    void ToggleGroup();
    void SelectAll();
    BOOL IsSelectionOneGroup() const;
    void RenumberPastedGroups(const CObArray& objects);
    CGroupInfo* FindGroupRecord(int groupId) const;
    void GetSelectedObjects(CObArray& out) const;
    BOOL SelectNextByTab(BOOL backwards);
    void SelectNearestInDirection(CHyperOb* from, UINT key);
    static BOOL IsInDirection(RECT from, RECT to, UINT key, int* distance);
    void ScaleObjects(const CObArray& objects, const RECT& oldFrame, const RECT& newFrame, BOOL detachGroups);
    void RotateSelectionTo(double angle, double delta);
    void RotateEach(double angle, double delta);
    void RotateGroup(CGroupInfo* record, double angle, double delta);
    BOOL MoveByKey(UINT key, UINT repeat);
    BOOL KeyedFrame(UINT key, UINT repeat, CRect* frame, BOOL* resizing) const;
    static BOOL GoesFurtherOffPage(const CRect& page, const CRect& old, const CRect& frame);
    BOOL PlaceCurrentByKey(CRect frame, BOOL resizing);
    int SelectionIndexAt(int x, int y) const;
    BOOL ToggleSelection(int x, int y, int hitIndex);
    BOOL SetPrimarySelection(int x, int y, int hitIndex);
    void DuplicateSelectionBy(int dx, int dy);
    BOOL TrackFreeRotate(CPoint page);
    // Private message 0x8212: the float in the low 32 bits of lParam is the angle (wParam 0)
    // or the turn (any other wParam).
    LRESULT OnRotateMessage(WPARAM wParam, LPARAM lParam);
    virtual void CopySelection();
    virtual void PasteClipList();
    virtual void CutSelection();
    void InsertObjects(CObArray& objects, const POINT* target);
    BOOL PasteFromClipboard();
    static UINT ReadDragToolId(COleDataObject* dataObject);
    static UINT GetPrivateFormat();
    static BOOL HasPasteData();
    static BOOL CarriesObjects(COleDataObject* dataObject);
    // A new data source with the selection (the private format when asked, and a picture).
    COleDataSource* CreateSelectionSource(BOOL privateFormat);
    // Adds what a view layer offers besides the objects' block (bottom-up page order) and picture.
    virtual void CompleteSelectionSource(COleDataSource*, const CObArray&, HGLOBAL) { }
    BOOL PastePrivateFormat(COleDataObject* dataObject, const POINT* target);
    // The objects of the private format: a 16-bit count, then each object's record. Throws the
    // archive's exception for damaged or foreign data, and then nothing stays read.
    static void ReadPrivateObjects(CFile* file, CObArray& objects);
    CPoint PasteOffsetFor(const CRect& bounds, const POINT* target);
    DWORD DragSelection();
    void RegisterDropTarget();
    DWORD OnDragEnter(COleDataObject* dataObject, DWORD keyState, CPoint point) override;
    DWORD OnDragOver(COleDataObject* dataObject, DWORD keyState, CPoint point) override;
    BOOL OnDrop(COleDataObject* dataObject, DWORD dropEffect, CPoint point) override;
    CGroupInfo* m_regroupInfo = nullptr;
    BOOL m_draggingSelection = FALSE;
    std::shared_ptr<COleDropTarget> m_dropTarget;

    // What the line router asks of the page: connectors route around its objects.
    BOOL IsMapped() const override { return CHyperRunView::IsMapped(); }
    SIZE GetPageScrollExtent() const override;
    RECT GetLogicalClientRect() const override;
    int GetFlagsHigh() const override { return CHyperRunView::GetGridStepY(); }
    RECT GetRoutingMargins() const override { return {0, 0, 0, 0}; }
    BOOL IsAttachSwitchOn() const override { return FALSE; }
    int GetObjectsWithSnapPoints(CObArray& out) const override { return CHyperRunView::GetObjectsWithSnapPoints(out); }

    // Fields, in declaration order.
    BOOL m_editMode = TRUE;
    // While an undo step puts its objects back, connections stay as they were recorded.
    BOOL m_restoringObjects = FALSE;
    int m_listPickPos = -1;
    int m_listPickLast = -1;
    BOOL m_recordUndo = TRUE;
    POINT m_pasteOffset = {0, 0};
    BOOL m_allowResize = TRUE;
    BOOL m_allowMove = TRUE;
    BOOL m_allowInlineText = TRUE;
    int m_currentIndex = -1;
    CHyperObArray m_selection{FALSE};
    BOOL m_objectsDialogOpen = FALSE;
    BOOL m_inserting = FALSE;
    BOOL m_inUpdate = FALSE;
    int m_changeCount = 0;
    DWORD m_selectionSnapshot = 0;
    CUndoRecord* m_undo = nullptr;
    CPtrArray m_olderUndo;
    CUndoRecord* m_redo = nullptr;
    CPtrArray m_olderRedo;
    CMapPtrToWord m_classCounters{10};
    int m_highestGroupId = 0;
    CObArray m_regroupList;
    BOOL m_showSnapPoints = FALSE;
    BOOL m_freeRotate = FALSE;
    BOOL m_editPoints = FALSE;
    int m_pointListCount = 0;
    POINT m_pendingEnd = {0, 0};
    // Where the first segment of a running point list starts: ending there closes the list.
    POINT m_pointListStart = {0, 0};
    BOOL m_useObjectDefaults = FALSE;
    COLORREF m_defaultBackColor = static_cast<COLORREF>(-1);
    COLORREF m_defaultForeColor = static_cast<COLORREF>(-1);
    int m_defaultConnectorStyle = 6;
    int m_defaultPenWidth = 1;
    int m_defaultPenStyle = 0;
    int m_defaultLineStyle = 0;
    int m_defaultHatchStyle = 99;
    int m_defaultShadowStyle = 0;
    COLORREF m_trackerColors[5] = {RGB(0, 255, 0), RGB(0, 0, 0), RGB(0, 255, 255), RGB(0, 0, 0), RGB(255, 0, 0)};
    BOOL m_snapMarkerShown = FALSE;
    POINT m_snapMarkerPoint = {-1, -1};
    // The page view's show-handles value: objects leave their handles out while it is off.
    BOOL m_showHandles = TRUE;

protected:
    // The page view has had its first update: insertion records undo steps and selects.
    BOOL IsSetUp() const { return m_stateWords[0] == 0; }
    CRuntimeClass* GetToolClass(UINT toolId) const;
    int GetToolIdForClass(const CRuntimeClass* runtimeClass) const;
    void EmptyRegroupMemory();
    void ContinuePointList(UINT toolId);
    void FinishPointList();
    // Presses and the cursor while points are edited; FALSE when the mode does not apply.
    BOOL PressInEditPointsMode(CPoint device);
    BOOL SetEditPointsCursorAt(CPoint page);
    // Insertion steps.
    void FinishInsert(BOOL result);
    BOOL ClickedOutside() const;
    void ClampToPage(RECT* rect);
    void PlaceDefaultSize(CHyperOb* object, CSize size, int x, int y);
    BOOL AddInsertedObject(CHyperOb* object, BOOL pointList);
    BOOL CountSegment(const CHyperOb* object);
    void GiveUniqueName(CHyperOb* object);
    void PutOnLayer(CHyperOb* object);
    int StackingIndexFor(const CHyperOb* object) const;
    BOOL GroupAllowsDelete(const CHyperOb* object) const;
    void RemoveFromRegroupMemory(const CHyperOb* object);
    // Selection steps.
    void PressWithSelectTool(CPoint page);
    void PressWithInsertTool(CPoint page, UINT tool);
    BOOL SelectedObjectAt(CPoint page) const;
    int TopUnlockedObjectAt(CPoint page) const;
    BOOL IsInLockedGroup(const CHyperOb* object) const;
    void TrackObject(CHyperOb* object, int x, int y);
    BOOL TrackMultiSelection(int x, int y);
    void MoveSelectionBy(int dx, int dy);
    BOOL TrackBand(int x, int y, CRect* band);
    static BOOL HasCornerIn(const CHyperOb* object, const CRect& band);
    void RemoveFromSelection(const CObject* object);
    static void KeepSpanOnPage(LONG& low, LONG& high, LONG first, LONG last, int step, BOOL resizing, BOOL snap);
    // Drawing steps.
    CSize GetPageExtent(int zoom) const;
    void DrawGuides(CDC* dc, CSize extent, int zoom);
    void DrawPageEdges(CDC* dc, CSize extent, int zoom);
    // Undo helpers.
    void DeleteRecords(CPtrArray& records);
    CUndoRecord* TakeLast(CPtrArray& records);

    DECLARE_MESSAGE_MAP()
};
