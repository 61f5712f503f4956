// The size dialog, the bitmap and icon editors around the paint control, their tool bar,
// and pictures saved from them read back by the program's own readers.
#include "PaintFixture.h"

#include "imaging/Dib.h"
#include "imaging/PictureLoader.h"
#include "imaging/paint/PaintEditors.h"
#include "imaging/paint/PntBitmapEditDlg.h"
#include "imaging/paint/PntIconEditDlg.h"
#include "imaging/paint/PntSizeDlg.h"
#include "imaging/paint/PntTextFmtBar.h"
#include "platform/core/File.h"
#include "platform/gdi/Icon.h"
#include "platform/ui/ControlTypes.h"
#include "res/Artwork.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

namespace {

using EditorTest = PaintDialogTest;

std::unique_ptr<CDib> MakeDib(int width, int height, int bitCount, COLORREF colour)
{
    CPntCtrl holder;
    holder.GetCanvas().Create(width, height, 1, bitCount, nullptr, nullptr);
    holder.GetCanvas().FillSolid(colour);
    auto dib = std::make_unique<CDib>();
    holder.GetImage(dib.get());
    return dib;
}

void Put(std::vector<BYTE>& out, DWORD value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<BYTE>(value >> (8 * i)));
}

// An ".ico" file of one picture: the directory, then the picture's header (twice as high),
// colours and bits, then the AND rows from the mask (set where transparent).
std::vector<BYTE> IconFileFrom(const CDib& image, const CDib& mask)
{
    const BYTE* info = image.GetBlock() + sizeof(BITMAPFILEHEADER);
    const DWORD infoBytes = image.GetSize() - DWORD(sizeof(BITMAPFILEHEADER));
    const int width = image.GetWidth(), height = image.GetHeight();
    const DWORD maskStride = DWORD((width + 31) / 32 * 4);
    const BYTE* maskTable = mask.GetBlock() + sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const bool whiteFirst = maskTable[0] == 0xFF;
    std::vector<BYTE> out;
    Put(out, 0, 2);
    Put(out, 1, 2);
    Put(out, 1, 2);
    out.insert(out.end(), {BYTE(width), BYTE(height), 0, 0});
    Put(out, 1, 2);
    Put(out, image.GetBitCount(), 2);
    Put(out, infoBytes + maskStride * DWORD(height), 4);
    Put(out, 22, 4);
    const size_t header = out.size();
    out.insert(out.end(), info, info + infoBytes);
    auto* written = reinterpret_cast<BITMAPINFOHEADER*>(&out[header]);
    written->biHeight = height * 2;
    written->biSizeImage = 0;
    for (DWORD i = 0; i < maskStride * DWORD(height); ++i)
        out.push_back(whiteFirst ? BYTE(~mask.GetBits()[i]) : mask.GetBits()[i]);
    return out;
}

} // namespace

TEST(PntSizeDlg, BitCountsMapToTheComboAndBack)
{
    struct Case {
        int bitCount;
        int index;
        int back;
    };
    for (Case c : {Case{1, 0, 1}, {4, 1, 4}, {8, 2, 8}, {16, 3, 16}, {24, 4, 24}, {32, 5, 32}, {2, 2, 8}, {0, 2, 8}}) {
        EXPECT_EQ(CPntSizeDlg::DepthIndexOf(c.bitCount), c.index) << c.bitCount;
        EXPECT_EQ(CPntSizeDlg::BitCountOf(c.index), c.back) << c.bitCount;
    }
    EXPECT_EQ(CPntSizeDlg::BitCountOf(9), 8);
}

TEST(PntDlg, AStoredPlacementIsUsedOnlyInsideTheWorkArea)
{
    const CRect work(0, 0, 1024, 768);
    struct Case {
        CRect stored;
        BOOL fits;
    };
    for (Case c : {Case{CRect(-1, -1, -2, -2), FALSE}, {CRect(10, 10, 410, 310), TRUE}, {CRect(0, 0, 1100, 300), FALSE},
                   {CRect(900, 10, 1100, 200), FALSE}, {CRect(10, 700, 200, 800), FALSE},
                   {CRect(0, 0, 1024, 768), TRUE}})
        EXPECT_EQ(CPntDlg::PlacementFits(c.stored, work), c.fits) << c.stored.left << "," << c.stored.top;
}

