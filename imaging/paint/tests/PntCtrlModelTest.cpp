// The paint control's zoom steps, undo depth, erasing, pasting, masks and notifications.
#include "PaintFixture.h"

#include "imaging/Dib.h"

TEST(PntCtrlZoom, NextStepUpAndDown)
{
    CPntCtrl ctrl;
    struct Case {
        int percent;
        BOOL up;
        int expected;
    };
    for (Case c : {Case{600, TRUE, -1}, {10, FALSE, -1}, {150, TRUE, 200}, {150, FALSE, 100}, {100, TRUE, 200},
                   {100, FALSE, 50}, {700, FALSE, 600}, {5, TRUE, 10}})
        EXPECT_EQ(ctrl.GetNextZoomStep(c.percent, c.up), c.expected) << c.percent << (c.up ? " up" : " down");
}

TEST_F(PaintTest, AtMostFiveEarlierImagesComeBackAndANewChangeDropsTheRedoSteps)
{
    ctrl.SetMode(CPntCtrl::ModePencil);
    std::vector<std::vector<COLORREF>> states{Pixels()};
    for (int i = 0; i < 6; ++i) {
        Drag({{i, 0}});
        states.push_back(Pixels());
    }
    int undone = 0;
    while (ctrl.CanUndo()) {
        ctrl.Undo();
        ++undone;
        EXPECT_EQ(Pixels(), states[size_t(6 - undone)]);
    }
    EXPECT_EQ(undone, 5);
    ctrl.Redo();
    EXPECT_EQ(Pixels(), states[2]);
    EXPECT_TRUE(ctrl.CanRedo());
    Drag({{7, 7}});
    EXPECT_FALSE(ctrl.CanRedo());
    ctrl.Undo();
    EXPECT_EQ(Pixels(), states[2]);
}

TEST_F(PaintTest, LoadingAPictureLeavesNothingToUndo)
{
    ctrl.SetMode(CPntCtrl::ModePencil);
    Drag({{1, 1}});
    ASSERT_TRUE(ctrl.CanUndo());
    CDib dib;
    ASSERT_TRUE(ctrl.GetImage(&dib));
    ASSERT_TRUE(ctrl.SetImage(&dib));
    EXPECT_FALSE(ctrl.CanUndo());
    ctrl.Undo();
    EXPECT_EQ(Differences({"........", ".#......"}), "");
}

TEST_F(PaintTest, DeleteErasesTheSelectionToWhiteAndResetsIt)
{
    Fill(kBlack);
    ctrl.SetMode(CPntCtrl::ModeSelect);
    TrackDrag({2, 2}, {4, 4});
    ctrl.SetFocus();
    ctrl.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(Differences({"########", "########", "##..####", "##..####", "########"}), "");
    EXPECT_EQ(ctrl.GetSelection(), CRect(0, 0, 8, 8));
    ctrl.Undo();
    EXPECT_EQ(Pixels(), std::vector<COLORREF>(64, kBlack));
}

TEST_F(PaintTest, CutCopiesThenErases_PasteDropsThePieceAtTheSelection)
{
    Paint({"rr......", "rr......"});
    ctrl.SetMode(CPntCtrl::ModeSelect);
    TrackDrag({0, 0}, {2, 2});
    ASSERT_TRUE(ctrl.CanCopy());
    ASSERT_TRUE(ctrl.Cut());
    EXPECT_EQ(Pixels(), std::vector<COLORREF>(64, kWhite));
    ASSERT_TRUE(ctrl.CanPaste());
    ctrl.SetSelectionRect(CRect(5, 5, 8, 8), FALSE);
    ASSERT_TRUE(ctrl.Paste());
    EXPECT_EQ(Differences({"........", "........", "........", "........", "........", ".....rr.", ".....rr.", "........"}),
              "");
    ctrl.Undo();
    EXPECT_EQ(Pixels(), std::vector<COLORREF>(64, kWhite));
}

