// The ruler window: a scale in inches or centimetres that follows the view's scroll position
// and zoom, with an inverted band that shows the extent of the object being tracked.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/ui/Static.h"

class CRulerWnd : public CStatic {
public:
    static constexpr int Inches = 100;
    static constexpr int Centimetres = 254;
    static constexpr UINT FontTextId = 26646;
    // Below this many pixels per unit the scale shows every fifth unit only.
    static constexpr int MinimumUnitPixels = 14;
    // Page units per inch.
    static constexpr int PageUnitsPerInch = 96;
    // Where the page starts in the ruler: past the vertical ruler and the sunken edge.
    static constexpr int HorizontalLead = 18;
    static constexpr int VerticalLead = 2;

    CRulerWnd() = default;

    void Initialise(CWnd* owner, BOOL horizontal);
    void DrawScale(CDC* dc, const CRect& rect);
    void SetIndicator(int position, int length);
    void HideIndicator();
    // The page position at the view's client origin, in page units.
    void SetOrigin(int position);
    void SetScale(int pixelsPerInch);
    void SetUnits(int units);
    int GetUnits() const { return m_units; }
    void SetZoomSwitch(BOOL on, double zoom);
    BOOL GetZoomSwitch() const { return m_zoomSwitch; }
    // Pixels per unit and per subdivision of the scale as drawn.
    double GetUnitPixels() const;
    int GetLead() const { return m_horizontal ? HorizontalLead : VerticalLead; }

    void OnPaint();

    BOOL m_horizontal = TRUE;
    int m_origin = 0;
    int m_reserved = 0;
    int m_scale = 100;
    int m_units = Inches;
    BOOL m_indicatorPending = FALSE;
    BOOL m_indicatorShown = FALSE;
    BOOL m_hideRequested = FALSE;
    CRect m_indicator;
    CRect m_previousIndicator;
    double m_zoomFactor = 100.0;
    BOOL m_zoomSwitch = FALSE;
    CFont m_font;

protected:
    void DrawTick(CDC* dc, const CRect& rect, int position, BOOL longTick);
    void DrawLabel(CDC* dc, const CRect& rect, int position, const CString& label);
    void InvertBands(CDC* dc);

    DECLARE_MESSAGE_MAP()
};
