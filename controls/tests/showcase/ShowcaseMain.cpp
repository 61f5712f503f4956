// A resizable dialog holding every control of the dialog layer, shown on the real display
// (a virtual one under xvfb-run) and photographed at its template size and larger. Writes
// showcase-small.png and showcase-large.png into the folder given (default: the current
// one) and fails when the controls did not follow the larger size.
#include "../PictureKit.h"

#include "controls/BitmapSlider.h"
#include "controls/ColourComboBox.h"
#include "controls/ColourPicker.h"
#include "controls/DateTimePicker.h"
#include "controls/FlatButton.h"
#include "controls/FlexSizeDialog.h"
#include "controls/ToolBarEx.h"
#include "controls/TwoStateButton.h"
#include "platform/core/StringTable.h"
#include "platform/ui/Resources.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>

#include <cstdio>
#include <string>

namespace {

constexpr UINT IDD_SHOWCASE = 9701;
enum : UINT { IDC_PICKER = 201, IDC_COLOURS, IDC_COMBO, IDC_DATE, IDC_SLIDER, IDC_FLAT, IDC_PIN, IDC_NOTES };
enum : UINT { IDB_STRIP = 9711, IDB_CHANNEL, IDB_THUMB, IDB_PIN_OFF, IDB_PIN_ON, IDI_STAR, IDR_TOOLS };

DialogItemTemplate item(const char* cls, const char* text, UINT id, DWORD style, short x, short y, short cx, short cy)
{
    return DialogItemTemplate{cls, text, id, style | WS_VISIBLE | WS_CHILD, 0, x, y, cx, cy};
}

void registerResources()
{
    RegisterStringResource(26631, "<Automatic>");
    RegisterBinaryResource(ResourceKind::Bitmap, IDB_STRIP, MakeBmp(64, 16, [](int x, int y) {
        const int cell = x / 16;
        return (x % 16 > 2 && x % 16 < 13 && y > 2 && y < 13) ? RGB(60 * cell, 80, 200 - 50 * cell) : RGB(255, 0, 255);
    }));
    RegisterBinaryResource(ResourceKind::Bitmap, IDB_CHANNEL, MakeBmp(160, 12, [](int, int y) {
        return y > 4 && y < 8 ? RGB(90, 90, 90) : RGB(255, 0, 255);
    }));
    RegisterBinaryResource(ResourceKind::Bitmap, IDB_THUMB, MakeBmp(10, 12, [](int, int) { return RGB(30, 110, 220); }));
    RegisterBinaryResource(ResourceKind::Bitmap, IDB_PIN_OFF, SolidBmp(20, 20, RGB(180, 60, 60)));
    RegisterBinaryResource(ResourceKind::Bitmap, IDB_PIN_ON, SolidBmp(20, 20, RGB(60, 160, 60)));
    RegisterBinaryResource(ResourceKind::Icon, IDI_STAR, MakeIco(16, RGB(230, 170, 0)));
    RegisterToolBarResource(IDR_TOOLS, ToolBarTemplate{16, 15, {301, 302, 0, 303}});
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    RegisterBinaryResource(ResourceKind::Bitmap, IDR_TOOLS, MakeBmp(48, 15, [face](int x, int y) {
        return (x % 16 < 3 || x % 16 > 12 || y < 3 || y > 11) ? face : RGB(40 + 80 * (x / 16), 120, 160);
    }));
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE;
    t.cx = 230;
    t.cy = 130;
    t.caption = "Controls";
    t.items = {
        item("static", "", IDC_PICKER, SS_OWNERDRAW | SS_NOTIFY, 7, 7, 40, 14),
        item("static", "", IDC_COLOURS, SS_OWNERDRAW | SS_NOTIFY, 52, 7, 40, 14),
        item("combobox", "", IDC_COMBO, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT, 97, 7, 126, 80),
        item(DATETIMEPICK_CLASS, "", IDC_DATE, 0, 7, 26, 90, 14),
        item("static", "", IDC_SLIDER, SS_NOTIFY, 102, 28, 100, 8),
        item("edit", "Notes", IDC_NOTES, WS_BORDER | ES_AUTOHSCROLL, 7, 62, 216, 39),
        item("button", "Flat", IDC_FLAT, BS_OWNERDRAW, 7, 108, 60, 16),
        item("button", "", IDC_PIN, BS_OWNERDRAW, 72, 108, 14, 14),
        item("button", "OK", IDOK, BS_DEFPUSHBUTTON, 119, 108, 50, 16),
        item("button", "Cancel", IDCANCEL, 0, 173, 108, 50, 16),
    };
    RegisterDialogResource(IDD_SHOWCASE, t);
}

class CShowcaseDialog : public CFlexSizeDialog {
public:
    CShowcaseDialog() : CFlexSizeDialog(IDD_SHOWCASE)
    {
        AddFlexControl(IDC_COMBO, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Fixed);
        AddFlexControl(IDC_SLIDER, CFlexHorzConstraint::Move, CFlexVertConstraint::Fixed);
        AddFlexControl(IDC_NOTES, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Stretch);
        AddFlexControl(IDC_FLAT, CFlexHorzConstraint::Fixed, CFlexVertConstraint::Move);
        AddFlexControl(IDC_PIN, CFlexHorzConstraint::Fixed, CFlexVertConstraint::Move);
        AddFlexControl(IDOK, CFlexHorzConstraint::Move, CFlexVertConstraint::Move);
        AddFlexControl(IDCANCEL, CFlexHorzConstraint::Move, CFlexVertConstraint::Move);
    }

