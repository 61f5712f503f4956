// A stand-in page view that answers the questions page objects ask and records what they
// tell it, and a small object kind that draws a filled rectangle. Objects hold the stand-in
// as the opaque view pointer they are given; the host resolver turns it back.
#pragma once

#include "objects/HyperOb.h"
#include "objects/ObjectHost.h"
#include "objects/PropOb.h"

#include <set>
#include <vector>

class CTestPageView : public CObjectHost {
public:
    CTestPageView();
    ~CTestPageView() override;
    CTestPageView(const CTestPageView&) = delete;
    CTestPageView& operator=(const CTestPageView&) = delete;

    operator CHyperRunView*() { return reinterpret_cast<CHyperRunView*>(this); }

    BOOL IsEditMode() const override { return editMode; }
    BOOL ShowsHandles() const override { return showsHandles; }
    BOOL ShowsSnapPoints() const override { return showsSnapPoints; }
    BOOL IsHandleMode() const override { return handleMode; }
    BOOL IsResizeMode() const override { return resizeMode; }
    BOOL IsNoResize() const override { return noResize; }
    BOOL IsInsertingObject() const override { return inserting; }
    BOOL IsEditingTextOf(const CHyperBaseOb* object) const override { return object == editingText; }
    BOOL IsLayerVisible(int layer) const override { return !hiddenLayers.count(layer); }
    BOOL IsLayerLocked(int layer) const override { return lockedLayers.count(layer) != 0; }
    COLORREF GetPageObjectColor() const override { return pageColor; }
    BOOL GetPageFont(LOGFONT* font) const override;
    BOOL GetDefaultColors(COLORREF* back, COLORREF* fore) const override;
    CHyperBaseOb* FindObject(const CString& code, const CHyperBaseOb* except) const override;
    void GetCodesInUse(CStringArray& codes, const CHyperBaseOb* except) const override;
    int GetObjectCount() const override { return static_cast<int>(objects.size()); }
    CHyperBaseOb* GetObjectAt(int index) const override { return objects[static_cast<size_t>(index)]; }
    int GetZoomPercent() const override { return zoom; }
    void LogicalToDevice(POINT* points, int count) const override;
    void InvalidateDevice(const RECT& rect, BOOL) override { invalidated.push_back(rect); }
    void ShowCursor(UINT id) override { cursor = id; }
    void OnObjectMoved(CHyperBaseOb*) override { ++moved; }
    void OnObjectResized(CHyperBaseOb*) override { ++resized; }
    void OnObjectSelected(CHyperBaseOb*) override { ++selected; }
    void OnObjectDeselected(CHyperBaseOb*) override { ++deselected; }
    void AddToSelection(CHyperBaseOb* object) override { selection.insert(object); }
    void NotifySelectionChanged() override { ++selectionChanges; }
    void OnConnectorEndDetached(CHyperBaseOb* connector, int index, CHyperBaseOb* named) override
    {
        detached.push_back({connector, index, named});
    }
    void ShowRectInStatusBar(const RECT& rect) override { statusRects.push_back(rect); }
    void OnObjectChanged(CHyperBaseOb*) override { ++changed; }
    BOOL AllowsConnections() const override { return allowsConnections; }
    BOOL IsConnectionMode() const override { return connectionMode; }
    void PostObjectOverlap(CHyperBaseOb* object) override { overlaps.push_back(object); }
    void OnLayoutHint(CHyperBaseOb*, int hint) override { lastHint = hint; }

    BOOL editMode = TRUE;
    BOOL showsHandles = TRUE;
    BOOL showsSnapPoints = TRUE;
    BOOL handleMode = FALSE;
    BOOL resizeMode = TRUE;
    BOOL noResize = FALSE;
    BOOL inserting = FALSE;
    // The object the in-place text editor is open on.
    const CHyperBaseOb* editingText = nullptr;
    std::set<int> hiddenLayers;
    std::set<int> lockedLayers;
    COLORREF pageColor = static_cast<COLORREF>(-1);
    LOGFONT pageFont {};
    BOOL useDefaultColors = FALSE;
    COLORREF defaultBack = 0;
    COLORREF defaultFore = 0;
    std::vector<CHyperBaseOb*> objects;
    // Codes of the page and frame objects and of groups.
    std::vector<CString> otherCodes;
    int zoom = 100;
    std::vector<RECT> invalidated;
    std::vector<RECT> statusRects;
    UINT cursor = 0;
    int moved = 0;
    int resized = 0;
    int selected = 0;
    int deselected = 0;
    int changed = 0;
    int lastHint = 0;
    BOOL allowsConnections = TRUE;
    BOOL connectionMode = FALSE;
    std::vector<CHyperBaseOb*> overlaps;
    std::set<CHyperBaseOb*> selection;
    int selectionChanges = 0;
    struct Detached {
        CHyperBaseOb* connector;
        int index;
        CHyperBaseOb* named;
        bool operator==(const Detached&) const = default;
    };
    std::vector<Detached> detached;
};

// Fills its rectangle with its background colour; turns when allowed to.
class CTestBoxOb : public CHyperOb {
    DECLARE_DYNCREATE(CTestBoxOb)
public:
    BOOL CanRotate() const override { return DfltCanRot; }
    void Draw(CDC* dc) override;
};

// A 24-bit bitmap file of the pixels, given row by row from the top.
std::vector<BYTE> BitmapFile(int width, int height, const std::vector<COLORREF>& pixels);

// The name ids of a list of property editors, in order.
std::vector<UINT> PropertyNameIds(const CObArray& list);
// The editor of the list with that name id, as the type asked for; NULL when there is none.
template <typename Editor>
Editor* FindProperty(const CObArray& list, UINT nameId)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (static_cast<CPropOb*>(list.GetAt(i))->GetNameId() == nameId)
            return dynamic_cast<Editor*>(static_cast<CPropOb*>(list.GetAt(i)));
    return nullptr;
}
// What every page object offers first: Code, rectangle, tool tip, help context, URL,
// colours, font, layer, angle, tag and the two drag events.
const std::vector<UINT>& BasePropertyIds();
