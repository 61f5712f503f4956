// Device contexts: where drawing goes (a memory bitmap, a window, a printer page, a metafile)
// and the state it is drawn with.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/String.h"
#include "platform/gdi/GdiObject.h"

class CWnd;

class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    CDC() = default;
    ~CDC() override;

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    // A wrapper that does not own the handle; it lives as long as the DC.
    static CDC* FromHandle(HDC hDC);
    BOOL Attach(HDC hDC);
    HDC Detach();
    BOOL DeleteDC();
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL CreateDC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const void* initData);
    BOOL CreateIC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const void* initData);
    virtual BOOL IsPrinting() const { return m_bPrinting; }
    // The DC that answers measurements (text extents, device capabilities) when it differs.
    virtual void SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
    virtual void ReleaseAttribDC() { m_hAttribDC = nullptr; }

    int SaveDC();
    BOOL RestoreDC(int savedDC);
    int GetDeviceCaps(int index) const;

    // Objects
    CGdiObject* SelectStockObject(int index);
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* rgn);
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette();
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;
    CPalette* GetCurrentPalette() const;
    COLORREF GetNearestColor(COLORREF color) const;

    // Attributes
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    int SetROP2(int mode);
    int GetROP2() const;
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const;
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const;
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const;
    int SetArcDirection(int direction);
    int GetArcDirection() const;
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }
    CPoint GetBrushOrg() const;

    // Coordinates
    int SetMapMode(int mode);
    int GetMapMode() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint GetWindowOrg() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const;
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
    CSize GetWindowExt() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
    CSize GetViewportExt() const;
    CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
    CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;
    void LPtoDP(LPSIZE size) const;
    void DPtoLP(LPPOINT points, int count = 1) const;
    void DPtoLP(LPRECT rect) const;
    void DPtoLP(LPSIZE size) const;
    void HIMETRICtoDP(LPSIZE size) const;
    void DPtoHIMETRIC(LPSIZE size) const;
    void HIMETRICtoLP(LPSIZE size) const;
    void LPtoHIMETRIC(LPSIZE size) const;

    // Clipping (regions are in device units, rectangles in logical units)
    int GetClipBox(LPRECT rect) const;
    int SelectClipRgn(CRgn* rgn);
    int SelectClipRgn(CRgn* rgn, int mode);
    int ExtSelectClipRgn(HRGN rgn, int mode);
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT rect);
    int ExcludeClipRect(int x1, int y1, int x2, int y2);
    int ExcludeClipRect(LPCRECT rect);
    int OffsetClipRgn(int dx, int dy);
    BOOL PtVisible(int x, int y) const;
    BOOL RectVisible(LPCRECT rect) const;
    int GetClipRgn(HRGN rgn) const;

    // Lines and curves
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    CPoint GetCurrentPosition() const;
    BOOL Polyline(const POINT* points, int count);
    BOOL PolylineTo(const POINT* points, int count);
    BOOL PolyPolyline(const POINT* points, const DWORD* counts, int polylines);
    BOOL PolyBezier(const POINT* points, int count);
    BOOL PolyBezierTo(const POINT* points, int count);
    BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Arc(LPCRECT rect, POINT start, POINT end);
    BOOL ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

    // Filled shapes
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT rect);
    BOOL RoundRect(int x1, int y1, int x2, int y2, int width, int height);
    BOOL RoundRect(LPCRECT rect, POINT corner);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT rect);
    BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Chord(LPCRECT rect, POINT start, POINT end);
    BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Pie(LPCRECT rect, POINT start, POINT end);
    BOOL Polygon(const POINT* points, int count);
    BOOL PolyPolygon(const POINT* points, const INT* counts, int polygons);
    void FillRect(LPCRECT rect, CBrush* brush);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void InvertRect(LPCRECT rect);
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state);
    void DrawFocusRect(LPCRECT rect);
    void DrawDragRect(LPCRECT rect, SIZE size, LPCRECT lastRect, SIZE lastSize, CBrush* brush = nullptr,
                      CBrush* lastBrush = nullptr);
    BOOL FillRgn(CRgn* rgn, CBrush* brush);
    BOOL FrameRgn(CRgn* rgn, CBrush* brush, int width, int height);
    BOOL InvertRgn(CRgn* rgn);
    BOOL PaintRgn(CRgn* rgn);

    // Paths
    BOOL BeginPath();
    BOOL EndPath();
    BOOL AbortPath();
    BOOL CloseFigure();
    BOOL FillPath();
    BOOL StrokePath();
    BOOL StrokeAndFillPath();
    BOOL WidenPath();
    BOOL SelectClipPath(int mode);

    // Pixels and blits
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop);
    // Copies the source, scaled to the nearest pixel where the sizes differ, leaving the
    // destination alone where the source shows the colour `transparent`. FALSE, having drawn
    // nothing, on a recording, a monochrome bitmap or a mapping that scales or mirrors the
    // destination.
    BOOL TransparentBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                        int srcHeight, UINT transparent);
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(POINT point, COLORREF color) { return SetPixel(point.x, point.y, color); }
    BOOL SetPixelV(int x, int y, COLORREF color);
    BOOL SetPixelV(POINT point, COLORREF color) { return SetPixelV(point.x, point.y, color); }
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
    BOOL FloodFill(int x, int y, COLORREF color);
    BOOL ExtFloodFill(int x, int y, COLORREF color, UINT fillType);

    // Text (8-bit Windows-1252)
    BOOL TextOut(int x, int y, LPCTSTR text, int count);
    BOOL TextOut(int x, int y, const CString& text);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, const INT* dx);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const INT* dx);
    int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format);
    int DrawText(const CString& text, LPRECT rect, UINT format);
    CSize GetTextExtent(LPCTSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const;
    CSize GetOutputTextExtent(LPCTSTR text, int count) const;
    CSize GetOutputTextExtent(const CString& text) const;
    CSize GetTabbedTextExtent(LPCTSTR text, int count, int tabPositions, const INT* tabStops) const;
    BOOL GetTextMetrics(LPTEXTMETRIC metrics) const;
    BOOL GetOutputTextMetrics(LPTEXTMETRIC metrics) const;
    int GetTextFace(int count, LPTSTR faceName) const;
    BOOL GetCharWidth(UINT first, UINT last, LPINT widths) const;
    int SetTextCharacterExtra(int extra);
    int GetTextCharacterExtra() const;
    BOOL DrawState(POINT pt, SIZE size, LPCTSTR text, UINT flags, BOOL prefixText = TRUE, int count = 0,
                   HBRUSH brush = nullptr);
    BOOL DrawState(POINT pt, SIZE size, HBITMAP bitmap, UINT flags, HBRUSH brush = nullptr);
    // An icon as it is, or embossed in the scheme's highlight and shadow with DSS_DISABLED.
    BOOL DrawState(POINT pt, SIZE size, HICON icon, UINT flags, HBRUSH brush = nullptr);
    BOOL DrawIcon(int x, int y, HICON icon);
    BOOL DrawIcon(POINT point, HICON icon) { return DrawIcon(point.x, point.y, icon); }

    // Printing
    int StartDoc(LPCTSTR docName);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();

private:
    bool m_owned = false;
};

