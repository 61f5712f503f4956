// The base of every object that stands on a page: its rectangle and rotation (kept by its
// tracker once it has one), the common properties, the permissions it gives the views, its hot
// spots, and the operations through which views draw, hit-test and select objects of any kind.
#pragma once

#include "objects/DateText.h"
#include "objects/FontDescriptor.h"
#include "objects/HotSpotOb.h"
#include "objects/HyperBaseOb.h"
#include "objects/ObValue.h"
#include "platform/core/Geometry.h"
#include "platform/ole/OleVariant.h"

#include <memory>

class CAnchorFmt;
class CArchive;
class CDC;
class CConnectorEnds;
class CGroupInfo;
class CHyperObTracker;
class CObjectHost;
class CSnapPointSet;
class CWnd;

class CHyperOb : public CHyperBaseOb {
    DECLARE_SERIAL(CHyperOb)
public:
    static const AFX_DISPMAP* GetThisDispatchMap();
    const AFX_DISPMAP* GetDispatchMap() const override;

    // Tracker styles while selected.
    static constexpr UINT SelectedStyle = 0x14;
    static constexpr UINT PrimaryStyle = 0x80;
    static constexpr UINT RecordVersion = 8;
    // Side of the tracker's handles in device pixels.
    static constexpr int HandleSize = 7;
    // Cursors the objects choose: system cursor ids and the program's cursor resources.
    static constexpr UINT CursorArrow = 32512;
    static constexpr UINT CursorIBeam = 32513;
    static constexpr UINT CursorHotSpot = 27913;
    static constexpr UINT CursorHandleModeHandle = 27956;
    static constexpr UINT CursorHandleMode = 27957;
    static constexpr UINT CursorRotated = 30987;

    CHyperOb();
    ~CHyperOb() override;
    CHyperOb(const CHyperOb&) = delete;
    CHyperOb& operator=(const CHyperOb&) = delete;

    // Lifecycle, defaults file, copying.
    virtual void Init(CHyperRunView* view, const RECT* rect, BOOL applyDefaults);
    virtual void ApplyDefaults();
    void SaveAsDefault() override;
    BOOL SerializeToFile(int mode) override;
    virtual CString GetStoreFileName() const;
    void CopyFrom(const CHyperBaseOb* other) override;
    virtual CHyperOb* Clone() const;
    void SetView(CHyperRunView* view) override;
    // The editors of the properties every page object has.
    CPropOb* CreateProperty(UINT propertyId, BOOL argument) override;
    void CollectProperties(CObArray& list, BOOL argument) override;
    int MakeUniqueCode(LPCTSTR base, int n) override;
    void Serialize(CArchive& archive) override { SerializeRecord(archive); }
    virtual void SerializeRecord(CArchive& archive);

    void SetEditPending(BOOL pending) { m_editPending = pending; }
    BOOL IsEditPending() const { return m_editPending; }
    void SetEditing(BOOL editing) { m_editing = editing; }
    BOOL IsEditing() const { return m_editing; }

    // Permissions and state.
    virtual BOOL IsEnabled() const;
    virtual BOOL IsVisible() const;
    virtual BOOL IsLocked() const;
    virtual BOOL IsUnlocked() const { return !IsLocked(); }
    virtual BOOL CanDelete() const { return DfltCanDelete; }
    virtual BOOL CanResize() const;
    virtual BOOL CanRotate() const { return FALSE; }
    virtual BOOL CanInlineEditText() const { return DfltCanInlineEditText; }
    virtual BOOL CanEditPoints() const { return FALSE; }
    virtual BOOL IsClosed() const { return TRUE; }
    virtual BOOL IsConnector() const { return FALSE; }
    virtual BOOL HasOpenOleItem() const { return m_stayInFront && IsOleObject(); }
    // The automation of an embedded object's server; the embedded object kind answers.
    virtual IDispatch* GetServerDispatch(BOOL) { return nullptr; }
    virtual int GetHandleLayout() const { return 24; }
    BOOL HasEndHandles() const { return GetHandleLayout() != 24; }

