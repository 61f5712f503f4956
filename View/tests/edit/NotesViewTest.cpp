// The ink layer of the editing view: each tool's strokes, storing them as stroke objects on
// the notice layer in one undoable step, erasing, regrouping, zoom, the command states, ink
// on the clipboard and events that arrive off the user-interface thread.
#include "EditViewFixture.h"

#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/kinds/StrokeOb.h"
#include "platform/ink/InkClipboard.h"
#include "platform/ole/Clipboard.h"
#include "platform/ink/InkOverlay.h"
#include "platform/ink/tests/PrintedStrokes.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/WinApp.h"

#include <thread>

namespace {

constexpr UINT kLayer = CNotesView::CmdEnableInkLayer;

class RecordingCmdUI : public CCmdUI {
public:
    void Enable(BOOL on) override { enabled = on; }
    void SetCheck(int check) override { checked = check; }
    int enabled = -1;
    int checked = -1;
};

class NotesViewTest : public EditViewTest {
protected:
    void Command(UINT id)
    {
        view->SendMessage(WM_COMMAND, id);
        Pump();
    }
    RecordingCmdUI Update(UINT id)
    {
        RecordingCmdUI ui;
        ui.m_nID = id;
        ui.DoUpdate(view, FALSE);
        return ui;
    }
    void LayerOn()
    {
        Command(kLayer);
        ASSERT_TRUE(view->IsInkEnabled());
    }
    void LayerOff()
    {
        Command(kLayer);
        ASSERT_FALSE(view->IsInkEnabled());
    }
    InkStrokes Ink() { return view->GetInkOverlay().Ink()->Strokes(); }
    int NoticeLayer() const
    {
        const CLayerFmt* layers = view->GetPageObject()->GetLayerList();
        return layers->GetLayerItem(layers->m_currentNoticeIndex)->GetId();
    }
    std::vector<CStrokeOb*> StrokeObjects() const
    {
        std::vector<CStrokeOb*> found;
        for (int i = 0; i < ObjectCount(); ++i)
            if (auto* stroke = dynamic_cast<CStrokeOb*>(Object(i)))
                found.push_back(stroke);
        return found;
    }
};

TEST_F(NotesViewTest, EachToolDrawsStrokesWithItsColourSizeTipAndRasterOperation)
{
    struct Case {
        UINT id;
        COLORREF color;
        float width, height;
        InkPenTip tip;
        int rop;
    };
    const Case cases[] = {
        {33989, RGB(255, 0, 0), 10, 10, InkPenTip::Ball, kInkCopyPen},
        {33990, RGB(0, 0, 255), 10, 10, InkPenTip::Ball, kInkCopyPen},
        {33991, RGB(0, 128, 0), 10, 10, InkPenTip::Ball, kInkCopyPen},
        {33992, RGB(0, 0, 0), 10, 10, InkPenTip::Ball, kInkCopyPen},
        {34001, RGB(255, 0, 255), 100, 600, InkPenTip::Rectangle, kInkMaskPen},
        {33995, RGB(255, 0, 0), 60, 60, InkPenTip::Ball, kInkCopyPen},  // a marker after a highlighter
        {33994, RGB(0, 0, 255), 60, 60, InkPenTip::Ball, kInkCopyPen},
        {33996, RGB(0, 128, 0), 60, 60, InkPenTip::Ball, kInkCopyPen},
        {33993, RGB(0, 0, 0), 60, 60, InkPenTip::Ball, kInkCopyPen},
        {33998, RGB(0, 255, 255), 100, 600, InkPenTip::Rectangle, kInkMaskPen},
        {33999, RGB(0, 255, 0), 100, 600, InkPenTip::Rectangle, kInkMaskPen},
        {34002, RGB(255, 255, 0), 100, 600, InkPenTip::Rectangle, kInkMaskPen},
    };
    LayerOn();
    int y = 20;
    for (const Case& c : cases) {
        Command(c.id);
        EXPECT_EQ(view->GetCurrentInkTool(), c.id);
        Drag({50, y}, {250, y + 10});
        y += 30;
        const InkStrokes strokes = Ink();
        const std::shared_ptr<InkStrokeDisp> stroke = strokes.Item(strokes.Count() - 1);
        const InkDrawingAttributes& pen = stroke->DrawingAttributes();
        EXPECT_EQ(pen.Color, c.color) << c.id;
        EXPECT_EQ(pen.Width, c.width) << c.id;
        EXPECT_EQ(pen.Height, c.height) << c.id;
        EXPECT_EQ(pen.PenTip, c.tip) << c.id;
        EXPECT_EQ(pen.RasterOperation, c.rop) << c.id;
        EXPECT_TRUE(stroke->ExtendedProperties().DoesPropertyExist(CStrokeOb::TagProperty)) << c.id;
        EXPECT_EQ(std::get<int32_t>(*stroke->ExtendedProperties().Item(CStrokeOb::GroupProperty)), -1) << c.id;
    }
    EXPECT_EQ(Ink().Count(), std::size(cases));
}

TEST_F(NotesViewTest, SwitchingOffStoresTheInkOnTheNoticeLayerInOneUndoStep)
{
    LayerOn();
    Command(33990);
    Drag({100, 100}, {200, 150});
    ASSERT_EQ(Ink().Count(), 1u);
    const int undoBefore = view->GetUndoCount();
    LayerOff();

    ASSERT_EQ(ObjectCount(), 1);
    auto* stroke = dynamic_cast<CStrokeOb*>(Object(0));
    ASSERT_NE(stroke, nullptr);
    EXPECT_EQ(stroke->LayerID, NoticeLayer());
    EXPECT_EQ(stroke->GetInk()->StrokeCount(), 1u);
    const CRect rect = RectOf(0);
    EXPECT_NEAR(rect.left, 100, 1);
    EXPECT_NEAR(rect.top, 100, 1);
    EXPECT_NEAR(rect.right, 200, 1);
    EXPECT_NEAR(rect.bottom, 150, 1);
    EXPECT_EQ(Ink().Count(), 0u) << "the overlay is empty while the layer is off";
    EXPECT_EQ(view->GetUndoCount(), undoBefore + 1);
    EXPECT_TRUE(doc->IsModified());

    view->Undo();
    EXPECT_EQ(ObjectCount(), 0);
}

TEST_F(NotesViewTest, ErasedInkLeavesThePageAndUndoBringsItBack)
{
    LayerOn();
    Drag({50, 50}, {150, 50});
    Drag({50, 300}, {150, 300});
    LayerOff();
    ASSERT_EQ(StrokeObjects().size(), 2u);

    LayerOn();
    EXPECT_EQ(Ink().Count(), 2u) << "the layer takes the strokes of its stroke objects back";
    Command(CNotesView::CmdInkEraser);
    EXPECT_EQ(view->GetInkOverlay().GetEditingMode(), InkOverlayEditingMode::Delete);
    Drag({100, 20}, {100, 80});
    EXPECT_EQ(Ink().Count(), 1u);
    LayerOff();
    ASSERT_EQ(StrokeObjects().size(), 1u);
    CRect kept;
    EXPECT_NEAR(StrokeObjects()[0]->GetRect(&kept, nullptr)->top, 300, 2) << "the other stroke stays";

    view->Undo();
    EXPECT_EQ(StrokeObjects().size(), 2u);
}

TEST_F(NotesViewTest, RegroupingReusesStrokeObjectsInPageOrderAndRemovesTheRest)
{
    LayerOn();
    Drag({50, 50}, {100, 50});
    Drag({50, 400}, {100, 400});
    LayerOff();
    std::vector<CStrokeOb*> before = StrokeObjects();
    ASSERT_EQ(before.size(), 2u);

    LayerOn();
    Drag({75, 50}, {75, 400});  // joins both into one drawing
    LayerOff();
    std::vector<CStrokeOb*> after = StrokeObjects();
    ASSERT_EQ(after.size(), 1u);
    EXPECT_TRUE(after[0] == before[0] || after[0] == before[1]);
    EXPECT_EQ(after[0]->GetInk()->StrokeCount(), 3u);
}

TEST_F(NotesViewTest, OtherObjectsOnTheNoticeLayerAreNeitherTakenNorRemoved)
{
    CHyperOb* border = AddBorder(CRect(300, 300, 400, 400));
    border->LayerID = NoticeLayer();
    LayerOn();
    EXPECT_EQ(Ink().Count(), 0u);
    EXPECT_TRUE(view->GetStrokeObjects().empty());
    Drag({50, 50}, {100, 60});
    LayerOff();
    ASSERT_EQ(ObjectCount(), 2);
    EXPECT_EQ(StrokeObjects().size(), 1u);
    EXPECT_NE(view->FindObjectIndex(border), -1);
}

TEST_F(NotesViewTest, ZoomScalesInkAndPensOnceAndKeepsTheInkOverItsPagePoints)
{
    LayerOn();
    Drag({100, 100}, {200, 100});
    const RECT box100 = Ink().GetBoundingBox();
    view->SetZoom(200);
    EXPECT_EQ(view->GetInkOverlay().DefaultDrawingAttributes().Width, 20.0f);
    EXPECT_EQ(Ink().Item(0)->DrawingAttributes().Width, 20.0f);
    const RECT box200 = Ink().GetBoundingBox();
    EXPECT_NEAR(box200.left, 2 * box100.left, 30);
    EXPECT_NEAR(box200.right, 2 * box100.right, 30);

    Command(33989);
    EXPECT_EQ(view->GetInkOverlay().DefaultDrawingAttributes().Width, 20.0f) << "the red pen is not scaled twice";
    view->SetZoom(200);
    EXPECT_EQ(Ink().Item(0)->DrawingAttributes().Width, 20.0f) << "the same zoom changes nothing";
    view->SetZoom(100);
    EXPECT_EQ(view->GetInkOverlay().DefaultDrawingAttributes().Width, 10.0f);
    EXPECT_NEAR(Ink().GetBoundingBox().left, box100.left, 30);
}

TEST_F(NotesViewTest, InkDrawnOnAZoomedScrolledPageIsStoredAtItsPagePlace)
{
    view->SetZoom(200);
    Pump();
    view->OnScrollBy(CSize(0, 40));
    LayerOn();
    Drag({100, 100}, {300, 160});
    LayerOff();
    ASSERT_EQ(ObjectCount(), 1);
    const CRect rect = RectOf(0);
    EXPECT_NEAR(rect.left, 50, 1);
    EXPECT_NEAR(rect.top, 70, 1);
    EXPECT_NEAR(rect.right, 150, 1);
    EXPECT_NEAR(rect.bottom, 100, 1);
}

TEST_F(NotesViewTest, ToolCommandsAreEnabledOnlyWithTheLayerAndChecksFollowTheMode)
{
    for (UINT id : {CNotesView::CmdInkStroke, CNotesView::CmdInkEraser, CNotesView::CmdInkSelectionTool,
                    CNotesView::CmdInkDelete, UINT(33989), UINT(34002)})
        EXPECT_EQ(Update(id).enabled, FALSE) << id;
    EXPECT_EQ(Update(33989).checked, TRUE) << "checks follow the tool with the layer off";

    LayerOn();
    EXPECT_EQ(Update(kLayer).checked, TRUE);
    Command(33995);
    EXPECT_EQ(Update(33995).enabled, TRUE);
    EXPECT_EQ(Update(33995).checked, TRUE);
    EXPECT_EQ(Update(33989).checked, FALSE);
    Command(CNotesView::CmdInkSelectionTool);
    EXPECT_EQ(Update(CNotesView::CmdInkSelectionTool).checked, TRUE);
    EXPECT_EQ(Update(33995).checked, FALSE);
    EXPECT_EQ(Update(ID_EDIT_COPY).enabled, -1) << "an empty ink selection leaves Copy alone";
}

TEST_F(NotesViewTest, StrokeAfterTheEraserAndThePenTurnedBackInkWithTheLastPen)
{
    LayerOn();
    Command(33998);
    Command(CNotesView::CmdInkEraser);
    Command(CNotesView::CmdInkStroke);
    EXPECT_EQ(view->GetEditingMode(), CNotesView::ModeInk);
    EXPECT_EQ(view->GetInkOverlay().DefaultDrawingAttributes().Height, 600.0f);

    view->OnCursorInRange(TRUE);
    EXPECT_EQ(view->GetEditingMode(), CNotesView::ModePenEraser);
    EXPECT_EQ(Update(CNotesView::CmdInkEraser).checked, TRUE);
    view->OnCursorInRange(FALSE);
    EXPECT_EQ(view->GetEditingMode(), CNotesView::ModeInkAfterEraser);
    EXPECT_EQ(Update(CNotesView::CmdInkStroke).checked, TRUE);
    EXPECT_EQ(view->GetInkOverlay().DefaultDrawingAttributes().Color, RGB(0, 255, 255));
}

TEST_F(NotesViewTest, EventsFromAnotherThreadChangeTheViewOnlyOnItsOwnThread)
{
    LayerOn();
    std::thread raiser([&] { view->RunOnUiThread([&] { view->OnCursorInRange(TRUE); }); });
    raiser.join();
    EXPECT_EQ(view->GetEditingMode(), CNotesView::ModeInk) << "nothing changed before the view's thread ran";
    Pump();
    EXPECT_EQ(view->GetEditingMode(), CNotesView::ModePenEraser);
}

TEST_F(NotesViewTest, CopiedInkPastesAtTheWindowsTopLeftAsTheNewSelection)
{
    LayerOn();
    Drag({200, 200}, {260, 230});
    Command(CNotesView::CmdInkSelectionTool);
    Drag({150, 150}, {300, 300});
    ASSERT_EQ(view->GetInkOverlay().Selection().Count(), 1u);
    EXPECT_EQ(Update(ID_EDIT_COPY).enabled, TRUE);
    Command(ID_EDIT_COPY);
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(Ink().Count(), 2u);
    const InkStrokes& selection = view->GetInkOverlay().Selection();
    ASSERT_EQ(selection.Count(), 1u);
    EXPECT_EQ(selection.GetBoundingBox().left, 0);
    EXPECT_EQ(selection.GetBoundingBox().top, 0);

    Command(CHyperView::CmdDelete);
    EXPECT_EQ(Ink().Count(), 1u) << "Delete takes the selected ink";

    Drag({150, 150}, {300, 300});
    ASSERT_EQ(view->GetInkOverlay().Selection().Count(), 1u);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(Ink().Count(), 0u) << "Cut takes the selected ink";
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Ink().Count(), 1u) << "and puts it on the clipboard";
}