    BOOL OnInitDialog() override
    {
        m_picker.SubclassDlgItem(IDC_PICKER, this);
        m_picker.SetImageList(IDB_STRIP, 16, RGB(255, 0, 255));
        m_picker.m_showSelectionImage = TRUE;
        m_picker.SetCurSel(2);
        m_colours.SubclassDlgItem(IDC_COLOURS, this);
        m_colours.SetColour(RGB(220, 40, 40));
        m_combo.SubclassDlgItem(IDC_COMBO, this);
        m_combo.Fill(TRUE, nullptr, 20);
        m_combo.SetCurSel(5);
        m_date.SubclassDlgItem(IDC_DATE, this);
        m_date.SetTime(COleDateTime(2005, 2, 1, 13, 5, 0));
        m_slider.SubclassDlgItem(IDC_SLIDER, this);
        m_slider.SetChannelBitmaps(IDB_CHANNEL, 0, TRUE, RGB(255, 0, 255));
        m_slider.SetThumbBitmaps(IDB_THUMB, 0, FALSE);
        m_slider.SetPos(40);
        m_flat.SubclassDlgItem(IDC_FLAT, this);
        m_flat.SetIcon(IDI_STAR, 0, 16, 16);
        m_pin.SubclassDlgItem(IDC_PIN, this);
        m_pin.m_bitmaps[0].Attach(LoadBitmapResource(IDB_PIN_OFF));
        m_pin.m_bitmaps[1].Attach(LoadBitmapResource(IDB_PIN_ON));
        m_tools.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP);
        m_tools.LoadToolBar(IDR_TOOLS);
        m_tools.SetButtonStyle(1, m_tools.GetButtonStyle(1) | TBBS_CHECKED);
        m_tools.MoveWindow(10, 70, 120, 28);
        return CFlexSizeDialog::OnInitDialog();
    }

    CCoolCombo m_picker;
    CColourPicker m_colours;
    CColourComboBox m_combo;
    CDateTimePicker m_date;
    CBitmapSlider m_slider;
    CFlatButton m_flat;
    CTwoStateButton m_pin;
    CToolBarEx m_tools;
};

void settle()
{
    for (int i = 0; i < 20; ++i) {
        UiTestHook::PumpPending();
        QApplication::processEvents();
        QThread::msleep(25);
    }
}

bool shoot(CWnd& dialog, const std::string& path)
{
    settle();
    CRect r;
    dialog.GetWindowRect(&r);
    QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, r.left, r.top, r.Width(), r.Height());
    return !shot.isNull() && shot.save(QString::fromStdString(path), "PNG");
}

CRect rectOf(CWnd& dialog, UINT id)
{
    CRect r;
    dialog.GetDlgItem(id)->GetWindowRect(&r);
    dialog.ScreenToClient(&r);
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::string folder = argc > 1 ? argv[1] : ".";
    registerResources();
    CShowcaseDialog dialog;
    if (!dialog.Create(IDD_SHOWCASE)) {
        std::fprintf(stderr, "the dialog was not created\n");
        return 1;
    }
    dialog.SetWindowPos(nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const CRect okBefore = rectOf(dialog, IDOK), notesBefore = rectOf(dialog, IDC_NOTES);
    if (!shoot(dialog, folder + "/showcase-small.png"))
        return 2;
    CRect outer;
    dialog.GetWindowRect(&outer);
    dialog.SetWindowPos(nullptr, 0, 0, outer.Width() + 160, outer.Height() + 90, SWP_NOMOVE | SWP_NOZORDER);
    if (!shoot(dialog, folder + "/showcase-large.png"))
        return 2;
    const CRect okAfter = rectOf(dialog, IDOK), notesAfter = rectOf(dialog, IDC_NOTES);
    const bool followed = okAfter.TopLeft() == okBefore.TopLeft() + CSize(160, 90) &&
                          notesAfter.Size() == notesBefore.Size() + CSize(160, 90);
    std::printf("%s\n", followed ? "1 passed, 0 failed" : "0 passed, 1 failed");
    dialog.DestroyWindow();
    return followed ? 0 : 3;
}
