// The drawing surface of the bitmap and icon editors: one canvas shown at a zoom factor
// inside scroll bars, sixteen tools, up to five undo copies, the clipboard, and four
// registered notifications to the parent.
#pragma once

#include "controls/ColourTableEntry.h"
#include "imaging/DIBSection.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/Wnd.h"

#include <list>
#include <memory>

class CDib;
class CCmdUI;
class CPntTracker;

// The 16 colours the editors offer for small palettes, COLORREF order (blue in the high byte).
extern const ColourTableEntry g_PaintColours[16];

// The text input bar of the text tool, filled in by the editor layer.
class CPntTextInput {
public:
    virtual ~CPntTextInput() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual BOOL IsShown() const = 0;
    virtual void ClearText() = 0;
    virtual void FocusEdit() = 0;
    virtual HWND GetEditWindow() const = 0;
    virtual void Copy() = 0;
    virtual void Cut() = 0;
    virtual void Paste() = 0;
    virtual BOOL CanPaste() const = 0;
};

class CPntCtrl : public CWnd {
    DECLARE_DYNCREATE(CPntCtrl)
    friend class CPntTracker;

public:
    enum Mode : int {
        ModeNone = 0, ModeSelect = 1, ModePasted = 2, ModeZoom = 3, ModeFill = 4, ModePencil = 5, ModeEraser = 6,
        ModeSampler = 7, ModeLine = 8, ModeText = 9, ModeAirbrush = 10, ModeRect = 11, ModeRoundRect = 12,
        ModeEllipse = 13, ModeFilledRect = 14, ModeFilledRoundRect = 15, ModeFilledEllipse = 16
    };
    static constexpr COLORREF NoColour = 0xFFFFFFFF;
    static constexpr COLORREF PaletteWhite = 0x02FFFFFF;
    static constexpr UINT FirstCursorId = 28145;
    static constexpr const char* ClassName = "MFCPaintCtrl";

    CPntCtrl();
    ~CPntCtrl() override;

    // Registered notification codes, sent as WM_NOTIFY to the owner (else the parent).
    static UINT ImageChangedCode();
    static UINT ZoomChangedCode();
    static UINT ColourSampledCode();
    static UINT ModeChangedCode();

    BOOL SetImage(const CDib* dib);
    BOOL GetImage(CDib* dib);
    BOOL CreateImage(int width, int height, int planes, int bitCount);
    BOOL NewImage(int width, int height, int bitCount);
    BOOL Resize();
    void Refresh();
    CDIBSection& GetCanvas() { return m_Image; }
    BOOL HasImage() const { return m_Image.GetSafeHandle() != nullptr; }

    HBITMAP GetMaskBitmap();
    BOOL GetMask(CDib* dib);
    int ApplyMask(HBITMAP mask);
    int ApplyMask(const CDib* mask);

    void SetMode(int mode);
    int GetMode() const { return m_nMode; }
    void SetForegroundColour(COLORREF colour);
    COLORREF GetForegroundColour() const { return m_crForeground; }
    COLORREF GetFillColour() const { return m_crFill; }
    void SetFillColour(COLORREF colour) { m_crFill = colour; }
    void SetTransparencyColour(COLORREF colour);
    COLORREF GetTransparencyColour() const { return m_crTransparent; }
    void EnableTransparency(BOOL on);
    BOOL IsTransparencyOn() const { return m_bTransparencyOn; }
    void ShowSelection(BOOL show);
    BOOL IsSelectionShown() const { return m_bSelectionShown; }
    const CRect& GetSelection() const { return m_rcSelection; }
    void SetSelectionRect(const CRect& rect, BOOL live);
    void ResetSelection();

    void SetTextFormat(UINT flags);
    UINT GetTextFormat() const { return m_nTextFormat; }
    void SetTextFont(CFont* font);
    void GetTextLogFont(LOGFONT* font) const;
    void SetText(const char* text);
    void SetText(const CString& text);
    const CString& GetText() const { return m_strText; }
    // The text bar the text tool shows; the control owns it.
    void SetTextInput(std::unique_ptr<CPntTextInput> input);
    CPntTextInput* GetTextInput() const { return m_TextBar.get(); }

    void SetZoomPercent(int percent);
    int GetZoomPercent() const { return static_cast<int>(m_dZoom * 100); }
    int GetNextZoomStep(int percent, BOOL up) const;
    void FitToWindow();
    void EnableCentring(BOOL on);
    void SetGrid(BOOL on, int minimumZoomPercent);

    virtual void PushUndo();
    void Undo();
    void Redo();
    BOOL CanUndo() const;
    BOOL CanRedo() const;
    void ClearUndo();
    void SetModified(BOOL modified);

    BOOL Cut();
    BOOL Copy();
    BOOL Paste();
    BOOL CanCopy() const;
    BOOL CanPaste() const;
    BOOL EraseArea(const CRect* rect, BOOL withUndo);
    BOOL IsMovingPiece() const { return m_bDragging; }