    // Colours and font; -1 means automatic.
    virtual BOOL GetForeColor(COLORREF* color) const;
    virtual BOOL GetBackColor(COLORREF* color) const;
    virtual void SetForeColor(COLORREF color) { ForeColor = color; }
    virtual void SetBackColor(COLORREF color) { BackColor = color; }
    virtual BOOL IsTransparent() const { return BackColor == static_cast<COLORREF>(-1); }
    COLORREF GetPageColor() override;
    COLORREF* GetCustomColors() override;
    virtual void SetFont(const LOGFONT* font);
    virtual BOOL GetFont(LOGFONT* font, BOOL effective) const;
    virtual void GetEffectiveFont(LOGFONT* font) const;
    // Drawn objects answer TRUE and give their style.
    virtual BOOL GetPenWidth(int*) const { return FALSE; }
    virtual BOOL GetPenStyle(int*) const { return FALSE; }
    virtual BOOL GetHatchStyle(int*) const { return FALSE; }
    virtual BOOL GetShadowStyle(int*) const { return FALSE; }
    virtual BOOL SetPenWidth(int) { return FALSE; }
    virtual BOOL SetPenStyle(int) { return FALSE; }
    virtual BOOL SetHatchStyle(int) { return FALSE; }
    virtual BOOL SetShadowStyle(int) { return FALSE; }

    // Geometry, outline and rotation. The tracker is made when first asked for, taking over
    // the object's rectangles and angle; an object never selected or dragged has none.
    virtual void CreateTracker();
    CHyperObTracker* GetTracker();
    BOOL HasTracker() const { return m_tracker != nullptr; }
    // The smallest size the tracker lets the object be dragged to.
    virtual CSize GetMinimumSize() const { return CSize(10, 10); }
    const CRect& GetFrameRect() const { return Frame(); }
    // The centre of the frame, halves truncated: what the object turns about.
    void GetCenter(POINT* out) const;
    CRect* GetRect(CRect* out, CDC* dc) const;
    BOOL GetObjectRect(LPRECT rect) override;
    BOOL GetScreenRect(LPRECT rect) override;
    virtual void GetRectAt(CRect* out, int) const { GetRect(out, nullptr); }
    virtual void GetDisplayRect(CRect* out, BOOL own) const;
    virtual void SetRect(const CRect& rect);
    virtual void RememberRects();
    virtual void RecalcRect();
    void GetBoundingRect(RECT* out) const;
    virtual void SetFrameRect(const RECT* rect);
    virtual void SetOutlineRect(const RECT* rect);
    virtual void SetRotateAngle(double angle);
    double GetRotateAngle() const;
    virtual void BuildOutline();
    virtual void FitOutline();
    virtual void RebuildOutline();
    virtual int GetRotatedPoints(POINT** out) const;
    virtual int GetViewPoints(POINT** out) const;
    virtual void ApplyRect(const RECT* oldRect);
    virtual void RotateRect(const RECT* rect);
    virtual BOOL IsRotated() const;
    virtual BOOL IsUpright() const;
    // Kinds whose picture stays upright however the object turns answer FALSE.
    virtual BOOL TurnsWithRotation() const { return TRUE; }
    void OnPropertyChanged(UINT propertyId) override;
    void UpdateLayout(int recalc, BOOL hint) override;
    virtual void Refresh(BOOL recalc) { UpdateLayout(recalc, FALSE); }
    // What scripts' changes end in: the object recomputes and redraws itself.
    virtual void NotifyDispChanged() { UpdateLayout(TRUE, FALSE); }
    const RECT& GetRememberedRect() const { return m_rememberedRect; }
    int GetOutlineCount() const { return m_outlineCount; }
    const POINT* GetOutlinePoints() const { return m_outlinePoints; }

    // Drawing, hit testing, selection and cursors.
    virtual void Paint(CDC* dc);
    virtual void Draw(CDC*) { }
    virtual void DrawTracker(CDC* dc);
    virtual void DrawOutline(CDC* dc);
    virtual void SetClip(CDC* dc, const RECT* updateRect);
    virtual void GetUpdateRect(CRect* out, CDC* dc) const;
    virtual void InvalidateArea(CRect* out);
    virtual void InvalidateTracker(CRect* out);
    virtual BOOL IntersectsRect(const RECT* rect) const;
    virtual int HitTest(CPoint point);
    virtual void Select(BOOL primary);
    virtual void Deselect(BOOL redraw);
    BOOL IsSelected() const;
    virtual BOOL SetTextCursor(CPoint point);
    virtual BOOL OnSetCursor(CPoint point, UINT hitTest);