TEST_F(EditorTest, ResizeWithCustomizeCropsToThePartlySelectedArea)
{
    Paint({"........", "........", "..rb....", "..br....", "........"});
    ctrl.SetMode(CPntCtrl::ModeSelect);
    ctrl.SetSelectionRect(CRect(2, 2, 4, 4), FALSE);
    bool offered = false;
    driver.steps = {[&] {
                        auto* dialog = ModalDriver::Active<CPntSizeDlg>();
                        if (!dialog)
                            return Press(IDCANCEL);
                        offered = dialog->GetDlgItem(CPntSizeDlg::IdCrop)->IsWindowEnabled();
                        dialog->CheckDlgButton(CPntSizeDlg::IdCrop, 1);
                        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(CPntSizeDlg::IdCrop, BN_CLICKED), 0);
                        EXPECT_FALSE(dialog->GetDlgItem(CPntSizeDlg::IdWidth)->IsWindowEnabled());
                    },
                    [] { Press(IDOK); }};
    driver.Start();
    EXPECT_TRUE(ctrl.Resize());
    EXPECT_TRUE(offered);
    EXPECT_EQ(ctrl.GetCanvas().GetSize(), CSize(2, 2));
    EXPECT_EQ(Differences({"rb", "br"}), "");
    ctrl.Undo();
    EXPECT_EQ(ctrl.GetCanvas().GetSize(), CSize(8, 8));
}

TEST_F(EditorTest, ResizeToEnteredSizeAndDepthAndCancelKeepsThePicture)
{
    driver.steps = {[] { Press(IDCANCEL); }};
    driver.Start();
    EXPECT_FALSE(ctrl.Resize());
    EXPECT_EQ(ctrl.GetCanvas().GetSize(), CSize(8, 8));
    driver.steps = {[&] {
                        auto* dialog = ModalDriver::Active<CPntSizeDlg>();
                        if (!dialog)
                            return Press(IDCANCEL);
                        EXPECT_FALSE(dialog->GetDlgItem(CPntSizeDlg::IdCrop)->IsWindowEnabled());
                        dialog->SetDlgItemText(CPntSizeDlg::IdWidth, "12");
                        dialog->SetDlgItemText(CPntSizeDlg::IdHeight, "5");
                        dialog->SendDlgItemMessage(CPntSizeDlg::IdDepth, CB_SETCURSEL, 1);
                    },
                    [] { Press(IDOK); }};
    driver.Start();
    EXPECT_TRUE(ctrl.Resize());
    EXPECT_EQ(ctrl.GetCanvas().GetSize(), CSize(12, 5));
    EXPECT_EQ(ctrl.GetCanvas().GetBitCount(), 4);
}

TEST_F(EditorTest, BitmapEditorOpensSmallPicturesAt600AndItsToolBarPicksTools)
{
    CPntBitmapEditDlg editor(&parent);
    const auto tall = MakeDib(40, 120, 24, kWhite);
    ASSERT_TRUE(editor.GetPaintCtrl().SetImage(tall.get()));
    int zoom = 0, slider = 0;
    driver.steps = {[&] {
                        zoom = editor.GetPaintCtrl().GetZoomPercent();
                        slider = editor.GetSlider().GetPos();
                        editor.GetToolBar().SendMessage(WM_COMMAND, 52785, 0);
                    },
                    [&] {
                        EXPECT_EQ(editor.GetPaintCtrl().GetMode(), CPntCtrl::ModeLine);
                        const int line = editor.GetToolBar().CommandToIndex(52785);
                        EXPECT_TRUE(editor.GetToolBar().GetButtonStyle(line) & TBBS_CHECKED);
                        const int undo = editor.GetToolBar().CommandToIndex(52772);
                        EXPECT_TRUE(editor.GetToolBar().GetButtonStyle(undo) & TBBS_DISABLED);
                        editor.EndDialog(IDOK);
                    }};
    driver.Start();
    EXPECT_EQ(editor.DoModal(), IDOK);
    EXPECT_EQ(zoom, 600);
    EXPECT_EQ(slider, 600);
}