TEST_F(NotesViewTest, ALockedNoticeLayerDisablesTheLayerCommandAndSwitchesTheLayerOff)
{
    LayerOn();
    Drag({50, 50}, {100, 60});
    CLayerFmt* layers = view->GetPageObject()->GetLayerList();
    layers->GetLayerItem(layers->m_currentNoticeIndex)->m_locked = 1;
    EXPECT_EQ(Update(kLayer).enabled, FALSE);
    EXPECT_FALSE(view->IsInkEnabled());
    EXPECT_EQ(StrokeObjects().size(), 1u) << "the ink was stored on the way out";
}

TEST_F(NotesViewTest, AScrollThatEndsBetweenStepsGoesBackToTheStepBelowWithTheInk)
{
    view->SetZoom(200);
    Pump();
    LayerOn();
    Drag({100, 100}, {200, 100});
    const RECT before = Ink().GetBoundingBox();
    ASSERT_GT(view->GetScrollLimit(SB_VERT), 60);
    view->OnScrollBy(CSize(0, 35));
    ASSERT_EQ(view->GetScrollPos(SB_VERT), 35);
    view->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    EXPECT_EQ(view->GetScrollPos(SB_VERT), 20) << "the grid step of 10 is 20 pixels at 200 %";
    POINT moved{0, 20};
    view->GetInkOverlay().Renderer().PixelToInkSpace(nullptr, moved);
    EXPECT_EQ(Ink().GetBoundingBox().top, before.top - moved.y) << "the ink moved with the page";
}