    // Hooks the kinds fill in; the base declines.
    virtual BOOL UpdateConnectedEnds(int, int) { return FALSE; }
    virtual BOOL IsAttachable() const { return FALSE; }
    virtual BOOL OnInsert() { return TRUE; }
    virtual BOOL Open() { return FALSE; }
    virtual int GetTextAlign() const { return 1; }
    virtual BOOL AllowsMultiLineText() const { return FALSE; }
    virtual BOOL OnEndMouseDown(int, int) { return FALSE; }
    virtual BOOL NotifyEndsChanged() { return FALSE; }
    // Kinds that show their own feedback while dragged draw it and answer TRUE.
    virtual BOOL DrawDragFeedback(CWnd*, CDC*, CWnd*, BOOL) { return FALSE; }
    virtual void DrawSnapMarks(CDC*, BOOL) { }
    // Connector kinds hold the record of what their ends are attached to.
    virtual CConnectorEnds* GetEndPoints() { return nullptr; }
    // Line kinds without an end-point record store their ends here instead.
    virtual void SerializeEndPoints(CArchive&) { }
    // Snap-mark feedback while a line end is dragged; the line kinds draw it.
    virtual void DrawDragFeedback(CDC*) { }
    virtual void CollectSnapTargets() { }
    virtual void EraseSnapMarks() { }
    virtual void UpdateEndsFromTargets() { }
    // A click of the Connector tool offered before tracking; connectors attach and answer TRUE.
    virtual BOOL OnEndDropped(int, int, BOOL*) { return FALSE; }

    // Connections, snap points and group links.
    // The snap points of the group ("own" FALSE) or of the kind; the base has none of its own.
    virtual CSnapPointSet* GetSnapPoints(BOOL own) { return GetGroupSnapPoints(own, nullptr); }
    // The holder whose list the object record carries; kinds whose points follow from their
    // shape alone store none.
    virtual CSnapPointSet* GetStoredSnapPoints(BOOL own) { return GetSnapPoints(own); }
    virtual CAnchorFmt* GetSnapPointList(BOOL own);
    virtual CSnapPointSet* GetGroupSnapPoints(BOOL own, CSnapPointSet* ownSet);
    // The held group record, or the one another member of the same group holds.
    virtual CGroupInfo* GetGroupInfo() const;
    virtual void GetGroupRect(CRect* out, int) const;
    virtual BOOL CanConnect() const;
    virtual void ResetConnections();
    virtual void RefreshConnections();
    // After a move, resize or edit: connectors lying on the object recompute themselves.
    virtual void NotifyChanged();

    // Point editing of the point-list kinds.
    virtual void InsertPoint(CPoint) { }
    virtual BOOL SetEditPointsCursor(CPoint) { return FALSE; }
    virtual BOOL TrackEditPoints(CPoint) { return FALSE; }
    // Texts and pictures of the kinds that have them.
    virtual void SetText(LPCTSTR) { }
    virtual int GetText(CString&) const { return 0; }
    virtual void SetPicture(LPCTSTR) { }

    // Hot spots.
    virtual void UpdateHotSpots();
    virtual BOOL TrackContextMenu(int, CHotSpotOb*, int, int, UINT) { return FALSE; }
    virtual UINT GetHotSpotCursor(int px, int py, UINT flags, BOOL notify);
    // Made when first asked for: most objects have no hot spots.
    CHotSpotArray& GetHotSpots();

    // Automation. Every change ends in the change notification; coordinates are kept to what
    // the record stores.
    void OnUpdate() { NotifyDispChanged(); }
    void Move(long dx, long dy);
    long GetLeft() const;
    void SetLeft(long value);
    long GetTop() const;
    void SetTop(long value);
    long GetRight() const;
    void SetRight(long value);
    long GetBottom() const;
    void SetBottom(long value);
    long GetEnable() const { return IsEnabled(); }
    void SetEnable(long value);
    long GetVisible() const { return IsVisible(); }
    void SetVisible(long value);
    long GetBackColorValue() const { return static_cast<LONG>(BackColor); }
    void SetBackColorValue(long color);
    long GetForeColorValue() const { return static_cast<LONG>(ForeColor); }
    void SetForeColorValue(long color);
    CString GetFontText() const { return Font.ToString(); }
    void SetFontText(LPCTSTR text);
    CString GetLayerName() const;
    VARIANT GetTag() const;
    void SetTag(const VARIANT& value);
    double GetRotateAngleValue() const { return GetRotateAngle(); }
    void SetRotateAngleValue(double angle);

    // Groups.
    virtual CGroupInfo* CreateGroupInfo() const;
    CGroupInfo* GetOwnGroupInfo() const { return m_groupInfo; }
    // Takes the record (owned from now on); NULL deletes the one held.
    void SetOwnGroupInfo(CGroupInfo* groupInfo);
    // Hands the record held over to the caller; the object holds none afterwards.
    CGroupInfo* ReleaseOwnGroupInfo();

