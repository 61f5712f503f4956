// Collects ink from the mouse on a window: while enabled it takes over the window's left-button
// input, makes a stroke of each press, drag and release with the default drawing attributes,
// adds it to its ink and tells the connected event sinks. Events arrive on the user-interface
// thread. In the collection modes with gestures a stroke of a gesture's shape is offered to the
// sinks as that gesture first.
#pragma once

#include "platform/ink/InkDisp.h"
#include "platform/ink/InkGesture.h"
#include "platform/ink/InkRenderer.h"
#include "platform/ui/UiTypes.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

struct InkCursor {
    LONG Id = 1;
    std::string Name = "Mouse";
    bool Inverted = false;  // the pen's eraser end
};

// An event sink; every event has a default that does nothing.
class InkCollectorEvents {
public:
    virtual ~InkCollectorEvents() = default;
    virtual void CursorDown(const InkCursor&, const std::shared_ptr<InkStrokeDisp>&) {}
    virtual void NewPackets(const InkCursor&, const std::shared_ptr<InkStrokeDisp>&, int /*packets*/) {}
    // A finished stroke; with `cancel` set it is taken out of the ink again.
    virtual void Stroke(const InkCursor&, const std::shared_ptr<InkStrokeDisp>&, bool& /*cancel*/) {}
    virtual void CursorInRange(const InkCursor&, bool /*newCursor*/) {}
    // Overlays only: the selection about to be made, which the sink may change.
    virtual void SelectionChanging(InkStrokes& /*newSelection*/) {}
    virtual void SelectionChanged() {}
    virtual void StrokesDeleting(const InkStrokes&) {}
    // A stroke read as a gesture; it leaves the ink unless a sink sets `cancel` while ink is
    // collected too, and then it stays and is reported as a stroke.
    virtual void Gesture(const InkCursor&, const InkStrokes& /*strokes*/, const std::vector<InkGesture>&,
                         bool& /*cancel*/) {}
};

class InkCollector {
public:
    InkCollector();
    virtual ~InkCollector();
    InkCollector(const InkCollector&) = delete;
    InkCollector& operator=(const InkCollector&) = delete;

    // The window can change only while collection is off.
    HWND GetHWnd() const { return m_hwnd; }
    bool SetHWnd(HWND hwnd);
    bool GetEnabled() const { return m_enabled; }
    // Needs a live window; turning off ends a stroke in progress without keeping it.
    bool SetEnabled(bool enabled);

    std::shared_ptr<InkDisp> Ink() const { return m_ink; }
    bool SetInk(std::shared_ptr<InkDisp> ink);
    InkDrawingAttributes& DefaultDrawingAttributes() { return m_attributes; }
    void SetDefaultDrawingAttributes(const InkDrawingAttributes& a) { m_attributes = a; }
    InkRenderer& Renderer() { return m_renderer; }

    InkCollectionMode GetCollectionMode() const { return m_collectionMode; }
    // Like the window, only while collection is off.
    bool SetCollectionMode(InkCollectionMode mode);
    bool AutoRedraw = true;
    bool DynamicRendering = true;
    // Client pixels where pen input is taken; empty for the whole window.
    void SetWindowInputRectangle(const RECT& rect) { m_inputRect = rect; }

    // The enabled collector on a window, if any.
    static InkCollector* OnWindow(HWND hwnd);

    // Returns the connection's cookie, never 0.
    DWORD Advise(InkCollectorEvents* sink);
    bool Unadvise(DWORD cookie);

    // Pen input in client pixels, as the window's mouse and a tablet's pen give it. Pressure 0
    // to kMaxInkPressure, or none. A pen down with another cursor, or the other end of the pen,
    // first reports CursorInRange.
    void PenDown(POINT client, std::optional<WORD> pressure = std::nullopt, const InkCursor& cursor = {});
    void PenMove(POINT client, std::optional<WORD> pressure = std::nullopt);
    void PenUp(POINT client);

protected:
    // An overlay's editing modes take the input over; the collector only inks.
    virtual bool BeginInput(POINT ink, std::optional<WORD> pressure);
    virtual void ContinueInput(POINT ink, std::optional<WORD> pressure);
    virtual void EndInput(POINT ink);
    virtual void Paint(HDC dc);

    POINT ToInk(POINT client) const;
    void Invalidate(const RECT& inkRect);
    template <typename Event>
    void Fire(Event event)
    {
        for (auto& [cookie, sink] : std::map(m_sinks))
            event(*sink);
    }

    HWND m_hwnd = nullptr;
    bool m_enabled = false;
    std::shared_ptr<InkDisp> m_ink;
    InkDrawingAttributes m_attributes;
    InkRenderer m_renderer;
    InkCursor m_cursor;

private:
    static LRESULT Hook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Attach();
    void Detach();
    // TRUE when the finished stroke was taken as a gesture and has left the ink.
    bool TakeAsGesture(const std::shared_ptr<InkStrokeDisp>& stroke);

    WNDPROC m_previous = nullptr;
    RECT m_inputRect{0, 0, 0, 0};
    InkCollectionMode m_collectionMode = InkCollectionMode::InkOnly;
    bool m_down = false;
    std::shared_ptr<InkStrokeDisp> m_stroke;  // the stroke being drawn
    std::map<DWORD, InkCollectorEvents*> m_sinks;
    DWORD m_nextCookie = 1;
};