TEST_F(NotesViewTest, InkDrawnWithTheLayerOnMarksTheDocumentAndGoesIntoTheStoredPage)
{
    doc->SetModifiedFlag(FALSE);
    LayerOn();
    Drag({50, 50}, {150, 80});
    EXPECT_TRUE(doc->IsModified());
    const std::vector<BYTE> stored = PageBytes();
    EXPECT_TRUE(view->IsInkEnabled()) << "the layer stays on";
    EXPECT_EQ(Ink().Count(), 1u);

    LayerOff();
    view->Undo();
    ASSERT_TRUE(StrokeObjects().empty());
    LayerOn();
    LoadPage(stored);
    EXPECT_EQ(StrokeObjects().size(), 1u);
    EXPECT_EQ(Ink().Count(), 1u) << "the layer shows the ink of the page read";
}

TEST_F(NotesViewTest, PickingTheSelectToolSwitchesTheLayerOff)
{
    LayerOn();
    Drag({50, 50}, {100, 60});
    PickTool(CHyperView::ToolSelect);
    EXPECT_FALSE(view->IsInkEnabled());
    EXPECT_EQ(StrokeObjects().size(), 1u);
}

} // namespace

namespace {

class GestureTest : public NotesViewTest {
protected:
    // The command the view posted to itself, 0 for none.
    UINT PostedCommand()
    {
        MSG msg;
        if (!PeekMessage(&msg, view->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE))
            return 0;
        return LOWORD(msg.wParam);
    }
};

// A gesture with nothing to act on (no selection to cut or copy, no ink to paste, or a gesture
// that asks for nothing) stays as ink.
TEST_F(GestureTest, GesturesAskForCutCopyOrPasteAndStayInkWithNothingToActOn)
{
    using G = InkApplicationGesture;
    constexpr auto Strong = InkRecognitionConfidence::Strong;
    struct Case {
        G gesture;
        InkRecognitionConfidence confidence;
        bool selected;
        bool inkCopied;
        bool cancel;
        UINT command;
    };
    const Case cases[] = {
        {G::Curlicue, Strong, true, false, false, 57635},      {G::LeftRight, Strong, true, false, false, 57635},
        {G::Curlicue, Strong, false, false, true, 0},          {G::DoubleCurlicue, Strong, true, false, false, 57634},
        {G::RightLeft, Strong, true, false, false, 57634},     {G::RightLeft, Strong, false, false, true, 0},
        {G::DoubleCircle, Strong, false, false, true, 0},      {G::ChevronUp, Strong, false, false, true, 0},
        {G::ChevronDown, Strong, true, false, true, 0},        {G::UpDown, Strong, false, true, true, 0},
        {G::DownUp, Strong, true, true, true, 0},              {G::NoGesture, Strong, true, true, true, 0},
        {G::DoubleCircle, Strong, false, true, false, 57637},  {G::ChevronUp, Strong, false, true, false, 57637},
        {G::ChevronDown, Strong, true, true, false, 57637},
        {G::Curlicue, InkRecognitionConfidence::Poor, true, false, false, 0},
    };
    LayerOn();
    Drag({100, 100}, {200, 100});
    ASSERT_EQ(Ink().Count(), 1u);
    const InkStrokes none(view->GetInkOverlay().Ink());
    for (const Case& c : cases) {
        if (c.inkCopied)
            ASSERT_TRUE(InkClipboardCopy(view->m_hWnd, Ink()));
        else if (::OpenClipboard(view->m_hWnd)) {
            ::EmptyClipboard();
            ::CloseClipboard();
        }
        view->GetInkOverlay().SetSelection(c.selected ? Ink() : none);
        bool cancel = !c.cancel;
        EXPECT_TRUE(view->OnInkGesture(none, {{c.gesture, c.confidence}}, cancel));
        EXPECT_EQ(cancel, c.cancel) << std::hex << static_cast<int>(c.gesture);
        EXPECT_EQ(PostedCommand(), c.command) << std::hex << static_cast<int>(c.gesture);
    }
    bool cancel = false;
    EXPECT_FALSE(view->OnInkGesture(none, {}, cancel)) << "no gestures at all";
    EXPECT_EQ(Ink().Count(), 1u) << "no gesture took ink away";
}

TEST_F(GestureTest, AScratchOutTakesTheInkMostlyUnderItAndNothingElse)
{
    LayerOn();
    Drag({100, 100}, {200, 100});
    Drag({100, 300}, {200, 300});
    Drag({150, 200}, {400, 200});  // only a fifth of it lies under the scratch-out
    ASSERT_EQ(Ink().Count(), 3u);
    // The scratch-out's own stroke, over the first line and a little of the third.
    view->GetInkOverlay().SetEditingMode(InkOverlayEditingMode::Ink);
    Drag({90, 80}, {210, 210});
    InkStrokes scratch(view->GetInkOverlay().Ink());
    scratch.Add(Ink().Item(3));
    bool cancel = true;
    EXPECT_TRUE(view->OnInkGesture(scratch, {{InkApplicationGesture::Scratchout, InkRecognitionConfidence::Strong}},
                                   cancel));
    EXPECT_FALSE(cancel);
    EXPECT_EQ(Ink().Count(), 3u) << "the first line went, the scratch-out's stroke is the collector's to drop";
    EXPECT_TRUE(Ink().Contains(scratch.Item(0)->ID()));

    InkStrokes nothing(view->GetInkOverlay().Ink());
    nothing.Add(Ink().Item(0));
    view->GetInkOverlay().Ink()->DeleteStrokes(&scratch);
    cancel = false;
    EXPECT_TRUE(view->OnInkGesture(nothing, {{InkApplicationGesture::Scratchout, InkRecognitionConfidence::Strong}},
                                   cancel));
    EXPECT_TRUE(cancel) << "a scratch-out over no other ink stays ink";
}

TEST_F(GestureTest, AScratchOutOverALetterOfAPrintedWordTakesTheWholeWord)
{
    LayerOn();
    auto ink = view->GetInkOverlay().Ink();
    for (const auto& stroke : printed::Write("THE", {1000, 1000}, 600))
        ink->CreateStroke(stroke);
    const size_t kept = ink->StrokeCount();
    for (const auto& stroke : printed::Write("RED", {3200, 1000}, 600))
        ink->CreateStroke(stroke);
    // A zigzag over the middle letter of the second word.
    InkStrokes scratch(ink);
    scratch.Add(ink->CreateStroke({{3750, 950}, {4250, 1100}, {3750, 1250}, {4250, 1400}, {3750, 1550}, {4250, 1650}}));
    bool cancel = true;
    EXPECT_TRUE(view->OnInkGesture(scratch, {{InkApplicationGesture::Scratchout, InkRecognitionConfidence::Strong}},
                                   cancel));
    EXPECT_FALSE(cancel);
    ASSERT_EQ(ink->StrokeCount(), kept + 1) << "the second word went, the first and the scratch-out stay";
    for (size_t i = 0; i < kept; ++i)
        EXPECT_LE(Ink().Item(i)->GetBoundingBox(InkBoundingBoxMode::PointsOnly).right, 3000);
}

} // namespace