// The window layer says where a window's pixels are; without it window DCs draw nowhere.
struct WindowDcHooks {
    HDC (*acquire)(CWnd* wnd, int kind, RECT* paintRect) = nullptr;  // kind: 0 client, 1 window, 2 paint
    void (*release)(CWnd* wnd, HDC hdc, int kind) = nullptr;
};
void SetWindowDcHooks(const WindowDcHooks& hooks);

class CWindowAreaDC : public CDC {
    DECLARE_DYNAMIC(CWindowAreaDC)
public:
    ~CWindowAreaDC() override;

protected:
    CWindowAreaDC(CWnd* wnd, int kind);
    CWnd* m_pWnd;
    int m_kind;
    RECT m_paintRect{0, 0, 0, 0};
};

class CClientDC : public CWindowAreaDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* wnd) : CWindowAreaDC(wnd, 0) {}
};

class CWindowDC : public CWindowAreaDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* wnd) : CWindowAreaDC(wnd, 1) {}
};

class CPaintDC : public CWindowAreaDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* wnd) : CWindowAreaDC(wnd, 2) {}
    RECT PaintRect() const { return m_paintRect; }
};

// Plain-handle forms.
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ hObject);
int GetDeviceCaps(HDC hdc, int index);
BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop);
BOOL BitBlt(HDC hdc, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop);
BOOL StretchBlt(HDC hdc, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth,
                int srcHeight, DWORD rop);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF SetBkColor(HDC hdc, COLORREF color);
int SetBkMode(HDC hdc, int mode);
int SetStretchBltMode(HDC hdc, int mode);
int FillRect(HDC hdc, LPCRECT rect, HBRUSH brush);
HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL forceBackground);
UINT RealizePalette(HDC hdc);
HRGN PathToRegion(HDC hdc);