TEST_F(EditorTest, ToolBarWidthAndColourPickersSetTheControl)
{
    CPntBitmapEditDlg editor(&parent);
    const auto picture = MakeDib(60, 60, 24, kWhite);
    ASSERT_TRUE(editor.GetPaintCtrl().SetImage(picture.get()));
    driver.steps = {[&] {
        CPntToolBar& bar = editor.GetToolBar();
        CPntCtrl& paint = editor.GetPaintCtrl();
        SendCoolComboNotify(&bar, &bar.GetLinePicker(), 52787, CCN_SELECT, 2);
        EXPECT_EQ(paint.m_nLineWidth, 3);
        SendCoolComboNotify(&bar, &bar.GetLinePicker(), 52787, CCN_SELECT, 9);
        EXPECT_EQ(paint.m_nLineWidth, 3) << "an index outside the list is ignored";
        SendCoolComboNotify(&bar, &bar.GetEraserPicker(), 52786, CCN_SELECT, 3);
        EXPECT_EQ(paint.m_nEraserWidth, 10);
        SendCoolComboNotify(&bar, &bar.GetForegroundPicker(), 52795, CCN_SELECT, kRed);
        EXPECT_EQ(paint.GetForegroundColour(), kRed);
        EXPECT_EQ(paint.GetFillColour(), kRed);
        SendCoolComboNotify(&bar, &bar.GetTransparencyPicker(), 52796, CCN_SELECT, kBlue);
        EXPECT_EQ(paint.GetTransparencyColour(), kBlue);
        SendCoolComboNotify(&bar, &bar.GetTransparencyPicker(), 52796, CCN_EXTRA, 0);
        EXPECT_EQ(paint.GetTransparencyColour(), CPntCtrl::NoColour);
        bar.UpdateButtons();
        EXPECT_EQ(bar.GetForegroundPicker().GetColourCount(), int(BuiltInColours.size())) << "true colour";
        editor.EndDialog(IDCANCEL);
    }};
    driver.Start();
    EXPECT_EQ(editor.DoModal(), IDCANCEL);
}

// Buttons are 23 pixels wide, the separator 8, the pickers 34 and 35; one row is 698 wide.
TEST_F(EditorTest, ToolBarWrapsItsButtonsIntoRowsWhenNarrowerThanOneRow)
{
    CPntBitmapEditDlg editor(&parent);
    const auto picture = MakeDib(60, 60, 24, kWhite);
    ASSERT_TRUE(editor.GetPaintCtrl().SetImage(picture.get()));
    struct Case {
        int width, rows;
        int firstOfRow2, firstOfRow3;
    };
    const Case cases[] = {{698, 1, -1, -1}, {697, 2, 28, -1}, {300, 3, 13, 25}, {230, 4, 10, 19}, {10, 29, 1, 2}};
    driver.steps = {[&] {
        CPntToolBar& bar = editor.GetToolBar();
        for (const Case& c : cases) {
            EXPECT_EQ(bar.WrapToWidth(c.width), c.rows) << c.width;
            EXPECT_EQ(bar.GetRows(), c.rows);
            int row = 0, top = -1;
            for (int i = 0; i < bar.GetCount(); ++i) {
                CRect r;
                bar.GetItemRect(i, &r);
                if (r.top != top) {
                    ++row;
                    top = r.top;
                    EXPECT_EQ(r.left, 0) << c.width << " button " << i;
                    EXPECT_EQ(r.top, (row - 1) * 22) << c.width << " button " << i;
                    if (row == 2 || row == 3) {
                        EXPECT_EQ(i, row == 2 ? c.firstOfRow2 : c.firstOfRow3) << c.width;
                    }
                }
                EXPECT_LE(r.right, std::max(c.width, int(r.Width()))) << c.width << " button " << i;
            }
            EXPECT_EQ(row, c.rows) << c.width;
            // Below the gripper, 10 pixels.
            EXPECT_EQ(bar.CalcFixedLayout(FALSE, TRUE).cy, 10 + c.rows * 22) << c.width;
        }
        // The pickers sit on their slots in whatever row those fall.
        CRect slot, picker;
        bar.GetItemRect(bar.CommandToIndex(52796), &slot);
        bar.GetTransparencyPicker().GetWindowRect(&picker);
        bar.ScreenToClient(&picker);
        EXPECT_EQ(picker.TopLeft(), slot.TopLeft());
        editor.EndDialog(IDCANCEL);
    }};
    driver.Start();
    EXPECT_EQ(editor.DoModal(), IDCANCEL);
}