    // Client pixels of an image point, and the image pixel under a client point.
    CPoint ImageToClient(CPoint point) const;
    CPoint ClientToImage(CPoint point) const;
    CRect ImageToClient(const CRect& rect) const;
    CSize GetDisplayedSize() const;

    int m_nEraserWidth = 4;
    int m_nLineWidth = 1;

protected:
    virtual void LoadCursors();
    virtual CString GetModeDescription(int mode) const;
    virtual void SetStatusText(const CString& text);
    virtual void RestoreIdleStatus();
    virtual void DrawGrid(CDC* dc);
    virtual void NotifyImageChanged();
    virtual void NotifyZoomChanged();
    virtual void NotifyColourSampled();

    void OnSize(UINT type, int cx, int cy);
    void OnDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnSetFocus(CWnd* old);
    UINT OnGetDlgCode();
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnTimer(UINT_PTR id);
    void OnEditUndo() { Undo(); }
    void OnEditRedo() { Redo(); }
    void OnEditCopy() { Copy(); }
    void OnEditCut() { Cut(); }
    void OnEditPaste() { Paste(); }
    void OnUpdateEditUndo(CCmdUI* ui);
    void OnUpdateEditRedo(CCmdUI* ui);
    void OnUpdateEditCopy(CCmdUI* ui);
    void OnUpdateEditPaste(CCmdUI* ui);

    DECLARE_MESSAGE_MAP()

private:
    using UndoList = std::list<std::unique_ptr<CDIBSection>>;

    void Notify(UINT code);
    void UpdateScrollRanges();
    void ScrollBy(int bar, UINT code, UINT pos);
    void UpdateOrigin();
    CSize ClientSizeWithoutBars() const;
    void ZoomStep(BOOL up);
    void PaintImage(CDC* dc);
    void RedrawNow(BOOL erase = FALSE);
    void RestoreCanvas(const CDIBSection& copy);
    void UndoStep(BOOL keepSelection);

    BOOL Stroke(int x1, int y1, int x2, int y2);
    void Spray(CPoint point);
    BOOL TakeDragBackup();
    BOOL RestoreFromBackup(BOOL free);
    void EndDragOnButtonUp(CPoint point);
    void StartTool(CPoint imagePoint, CPoint client);
    void TrackSelectionAt(CPoint client);
    void CancelDrag();

    BOOL TrackSelection(CPntTracker& tracker);
    BOOL MovePiece(CPntTracker& tracker);
    BOOL LiftPiece(const CRect& rect);
    BOOL PlaceText(CPntTracker& tracker);
    void DrawPieceAt(const CRect& rect);
    BOOL DrawTextAt(const CRect& rect);
    void ClearTextBar();
    BOOL TextBarShown() const { return m_TextBar && m_TextBar->IsShown(); }
    COLORREF EraseColour() const { return m_crTransparent == NoColour ? PaletteWhite : m_crTransparent; }
    BOOL DrawsTransparent() const { return m_bTransparencyOn && m_crTransparent != NoColour; }
    CRect WholeImage() const { return CRect(0, 0, m_Image.GetWidth(), m_Image.GetHeight()); }

    CDIBSection m_Image;
    UndoList m_UndoList;
    std::unique_ptr<CDIBSection> m_pDragBackup;
    CDIBSection m_Piece;
    int m_VScrollMax = 0;
    int m_HScrollMax = 0;
    BOOL m_bDragging = FALSE;
    int m_nMode = ModeNone;
    int m_nPrevMode = ModeNone;
    COLORREF m_crForeground = 0;
    COLORREF m_crFill = 0;
    COLORREF m_crTransparent = NoColour;
    BOOL m_bSelectionShown = FALSE;
    BOOL m_bSavedSelectionShown = FALSE;
    BOOL m_bTransparencyOn = FALSE;
    CPoint m_ptOrigin{5, 5};
    CSize m_sizeMargin{5, 5};
    int m_nUndoLimit = 5;
    CPoint m_ptStart;
    CPoint m_ptLast;
    BOOL m_bCancelled = FALSE;
    BOOL m_bButtonDown = FALSE;
    CString m_strText;
    UINT m_nTextFormat = 0x810;
    CFont m_Font;
    HCURSOR m_Cursors[7] = {};
    BOOL m_bGridOn = TRUE;
    int m_nGridMinZoom = 600;
    BOOL m_bGridWholeSteps = TRUE;
    BOOL m_bPasteTakePalette = TRUE;
    BOOL m_bCentre = FALSE;
    BOOL m_bTextActive = FALSE;
    CRect m_rcPieceSource;
    BOOL m_bCutOnMove = FALSE;
    UINT_PTR m_nAirbrushTimer = 1;
    UINT m_nAirbrushPeriod = 1;
    int m_nAirbrushSpread = 4;
    int m_nAirbrushDots = 10;
    std::unique_ptr<CPntTextInput> m_TextBar;
    CString m_strCropQuestion = "Clipboard image is larger than the\nSelection area. Crop to selection area?";
    // The node shown after undo steps; end() when none was taken since the last change.
    UndoList::iterator m_pUndoPos;
    double m_dZoom = 1.0;
    CRect m_rcSelection;
    CBitmap m_Mask;
};
