// What the tracker's loops share: the session that holds the mouse capture, a DC of the
// window drawn on and the temporary-map lock while a loop runs, and the handles' edges.
#pragma once

#include "platform/ui/UiTypes.h"

class CDC;
class CWnd;

// Everything is given back however the loop ends.
class CTrackSession {
public:
    // Takes the capture unless another window holds it (then Started() is FALSE).
    CTrackSession(CWnd* wnd, CWnd* clipTo);
    ~CTrackSession();
    CTrackSession(const CTrackSession&) = delete;
    CTrackSession& operator=(const CTrackSession&) = delete;

    BOOL Started() const { return m_dc != nullptr; }
    CDC* GetDC() const { return m_dc; }
    // The next message for the loop; FALSE when the loop must end: the capture went to
    // another window, or the program is quitting (the quit message is posted again and
    // quitting() is TRUE).
    BOOL Next(MSG* msg);
    BOOL Quitting() const { return m_quitting; }

private:
    CWnd* m_wnd;
    CWnd* m_drawOn;
    CDC* m_dc = nullptr;
    BOOL m_quitting = FALSE;
};

// Which edges each handle drags: -1 the left or top, +1 the right or bottom, 0 neither.
struct HandleEdges {
    int x, y;
};
constexpr HandleEdges handleEdges[8] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}};

// Whether a key is held, as the last message taken from the queue left it.
BOOL IsKeyHeld(int vk);
