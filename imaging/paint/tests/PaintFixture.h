// A paint control on a small white canvas at 400 %, driven by synthetic mouse input, and
// small pictures written as rows of characters.
#pragma once

#include "controls/tests/PictureKit.h"

#include "imaging/paint/PntCtrl.h"
#include "platform/ui/TestHook.h"

#include <functional>
#include <string>
#include <vector>

constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0),
                   kBlue = RGB(0, 0, 255);

// '#' black, '.' white, 'r' red, 'b' blue; anything else is not checked.
inline COLORREF ArtColour(char c)
{
    switch (c) {
    case '#': return kBlack;
    case '.': return kWhite;
    case 'r': return kRed;
    case 'b': return kBlue;
    default: return CLR_INVALID;
    }
}

// Keeps a copy of every notification header, which lives only while it is sent.
class PaintParent : public RecordingWindow {
public:
    std::vector<NMHDR> notes;
    std::vector<UINT> Codes() const
    {
        std::vector<UINT> codes;
        for (const NMHDR& note : notes)
            codes.push_back(note.code);
        return codes;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY && lParam)
            notes.push_back(*reinterpret_cast<const NMHDR*>(lParam));
        return RecordingWindow::WindowProc(message, wParam, lParam);
    }
};

class PaintTest : public UiTest {
protected:
    static constexpr UINT CtrlId = 77;
    static constexpr int Zoom = 400;

    void SetUp() override;
    void TearDown() override;

    // The screen point in the middle of an image pixel.
    POINT At(int x, int y) const;
    // Button down at the first point, a move to each further point, up at the last; the queue
    // is emptied after each step, the way a user's hand gives the control time.
    void Drag(const std::vector<CPoint>& points, UINT keys = 0);
    void Click(int x, int y, UINT button = WM_LBUTTONDOWN);
    // Down, one move and up queued together, for the selection tracker's own loop.
    void TrackDrag(CPoint from, CPoint to, UINT keys = 0);
    void Paint(const std::vector<std::string>& art);
    // The rows of the canvas that differ from the art, as text for the failure message.
    std::string Differences(const std::vector<std::string>& art);
    std::vector<COLORREF> Pixels();
    void Fill(COLORREF colour);

    PaintParent parent;
    CPntCtrl ctrl;
};

// Plays steps inside the next modal loop: each step runs from the queue, after the dialog
// that the code under test opened has started its loop. Input a step posts is taken after
// the step that follows it, so an empty step lets it arrive.
class ModalDriver : public CWnd {
public:
    std::vector<std::function<void()>> steps;

    BOOL Open() { return CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, RECT{0, 0, 1, 1}, nullptr, 0); }
    void Start() { PostMessage(WM_APP); }
    // The modal dialog that is open now.
    template <class Dialog>
    static Dialog* Active()
    {
        return dynamic_cast<Dialog*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_APP)
            return CWnd::WindowProc(message, wParam, lParam);
        // The next step is queued first: a step may open a dialog whose loop runs it.
        if (!steps.empty()) {
            auto step = steps.front();
            steps.erase(steps.begin());
            PostMessage(WM_APP);
            step();
        }
        return 0;
    }
};

// A paint test that opens the editors' dialogs: their resources and a driver for their loops.
class PaintDialogTest : public PaintTest {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;
    // Ends the open modal dialog with a button, whatever it is.
    static void Press(UINT button);

    ModalDriver driver;
};
