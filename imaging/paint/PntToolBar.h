// The paint editors' tool bar: tools, editing commands and four embedded pickers (eraser
// width, line width, foreground and transparency colour) serving one paint control.
#pragma once

#include "controls/ColourPicker.h"
#include "controls/CoolCombo.h"
#include "controls/ToolBarEx.h"
#include "platform/ui/ToolTipCtrl.h"

#include <array>

class CPntCtrl;

class CPntToolBar : public CToolBarEx {
public:
    static constexpr UINT FirstCommand = 52768;
    static constexpr UINT LastCommand = 52797;
    static constexpr UINT BitmapId = 28133;
    static constexpr UINT LineImagesId = 28131;
    static constexpr UINT EraserImagesId = 28132;
    static constexpr int ButtonCount = 29;
    // The layout mode bit asking for a horizontal bar.
    static constexpr DWORD LayoutHorizontal = 0x02;

    struct Button {
        UINT id;
        char name[80];
    };
    static const std::array<Button, ButtonCount> Buttons;
    static const std::array<int, 4> EraserWidths;
    static const std::array<int, 5> LineWidths;
    // Row counts at which the bar, floating or docked upright, needs one more button height.
    static const std::array<int, 4> RowTable;

    BOOL Create(CWnd* parent, CPntCtrl* ctrl, UINT bitmapId, DWORD style);
    // Enables and checks the buttons and sets the pickers from the control's state.
    void UpdateButtons();
    void SetControlImages(UINT lineBitmap, int lineImageWidth, UINT eraserBitmap, int eraserImageWidth);
    CCoolCombo& GetEraserPicker() { return m_EraserWidth; }
    CCoolCombo& GetLinePicker() { return m_LineWidth; }
    CColourPicker& GetForegroundPicker() { return m_Foreground; }
    CColourPicker& GetTransparencyPicker() { return m_Transparency; }
    // Each button and picker tells its name when the mouse rests on it.
    const CToolTipCtrl& GetToolTips() const { return m_tips; }
    BOOL PreTranslateMessage(MSG* msg) override;
    // Wraps the buttons into as many rows as a bar this wide needs; returns the row count.
    int WrapToWidth(int width);
    int GetRows() const { return m_nRows; }
    CSize CalcDynamicLayout(int length, DWORD mode) override;

    BOOL m_bNoViewButtons = FALSE;
    BOOL m_bSixteenColours = FALSE;

protected:
    void OnCommandRange(UINT id);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnSize(UINT type, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateControls(UINT bitmapId);
    void AddToolTips();
    void UpdateColourTables();
    void UpdateButton(int index, bool enabled, bool checked);
    // Pickers and tips follow their slots after the buttons moved.
    void PlaceControls();

    CCoolCombo m_EraserWidth;
    CCoolCombo m_LineWidth;
    CColourPicker m_Foreground;
    CColourPicker m_Transparency;
    CToolTipCtrl m_tips;
    CPntCtrl* m_pCtrl = nullptr;
    int m_nColours = 0;
    int m_nRows = 1;
};