    CObValue PumpDataEvent;
    CObValue ClickEvent;
    CObValue InitializeEvent;
    // Texts and values most objects leave empty, held apart so that an object without any
    // carries one pointer. Once made the record stays as long as the object, so editors may
    // point into it.
    struct RareTexts {
        CString toolTip;
        CString url;
        CString alarmTime;
        CString alarmSound;
        CString tag;
        CString spare;
        // A free value for scripts; never stored.
        COleVariant tagValue;
    };
    const CString& GetToolTipText() const { return Rare().toolTip; }
    void SetToolTipText(const CString& text) { SetRare(&RareTexts::toolTip, text); }
    const CString& GetURL() const { return Rare().url; }
    void SetURL(const CString& text) { SetRare(&RareTexts::url, text); }
    const CString& GetAlarmTime() const { return Rare().alarmTime; }
    void SetAlarmTime(const CString& text) { SetRare(&RareTexts::alarmTime, text); }
    const CString& GetAlarmSound() const { return Rare().alarmSound; }
    void SetAlarmSound(const CString& text) { SetRare(&RareTexts::alarmSound, text); }
    const CString& GetTagText() const { return Rare().tag; }
    void SetTagText(const CString& text) { SetRare(&RareTexts::tag, text); }
    RareTexts& EditRare();

    int CursorPointer = 0;
    CDateText CreationDate;
    int AlarmActive = 0;
    int AuxInt = 0;
    int HelpContextID = 0;
    CObValue Enable;
    CObValue Visible;
    COLORREF BackColor = static_cast<COLORREF>(-1);
    COLORREF ForeColor = static_cast<COLORREF>(-1);
    CFontDescriptor Font;
    int GroupID = -1;
    int m_groupAux = 0;
    int LayerID = 0;
    CObValue DragOverEvent;
    CObValue DragDropEvent;
    CRect m_textRect1;
    CRect m_textRect2;
    int m_legacyLinks = 0;
    BOOL m_stayInFront = FALSE;
    BOOL m_keepsDirection = FALSE;
    BOOL DfltIsLocked = FALSE;
    BOOL DfltCanDelete = TRUE;
    BOOL DfltCanResize = TRUE;
    BOOL DfltCanRot = TRUE;
    BOOL DfltCanInlineEditText = TRUE;
    BOOL DfltCanEditPoints = TRUE;

protected:
    CObjectHost* GetHost() const;
    // Sets one side of the rectangle, kept to 16 bits, and applies the rectangle.
    void SetSide(LONG RECT::*side, long value);
    // The layer choice of the page's layers, and the event script editors.
    CPropOb* CreateLayerProperty(UINT propertyId);
    CPropOb* CreateEventProperty(UINT propertyId);
    // Gives the object its first rectangle when it has none yet.
    void EnsureShape();
    BOOL HasShape() const { return m_tracker || m_shapeMade; }
    // The rectangles and angle, the tracker's once there is one; the changing forms give the
    // object a shape first.
    CRect& Rect();
    const CRect& Rect() const;
    CRect& Frame();
    const CRect& Frame() const;
    CRect& OutlineRect();
    double& Angle();
    // Hit-tests the rectangle and, when selected, its handles.
    int HitTestFrame(CPoint point) const;
    void FreeOutline();
    // The own snap points and the end record, where both objects have them.
    void CopyLinksFrom(CHyperOb* other);
    void LoadRecord(CArchive& archive);
    // The end-point part and the snap-point list of a record of version 5 or later.
    void LoadLinks(CArchive& archive, int version);
    void SkipDerivedSnapList(CArchive& archive, BOOL own);
    void StoreRecord(CArchive& archive) const;
    const RareTexts& Rare() const;
    void SetRare(CString RareTexts::*field, const CString& text);

    std::unique_ptr<RareTexts> m_rare;
    CGroupInfo* m_groupInfo = nullptr;
    POINT* m_outlinePoints = nullptr;
    int m_outlineCount = 0;
    POINT* m_rotatedPoints = nullptr;
    BOOL m_editPending = FALSE;
    BOOL m_editing = FALSE;
    CHyperObTracker* m_tracker = nullptr;
    struct Shape {
        CRect rect;
        CRect frame;
        CRect outline;
        double angle = 0.0;
    };
    Shape m_shape;
    BOOL m_shapeMade = FALSE;
    std::unique_ptr<CHotSpotArray> m_hotSpots;
    CRect m_rememberedRect;
};

// The defaults file name of a class: "CRectOb" gives "Rect.Ob", "CPolyLineGen" "PolyLine.Gen".
CString MakeStoreFileName(LPCTSTR className);
// Turns offsets from the centre (src != dst) or absolute points (src == dst) by the angle in
// degrees about (cx, cy); positive angles turn clockwise on screen. Rounds to nearest.
void RotatePoints(const POINT* src, POINT* dst, int n, double angle, int cx, int cy);
// The smallest rectangle holding the points, at least 1 wide and high.
void GetPointsBoundingRect(RECT* out, const POINT* points, int n);