// The icon editor's place for the bar holds one row; the bar's other rows push the picture and
// the preview down, and a wider editor takes them back into one row.
TEST_F(EditorTest, IconEditorShowsEveryRowOfItsToolBarAbovePictureAndPreview)
{
    CPntIconEditDlg editor(&parent);
    const auto image = MakeDib(32, 32, 8, kWhite);
    ASSERT_TRUE(editor.GetPaintCtrl().SetImage(image.get()));
    struct Case {
        int wider, rows;
    };
    const Case cases[] = {{0, 2}, {300, 1}, {0, 2}};
    driver.steps = {[&] {
        CPntToolBar& bar = editor.GetToolBar();
        CRect window;
        editor.GetWindowRect(&window);
        for (const Case& c : cases) {
            editor.SetWindowPos(nullptr, 0, 0, window.Width() + c.wider, window.Height(), SWP_NOMOVE | SWP_NOZORDER);
            EXPECT_EQ(bar.GetRows(), c.rows) << c.wider;
            const CRect shown = DlgItemRect(&editor, CPntBitmapEditDlg::IdToolBarPlace + 100);
            CRect last;
            bar.GetTransparencyPicker().GetWindowRect(&last);
            editor.ScreenToClient(&last);
            EXPECT_LE(last.bottom, shown.bottom) << c.wider << ": the last picker shows whole";
            for (UINT id : {CPntBitmapEditDlg::IdPaint, CPntIconEditDlg::IdPreview})
                EXPECT_GE(DlgItemRect(&editor, id).top, shown.bottom) << c.wider << " item " << id;
        }
        editor.EndDialog(IDCANCEL);
    }};
    driver.Start();
    EXPECT_EQ(editor.DoModal(), IDCANCEL);
}

TEST_F(EditorTest, EveryToolBarButtonAndPickerHasItsNameAsTip)
{
    CPntBitmapEditDlg editor(&parent);
    const auto picture = MakeDib(60, 60, 24, kWhite);
    ASSERT_TRUE(editor.GetPaintCtrl().SetImage(picture.get()));
    driver.steps = {[&] {
        CPntToolBar& bar = editor.GetToolBar();
        const std::pair<UINT, const char*> buttons[] = {{52768, "Cut"}, {52777, "Select Area"}, {52784, "Freehand Draw"},
                                                        {52794, "Filled Ellipse"}};
        for (const auto& [id, name] : buttons) {
            CString text;
            bar.GetToolTips().GetText(text, &bar, id);
            EXPECT_EQ(std::string(text), name) << id;
        }
        const std::pair<CWnd*, const char*> pickers[] = {{&bar.GetEraserPicker(), "Eraser width"},
                                                         {&bar.GetLinePicker(), "Pen Width"},
                                                         {&bar.GetForegroundPicker(), "Foreground Color"},
                                                         {&bar.GetTransparencyPicker(), "Transparency Color"}};
        for (const auto& [picker, name] : pickers) {
            CString text;
            bar.GetToolTips().GetText(text, picker);
            EXPECT_EQ(std::string(text), name);
        }
        int named = 0;
        for (const CPntToolBar::Button& button : CPntToolBar::Buttons)
            named += button.id != 0 && button.name[0] != '\0';
        EXPECT_EQ(bar.GetToolTips().GetToolCount(), named);
        editor.EndDialog(IDCANCEL);
    }};
    driver.Start();
    EXPECT_EQ(editor.DoModal(), IDCANCEL);
}

TEST_F(EditorTest, SmallPalettesOfferThePaintColours)
{
    struct Case {
        int bitCount;
        int colours;
    };
    for (Case c : {Case{4, 16}, Case{1, 2}, Case{8, int(BuiltInColours.size())}}) {
        CPntBitmapEditDlg editor(&parent);
        const auto picture = MakeDib(60, 60, c.bitCount, kWhite);
        ASSERT_TRUE(editor.GetPaintCtrl().SetImage(picture.get()));
        int offered = 0;
        driver.steps = {[&] {
            editor.GetToolBar().UpdateButtons();
            offered = editor.GetToolBar().GetForegroundPicker().GetColourCount();
            editor.EndDialog(IDCANCEL);
        }};
        driver.Start();
        editor.DoModal();
        EXPECT_EQ(offered, c.colours) << c.bitCount << " bits";
    }
}

