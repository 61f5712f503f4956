// The popup of a drop-down picker: a grid of image cells, an optional extra entry above it,
// optional text entries below it and an optional tear-off bar. It reports every event to
// its button with NMCOOLCOMBO records and deletes itself when its window is gone.
#pragma once

#include "controls/CoolComboNotify.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/ToolTipCtrl.h"

#include <vector>

class CImageList;

// TRUE when target's update handler for command leaves it enabled; FALSE without a handler.
BOOL IsCommandEnabled(CWnd* target, UINT command);

class CCoolComboPopup : public CWnd {
    DECLARE_DYNCREATE(CCoolComboPopup)
public:
    // What a popup shows; the pointers may be null.
    struct Content {
        int count = 0;
        int selected = CC_NONE;
        int columns = 8;
        BOOL tearOff = FALSE;
        LPCTSTR extraText = nullptr;
        const CStringArray* textEntries = nullptr;
        CImageList* images = nullptr;
        const CStringArray* tips = nullptr;
        LPCTSTR title = nullptr;
        const DWORD* commands = nullptr;
        int commandCount = 0;
        BOOL clamp = TRUE;
    };

    CCoolComboPopup() = default;

    virtual void Init();
    virtual BOOL Create(CPoint at, CWnd* button, UINT id, const Content& content);
    virtual void OnOpened();
    virtual void OnClosed();
    virtual void OnChooseExtra();
    virtual void OnChooseTextEntry(int entry);
    virtual void OnChooseItem(int index);
    virtual void OnCancel();
    virtual void OnHotChanged(int hot);
    virtual CSize GetCellSize();
    virtual void DrawCellContent(CDC& dc, int index, const CRect& rect, BOOL enabled);

    BOOL PreTranslateMessage(MSG* msg) override;
    void PostNcDestroy() override;

    void SetSelected(int value);
    int GetSelected() const { return m_selected; }
    int GetHot() const { return m_hot; }
    BOOL IsFloating() const { return m_floating; }
    CRect GetCellRect(int value) const;
    // The value a point lies on: -2 extra, 1000 + k text entry, a cell, or -1.
    int HitTest(CPoint point) const;
    // The hot value after a navigation key; other keys leave it.
    static int NextHot(int hot, UINT key, int count, int columns, int textCount, bool hasExtra);
    BOOL IsCellEnabled(int index) const;
    DWORD CommandOf(int index) const;
    // The menu label of a command cell (after the first newline of its string).
    CString GetLabel(int index) const;

    // Ends the popup: with the hot value chosen, or cancelled.
    void End(bool choose);
    void TearOff();

protected:
    void OnPaint();
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    void OnKillFocus(CWnd* next);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

    void Notify(UINT code, DWORD value);
    BOOL CreateWindowAt(const CRect& rect, DWORD style, DWORD exStyle);
    void Layout(CPoint at);
    void AddToolTips();
    void SetHot(int hot);
    void BuildLabels();
    CSize ImageSize() const;
    bool HasLabels() const;
    void ShowStatusPrompt(int hot);
    void DrawLabel(CDC& dc, const CString& label, CRect rect, BOOL enabled);
    void DrawEntry(CDC& dc, const CRect& rect, int value, bool enabled);
    void DrawTextEntry(CDC& dc, const CRect& rect, const CString& text);
    bool ValidValue(int value) const;

    int m_count = 0, m_columns = 8, m_rows = 0;
    CSize m_cell{18, 18};
    int m_edgeX = 2, m_edgeY = 2;
    int m_hot = CC_NONE, m_selected = CC_NONE;
    BOOL m_tearOff = FALSE, m_tearOffArmed = FALSE;
    CString m_extraText;
    CStringArray m_textEntries, m_tips;
    CRect m_tearOffRect, m_extraRect, m_gridRect, m_separatorRect, m_textRect, m_windowRect;
    CFont m_font;
    CToolTipCtrl m_toolTip;
    CWnd* m_button = nullptr;
    CImageList* m_images = nullptr;
    UINT m_id = 1;
    BOOL m_keep = FALSE, m_ended = FALSE, m_floating = FALSE, m_clamp = TRUE;
    BOOL m_ignoreFocusLoss = FALSE; // while a dialog of the popup is open
    CString m_title;
    std::vector<DWORD> m_commands;
    CStringArray m_labels, m_prompts;
    int m_textRowHeight = 16;

public:
    BOOL m_showLabels = TRUE;
    BOOL m_statusPrompts = TRUE;
    int m_labelGap = 4;
};