TEST_F(PaintTest, APictureLargerThanTheSelectionAsksWhetherToCrop)
{
    CDIBSection big;
    ASSERT_TRUE(big.Create(40, 40, 1, 24, nullptr, nullptr));
    big.FillSolid(kRed);
    ASSERT_TRUE(big.CopyToClipboard(nullptr));
    ASSERT_TRUE(ctrl.CreateImage(32, 32, 1, 24));
    ctrl.ShowSelection(TRUE);
    struct Case {
        int answer;
        BOOL pasted;
        CRect selection;
    };
    for (Case c : {Case{IDCANCEL, FALSE, CRect(10, 10, 20, 20)}, {IDNO, TRUE, CRect(10, 10, 32, 32)},
                   {IDYES, TRUE, CRect(10, 10, 20, 20)}}) {
        ctrl.SetSelectionRect(CRect(10, 10, 20, 20), FALSE);
        UiTestHook::QueueMessageBoxAnswer(c.answer);
        EXPECT_EQ(ctrl.Paste(), c.pasted) << c.answer;
        EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Clipboard image is larger than the\nSelection area. Crop to selection area?");
        EXPECT_EQ(ctrl.GetSelection(), c.selection) << c.answer;
        EXPECT_EQ(ctrl.GetCanvas().GetPixel(9, 9) & 0xFFFFFF, kWhite);
        if (c.pasted) {
            EXPECT_EQ(ctrl.GetCanvas().GetPixel(c.selection.right - 1, c.selection.bottom - 1) & 0xFFFFFF, kRed);
        }
        EXPECT_EQ(ctrl.GetCanvas().GetPixel(25, 25) & 0xFFFFFF, c.answer == IDNO ? kRed : kWhite);
        ctrl.Refresh();
        ctrl.GetCanvas().FillSolid(kWhite);
    }
}

TEST_F(PaintTest, EveryChangeTellsTheParentAndZoomTellsItToo)
{
    parent.notes.clear();
    ctrl.SetMode(CPntCtrl::ModePencil);
    Drag({{1, 1}});
    ctrl.SetZoomPercent(200);
    for (const NMHDR& note : parent.notes) {
        EXPECT_EQ(note.hwndFrom, ctrl.GetSafeHwnd());
        EXPECT_EQ(note.idFrom, CtrlId);
    }
    EXPECT_EQ(parent.Codes(), (std::vector<UINT>{CPntCtrl::ModeChangedCode(), CPntCtrl::ImageChangedCode(),
                                                 CPntCtrl::ZoomChangedCode()}));
}

TEST_F(PaintTest, MaskTakesTheLeastUsedPaintColourAsTransparency)
{
    ASSERT_TRUE(ctrl.CreateImage(4, 4, 1, 8));
    ctrl.GetCanvas().FillSolid(kWhite);
    ctrl.GetCanvas().SetPixel(0, 0, 1, kBlack);
    CBitmap mask;
    ASSERT_TRUE(mask.CreateBitmap(4, 4, 1, 1, nullptr));
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* old = dc.SelectObject(&mask);
        dc.FillSolidRect(CRect(0, 0, 4, 4), kBlack);
        dc.SetPixelV(3, 3, kWhite);
        dc.SelectObject(old);
    }
    EXPECT_EQ(ctrl.ApplyMask(static_cast<HBITMAP>(mask.GetSafeHandle())), 1);
    // Black and white are used; of the unused colours the last one, light grey, wins the tie.
    EXPECT_EQ(ctrl.GetTransparencyColour(), COLORREF(0xC0C0C0));
    EXPECT_EQ(ctrl.GetCanvas().GetPixel(3, 3) & 0xFFFFFF, COLORREF(0xC0C0C0));
    EXPECT_EQ(ctrl.GetCanvas().GetPixel(0, 0) & 0xFFFFFF, kBlack);

    ASSERT_TRUE(ctrl.CreateImage(4, 4, 1, 24));
    EXPECT_EQ(ctrl.ApplyMask(static_cast<HBITMAP>(mask.GetSafeHandle())), 0) << "a true-colour image has no table";
    ASSERT_TRUE(ctrl.CreateImage(5, 4, 1, 8));
    EXPECT_EQ(ctrl.ApplyMask(static_cast<HBITMAP>(mask.GetSafeHandle())), 0) << "sizes differ";
}

TEST_F(PaintTest, GridShowsOnlyFromItsMinimumZoom)
{
    ASSERT_TRUE(ctrl.CreateImage(4, 4, 1, 24));
    ctrl.SetGrid(TRUE, 600);
    struct Case {
        int zoom;
        bool grid;
    };
    for (Case c : {Case{400, false}, Case{600, true}}) {
        ctrl.SetZoomPercent(c.zoom);
        UiTestHook::PumpPending();
        const CPoint line = ctrl.ImageToClient(CPoint(1, 1));
        const CPoint inside = line + CPoint(2, 2);
        EXPECT_EQ(UiTestHook::PixelAt(ctrl.GetSafeHwnd(), line) != kWhite, c.grid) << c.zoom;
        EXPECT_EQ(UiTestHook::PixelAt(ctrl.GetSafeHwnd(), inside), kWhite) << c.zoom;
    }
}