TEST_F(EditorTest, BitmapEditedInTheEditorIsSavedAsBmpAndReadByThePictureLibrary)
{
    const auto picture = MakeDib(60, 50, 24, kWhite);
    COLORREF transparent = CPntCtrl::NoColour;
    driver.steps = {[&] {
        auto* editor = ModalDriver::Active<CPntBitmapEditDlg>();
        if (!editor)
            return Press(IDCANCEL);
        CPntCtrl& paint = editor->GetPaintCtrl();
        paint.SetForegroundColour(kRed);
        paint.SetMode(CPntCtrl::ModeFilledRect);
        const int inside = paint.GetZoomPercent() / 200;
        CPoint start = paint.ImageToClient(CPoint(10, 10)) + CPoint(inside, inside);
        paint.ClientToScreen(&start);
        UiTestHook::MouseDown(WM_LBUTTONDOWN, start, MK_LBUTTON);
        CPoint end = paint.ImageToClient(CPoint(19, 14)) + CPoint(inside, inside);
        paint.ClientToScreen(&end);
        UiTestHook::MouseMove(end, MK_LBUTTON);
        UiTestHook::MouseUp(WM_LBUTTONUP, end);
    }, [] {}, [] { Press(IDOK); }};
    driver.Start();
    ASSERT_TRUE(RunBitmapEditor(*picture, transparent, &parent));

    const std::string path = ::testing::TempDir() + "paint-edited.bmp";
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(picture->GetBlock()), std::streamsize(picture->GetSize()));
    }
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    HBITMAP decoded = CPictureLoader::LoadPicture(&file);
    ASSERT_NE(decoded, nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), decoded);
    EXPECT_EQ(dc.GetPixel(9, 9) & 0xFFFFFF, kWhite);
    EXPECT_EQ(dc.GetPixel(10, 10) & 0xFFFFFF, kRed);
    EXPECT_EQ(dc.GetPixel(15, 12) & 0xFFFFFF, kRed);
    EXPECT_EQ(dc.GetPixel(20, 15) & 0xFFFFFF, kWhite);
    ::SelectObject(dc.GetSafeHdc(), old);
    ::DeleteObject(decoded);
    std::remove(path.c_str());
}

