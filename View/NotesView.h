// The ink layer of every editing view: while it is on, pen (or mouse) input over the page is
// collected as ink in an overlay on the view window; switching it off stores the strokes as
// stroke objects on the page's current notice layer, and switching it on takes them back.
#pragma once

#include "View/HyperRunView.h"
#include "platform/ink/InkGesture.h"

#include <functional>
#include <memory>
#include <vector>

class CLayerItem;
class CStrokeOb;
class CInkEventSink;
struct PendingInkEvents;
class InkDisp;
class InkOverlay;
class InkStrokeDisp;
class InkStrokes;

// How one ink tool draws: sizes in ink space at 100 % zoom.
struct InkToolRecord {
    COLORREF color = 0;
    float width = 0;
    float height = 0;
    signed char transparency = 0;
    int rasterOperation = 13;
    BOOL roundTip = TRUE;
    BOOL antiAliased = TRUE;
};

class CNotesView : public CHyperRunView {
    DECLARE_DYNCREATE(CNotesView)
public:
    // Commands of the ink layer.
    static constexpr UINT CmdEnableInkLayer = 33982;
    static constexpr UINT CmdInkStroke = 33983;
    static constexpr UINT CmdInkEraser = 33986;
    static constexpr UINT CmdInkSelectionTool = 33987;
    static constexpr UINT CmdInkDelete = 33988;
    static constexpr UINT CmdSignatureDialog = 271;
    static constexpr UINT CmdCopyAsText = 34017;
    static constexpr UINT PenRed = 33989;
    // Editing modes.
    static constexpr int ModeInk = 0;
    static constexpr int ModePointEraser = 1;
    static constexpr int ModeStrokeEraser = 2;
    static constexpr int ModeSelect = 3;
    static constexpr int ModeInkAfterEraser = 4;
    static constexpr int ModePenEraser = 5;
    // Private message: ink events that arrived off the user-interface thread.
    static constexpr UINT WM_INK_PENDING_EVENTS = 0x41E;

    CNotesView();
    ~CNotesView() override;

    // Tools, pens and editing modes.
    virtual void SelectInkTool(UINT id);
    virtual void ApplyPenRecord(InkToolRecord record);
    virtual void SetPenAttributes(const InkToolRecord& record);
    virtual void SetEditingMode(int mode);
    virtual void ClearInkSelection();
    int GetEditingMode() const { return m_editingMode; }
    UINT GetCurrentInkTool() const { return m_currentTool; }
    // The record of a tool, or NULL for an id that is not a tool.
    static const InkToolRecord* FindInkTool(UINT id);

    // The layer.
    virtual void SetInkEnabled(BOOL enable);
    BOOL IsInkEnabled() const override { return m_inkEnabled; }
    InkOverlay& GetInkOverlay() { return *m_overlay; }
    const std::vector<CStrokeOb*>& GetStrokeObjects() const { return m_strokeObjects; }

    // Ink events, on the user-interface thread.
    virtual void OnStrokeCollected(const std::shared_ptr<InkStrokeDisp>& stroke);
    virtual void OnCursorInRange(BOOL inverted);
    virtual void OnStrokesDeleting() { MarkInkChanged(); }
    // A stroke read as gestures: acts on them, or sets `cancel` so that the stroke stays ink
    // when none found anything to act on. FALSE for no gestures.
    virtual BOOL OnInkGesture(const InkStrokes& strokes, const std::vector<InkGesture>& gestures, bool& cancel);
    // The layer's ink goes into a stored page; a page read replaces what the layer held.
    void Serialize(CArchive& archive) override;

    // Commands.
    virtual void OnEditDelete();
    BOOL OnEditCopy() override;
    BOOL OnEditPaste() override;
    virtual void OnEnableInkLayer();
    virtual void OnUpdateEnableInkLayer(CCmdUI* cmdUI);
    virtual void OnInkStroke();
    virtual void OnInkEraser();
    virtual void OnInkSelectionTool();
    virtual void OnInkDelete();
    virtual void OnUpdateInkStroke(CCmdUI* cmdUI);
    virtual void OnUpdateInkEraser(CCmdUI* cmdUI);
    virtual void OnUpdateInkSelectionTool(CCmdUI* cmdUI);
    virtual void OnUpdateInkDelete(CCmdUI* cmdUI);
    virtual void OnUpdateInkColour(CCmdUI* cmdUI);
    virtual void OnSignatureDialog();
    virtual void OnCopyAsText();
    virtual void OnUpdateEditCopy(CCmdUI* cmdUI);
    virtual void OnUpdateEditCut(CCmdUI* cmdUI);
    virtual void OnUpdateEditDelete(CCmdUI* cmdUI);
    virtual void OnUpdateEditPaste(CCmdUI* cmdUI);

    // Zoom and scrolling keep the ink over the same page points.
    void SetZoom(int zoom) override;
    BOOL OnScrollBy(CSize size, BOOL doScroll = TRUE) override;
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);

    void OnInitialUpdate() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    // Runs an ink event on the user-interface thread: at once when called there, otherwise
    // queued for the view window.
    void RunOnUiThread(std::function<void()> event);

protected:
    void OnDestroy();
    LRESULT OnPendingInkEvents(WPARAM, LPARAM);

private:
    void SwitchOn();
    void SwitchOff();
    // The page's current notice layer (NULL when none) and its id (-1 when none).
    const CLayerItem* NoticeLayer() const;
    int NoticeLayerId() const;
    void CollectStrokeObjects();
    // Makes stroke objects of the overlay's strokes, reusing the collected ones.
    BOOL StoreStrokes(int layerId);
    void ScaleOverlayInk(double factor);
    // FALSE when the gesture found nothing to act on.
    BOOL ActOnGesture(InkApplicationGesture gesture, const InkStrokes& strokes);
    BOOL EraseScratchedInk(const InkStrokes& gesture);
    InkStrokes WidenToWords(const InkStrokes& strokes, const InkStrokes& gesture);
    void MoveOverlayInk(CSize pixels);
    void SnapScrollToStep(int bar, UINT code);
    InkStrokes OverlayStrokes() const;
    // A new ink with copies of the strokes Copy as Text reads.
    std::shared_ptr<InkDisp> InkToRead();
    void ShowInkError();
    // Ink not yet on the page still counts as a change of the document.
    void MarkInkChanged();

    std::vector<CStrokeOb*> m_strokeObjects;
    UINT m_currentTool = PenRed;
    BOOL m_inkEnabled = FALSE;
    int m_editingMode = ModeInk;
    int m_inkZoom = 100;
    CPoint m_inkScroll{0, 0};
    InkToolRecord m_currentPen;
    std::unique_ptr<CInkEventSink> m_overlaySink;
    std::unique_ptr<InkOverlay> m_overlay;
    DWORD m_sinkCookie = 0;
    // Ink was drawn, erased, deleted or pasted since the layer was switched on.
    BOOL m_inkChanged = FALSE;
    std::unique_ptr<PendingInkEvents> m_pendingEvents;

    DECLARE_MESSAGE_MAP()
};
