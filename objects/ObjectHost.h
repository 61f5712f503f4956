// What a page object asks of the view it stands in. The page view answers these questions;
// the object model only sees this interface, so it does not depend on the view layer. Every
// answer has the plain default of a page that is being edited at 100 % without a window.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/String.h"
#include "platform/gdi/FontTypes.h"

class CCmdTarget;
class CObject;
class CDC;
class CFrameWindow;
class CHyperBaseOb;
class CHyperTracker;
class CHyperRunView;
class CLayerFmt;
class CUndoRecord;

class CObjectHost {
public:
    virtual ~CObjectHost() = default;

    // Modes and switches of the view.
    virtual BOOL IsEditMode() const { return TRUE; }
    virtual BOOL ShowsHandles() const { return TRUE; }
    virtual BOOL ShowsSnapPoints() const { return TRUE; }
    virtual BOOL IsHandleMode() const { return FALSE; }
    virtual BOOL IsResizeMode() const { return TRUE; }
    virtual BOOL IsNoResize() const { return FALSE; }
    virtual BOOL IsInsertingObject() const { return FALSE; }
    // While objects are loaded or added: lines and connectors keep their ends as they are.
    virtual BOOL IsBusy() const { return IsInsertingObject(); }
    virtual BOOL AllowsInlineEdit() const { return TRUE; }
    // Whether the view's in-place text editor is open on the object.
    virtual BOOL IsEditingTextOf(const CHyperBaseOb*) const { return FALSE; }
    virtual BOOL HasEmptySelection() const { return TRUE; }
    // The view edits the points of the selected point list instead of moving objects.
    virtual BOOL IsEditPointsMode() const { return FALSE; }
    // Whether any object of the selection belongs to a group.
    virtual BOOL IsSelectionGrouped() const { return FALSE; }
    // While the ink layer is on its strokes are drawn by the layer, not by stroke objects.
    virtual BOOL IsInkEnabled() const { return FALSE; }

    // The page's layer list; a layer that is not in the list is visible and unlocked.
    virtual const CLayerFmt* GetLayerList() const { return nullptr; }
    virtual BOOL IsLayerVisible(int) const { return TRUE; }
    virtual BOOL IsLayerLocked(int) const { return FALSE; }

    // The page object's colour and font: -1 and FALSE when the page has none.
    virtual COLORREF GetPageObjectColor() const { return static_cast<COLORREF>(-1); }
    virtual BOOL GetPageFont(LOGFONT*) const { return FALSE; }
    // The default colours that new objects take when the view's switch is on.
    virtual BOOL GetDefaultColors(COLORREF*, COLORREF*) const { return FALSE; }
    virtual COLORREF* GetCustomColors() { return nullptr; }
    // The default pen width, pen style, hatch and shadow of new drawn objects, when the
    // view's switch for them is on.
    struct PenDefaults {
        int penWidth = 1;
        int penStyle = 0;
        int hatchStyle = 99;
        int shadowStyle = 0;
    };
    virtual BOOL GetDefaultPen(PenDefaults*) const { return FALSE; }
    // The default alignment of new text boxes, when the view's switch for defaults is on.
    virtual BOOL GetDefaultTextAlignment(int*) const { return FALSE; }

    // The page's objects in stacking order (index 0 is the top).
    virtual int GetObjectCount() const { return 0; }
    virtual CHyperBaseOb* GetObjectAt(int) const { return nullptr; }

    // The objects of the page that lie in the rectangle, in stacking order.
    virtual void GetObjectsInRect(const RECT& rect, CObArray& out) const;

    // Connections: whether the view lets objects take them, and its connection mode, in
    // which an object that overlaps others is handed to the view (private message 0x8217).
    virtual BOOL AllowsConnections() const { return TRUE; }
    virtual BOOL IsConnectionMode() const { return FALSE; }
    virtual void PostObjectOverlap(CHyperBaseOb*) { }
    // The view field that connectors recomputing on a changed object find at 0; returns the
    // value it held, so the caller can put it back.
    virtual int ExchangeConnectorField(int) { return 0; }

    // The codes taken on the page: the page object, the frame object and every object but
    // the one given, then the groups of the grouped objects.
    virtual void GetCodesInUse(CStringArray&, const CHyperBaseOb*) const { }

    // Another object of the view with this code, or NULL.
    virtual CHyperBaseOb* FindObject(const CString&, const CHyperBaseOb*) const { return nullptr; }

    // Forms and documents that page scripts reach by name, and the page's click for them.
    virtual BOOL IsFormOpen(LPCTSTR) const { return FALSE; }
    virtual CCmdTarget* FindForm(LPCTSTR) const { return nullptr; }
    virtual BOOL OpenDocumentByName(LPCTSTR) { return FALSE; }
    virtual void RunPageClick() { }

    // The window of the run document the view stands in, or NULL.
    virtual CFrameWindow* GetFrameWindow() const { return nullptr; }