TEST_F(EditorTest, IconEditorZoomsOutOnlyAndItsIconReadsBackWithItsMask)
{
    CPntIconEditDlg editor(&parent);
    const auto image = MakeDib(32, 32, 24, kBlue);
    CDIBSection maskCanvas;
    ASSERT_TRUE(maskCanvas.Create(32, 32, 1, 1, nullptr, nullptr));
    maskCanvas.FillSolid(kBlack);
    maskCanvas.FillRect(CRect(0, 0, 32, 4), kWhite);
    CPntCtrl maskHolder;
    maskHolder.GetCanvas().Copy(maskCanvas);
    CDib mask;
    ASSERT_TRUE(maskHolder.GetImage(&mask));
    ASSERT_TRUE(editor.SetIcon(image.get(), &mask));
    const COLORREF key = editor.GetPaintCtrl().GetTransparencyColour();
    EXPECT_NE(key, CPntCtrl::NoColour);
    EXPECT_NE(key, kBlue);
    driver.steps = {[&] {
                        CPntCtrl& paint = editor.GetPaintCtrl();
                        EXPECT_EQ(paint.GetZoomPercent(), CPntIconEditDlg::IconZoom);
                        paint.SetMode(CPntCtrl::ModeZoom);
                        CPoint p = paint.ImageToClient(CPoint(20, 20)) + CPoint(3, 3);
                        paint.ClientToScreen(&p);
                        UiTestHook::MouseDown(WM_LBUTTONDOWN, p, MK_LBUTTON);
                        UiTestHook::MouseUp(WM_LBUTTONUP, p);
                    },
                    [] {},
                    [&] {
                        EXPECT_EQ(editor.GetPaintCtrl().GetZoomPercent(), CPntIconEditDlg::IconZoom)
                            << "700 % has no larger step";
                        CPntCtrl& paint = editor.GetPaintCtrl();
                        CPoint p = paint.ImageToClient(CPoint(20, 20)) + CPoint(3, 3);
                        paint.ClientToScreen(&p);
                        UiTestHook::MouseDown(WM_RBUTTONDOWN, p, MK_RBUTTON);
                        UiTestHook::MouseUp(WM_RBUTTONUP, p);
                    },
                    [] {},
                    [&] {
                        EXPECT_EQ(editor.GetPaintCtrl().GetZoomPercent(), 600);
                        CPntCtrl& paint = editor.GetPaintCtrl();
                        paint.SetMode(CPntCtrl::ModePencil);
                        paint.GetCanvas().SetPixel(5, 10, 1, kRed);
                        editor.EndDialog(IDOK);
                    }};
    driver.Start();
    ASSERT_EQ(editor.DoModal(), IDOK);

    CDib edited;
    CDib editedMask;
    ASSERT_TRUE(editor.GetPaintCtrl().GetImage(&edited));
    ASSERT_TRUE(editor.GetPaintCtrl().GetMask(&editedMask));
    const std::vector<BYTE> ico = IconFileFrom(edited, editedMask);
    HICON icon = CreateIconFromFileData(ico.data(), ico.size(), 32, 32);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), info.hbmColor);
    EXPECT_EQ(dc.GetPixel(5, 10) & 0xFFFFFF, kRed);
    EXPECT_EQ(dc.GetPixel(20, 20) & 0xFFFFFF, kBlue);
    ::SelectObject(dc.GetSafeHdc(), info.hbmMask);
    EXPECT_EQ(dc.GetPixel(5, 1) & 0xFFFFFF, kWhite) << "the top rows stay transparent";
    EXPECT_EQ(dc.GetPixel(5, 10) & 0xFFFFFF, kBlack);
    ::SelectObject(dc.GetSafeHdc(), old);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

TEST(PntTextFmtBar, FontTextRoundTripsAndRefusesShortText)
{
    LOGFONT font{};
    font.lfHeight = -13;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfCharSet = 238;
    std::snprintf(font.lfFaceName, LF_FACESIZE, "%s", "DejaVu Sans");
    const CString text = CPntTextFmtBar::FormatFont(font);
    EXPECT_EQ(text, "-13,0,0,0,700,1,0,0,238,0,0,0,0,DejaVu Sans");
    LOGFONT back{};
    ASSERT_TRUE(CPntTextFmtBar::ParseFont(text, &back));
    EXPECT_EQ(back.lfHeight, -13);
    EXPECT_EQ(back.lfWeight, 700);
    EXPECT_EQ(back.lfItalic, 1);
    EXPECT_EQ(back.lfCharSet, 238);
    EXPECT_STREQ(back.lfFaceName, "DejaVu Sans");
    for (const char* bad : {"", "1,2,3", "a,b,c,d,e,f,g,h,i,j,k,l,m,Face"})
        EXPECT_FALSE(CPntTextFmtBar::ParseFont(bad, &back)) << bad;
    std::string longName = "0,0,0,0,0,0,0,0,0,0,0,0,0," + std::string(200, 'x');
    ASSERT_TRUE(CPntTextFmtBar::ParseFont(longName.c_str(), &back));
    EXPECT_EQ(std::strlen(back.lfFaceName), size_t(LF_FACESIZE - 1)) << "a long face name is cut to the field";
}

TEST_F(EditorTest, TheTextBarsAlignmentAndStyleButtonsShowTheirPictures)
{
    RegisterArtwork();
    CPntTextFmtBar bar(&ctrl);
    bar.Show();
    ASSERT_NE(bar.GetSafeHwnd(), nullptr);
    for (UINT id = CPntTextFmtBar::IdLeft; id <= CPntTextFmtBar::IdUnderline; ++id) {
        CWnd* button = bar.GetDlgItem(static_cast<int>(id));
        ASSERT_NE(button, nullptr) << id;
        EXPECT_TRUE(button->GetStyle() & BS_BITMAP) << id;
        EXPECT_NE(button->SendMessage(BM_GETIMAGE, IMAGE_BITMAP), 0) << id;
    }
    bar.DestroyWindow();
}