    // Page units to the device units of the view window (zoom and scroll position).
    virtual int GetZoomPercent() const { return 100; }
    virtual void LogicalToDevice(POINT*, int) const { }
    virtual BOOL IsMapped() const { return GetZoomPercent() != 100; }
    // And back from device units to page units.
    virtual void DeviceToLogicalPoints(POINT*, int) const { }
    // Where the view window's client area starts on the screen.
    virtual POINT GetScreenOrigin() const { return { 0, 0 }; }
    // Device rectangles of the view window.
    virtual void InvalidateDevice(const RECT&, BOOL) { }
    // The menu resource's first pop-up for the object at a point of the view window (device
    // units); the view runs the command picked.
    virtual void ShowObjectMenu(CHyperBaseOb*, POINT, UINT) { }
    // In run mode the view frames the embedded object that was clicked last.
    virtual BOOL HasFocusFrame(const CHyperBaseOb*) const { return FALSE; }

    struct HandleColors {
        COLORREF fill = RGB(0, 255, 0);
        COLORREF outline = RGB(0, 0, 0);
        COLORREF primaryFill = RGB(0, 255, 255);
        COLORREF flagged = RGB(255, 0, 0);
    };
    virtual HandleColors GetHandleColors() const { return {}; }
    virtual BOOL IsFreeRotateMode() const { return FALSE; }

    // What tracking a rectangle asks: the grid steps (below 1 no snapping), whether moves
    // snap whole cells, the low word of the view's flags (it slows auto-scrolling), and
    // keeping the rectangle on the page (TRUE when it was changed).
    virtual int GetGridStepX() const { return 1; }
    virtual int GetGridStepY() const { return 1; }
    virtual BOOL IsCellMode() const { return FALSE; }
    virtual int GetFlagsLow() const { return 0; }
    virtual BOOL KeepRectOnPage(RECT*, int, BOOL, BOOL) { return FALSE; }
    // The rulers' position indicators follow the tracked rectangle (page units).
    virtual void ShowTrackedExtent(const RECT&) { }
    // The floating tip with the angle while an object turns: text, rotation centre and the
    // size of the turning rectangle, in device units.
    virtual void ShowAngleTip(const CString&, POINT, SIZE) { }
    virtual void HideAngleTip() { }

    // Cursors: a system cursor id (IDC_) or a cursor resource of the program.
    virtual void ShowCursor(UINT) { }
    // The view takes over the cursor; answers what the object's cursor handler returns.
    virtual BOOL TakesOverCursor() const { return FALSE; }
    virtual BOOL OnViewSetCursor(POINT, UINT) { return FALSE; }

    // Notifications about one object of the page.
    virtual void OnObjectMoved(CHyperBaseOb*) { }
    virtual void OnObjectResized(CHyperBaseOb*) { }
    virtual void OnObjectSelected(CHyperBaseOb*) { }
    virtual void OnObjectDeselected(CHyperBaseOb*) { }
    // Adds an object to the selection; an empty selection first takes the current object.
    virtual void AddToSelection(CHyperBaseOb*) { }
    // Objects changed the selection themselves; the view brings groups, handles and the
    // Properties pane in line with it.
    virtual void NotifySelectionChanged() { }
    // A connector end was freed from the object it named; index counts attached connectors.
    virtual void OnConnectorEndDetached(CHyperBaseOb*, int, CHyperBaseOb*) { }
    // A change of the object is over; the view passes hints on to its own bookkeeping.
    virtual void OnObjectChanged(CHyperBaseOb*) { }
    virtual void OnLayoutHint(CHyperBaseOb*, int) { }
    // Private message 0x8100 with wParam 1 to the status bar: the object's display rectangle.
    virtual void ShowRectInStatusBar(const RECT&) { }

    // What kinds that compose their picture off-screen ask: whether the view draws a simplified
    // picture (the overview and shadow rendering), the view window's client rectangle in device
    // units (FALSE without a window), the page background painted into a DC at device
    // coordinates, and the objects from stacking index start on drawn into a DC, clipped to a
    // page rectangle.
    virtual BOOL IsSimpleDrawing() const { return FALSE; }
    virtual BOOL GetViewClientRect(RECT*) const { return FALSE; }
    virtual void PaintPageBackground(CDC*, const RECT&) { }
    virtual void DrawObjectsFrom(CDC*, const RECT&, int) { }
    // The view's group rectangles follow a member whose size changed.
    virtual void UpdateGroupRects() { }
    // The bitmap editor of the view's property dialog on a copy of a picture (a CExtDib);
    // TRUE when the user took the edited picture.
    virtual BOOL EditPicture(CObject*) { return FALSE; }
    // Edits that objects run themselves: the snapshot taken before, NULL when the view
    // records no undo steps; pushing takes the record over.
    virtual CUndoRecord* CreateUndoRecord(UINT) { return nullptr; }
    virtual void PushObjectUndo(CUndoRecord* record);
    // Private message 0x8216: the view deletes the object once the current operation is over.
    virtual void PostDeleteObject(CHyperBaseOb*) { }
    // The mouse loop that drags one point of a point list (device units) between its
    // neighbours; answers the start when cancelled.
    virtual POINT TrackEditPoint(POINT, POINT start, POINT) { return start; }
    // The tracker's rubber band in the view window from a device point: the band's corner
    // follows the mouse. FALSE without a window, on a click, or when cancelled.
    virtual BOOL TrackBandInView(CHyperTracker&, POINT) { return FALSE; }
};

// The host of a view, or NULL for no view. The view layer installs the resolver.
CObjectHost* GetObjectHost(const CHyperRunView* view);
void SetObjectHostResolver(CObjectHost* (*resolver)(const CHyperRunView*));
