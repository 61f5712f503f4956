// The level meter: bands of LED segments lit from one end by a value, green, yellow and red by
// zone, with a peak that holds and then drops. A multimedia timer lets values and peaks fall
// back; it stops itself once everything rests and the next value starts it again. Values may
// come from any thread: the band records are locked, and other threads only post a redraw.
#pragma once

#include "platform/ui/Wnd.h"

#include <atomic>
#include <mutex>
#include <vector>

struct MeterCell;

class CPeakMeterWnd : public CWnd {
public:
    // Style bit: segments left to right, bands stacked top to bottom.
    static constexpr DWORD HorizontalStyle = 0x1;
    static constexpr UINT WM_METER_REDRAW = WM_USER + 0x2C1;

    struct Band {
        int value = 0;
        int peak = 0;
        int hold = 0;
        bool operator==(const Band&) const = default;
    };

    CPeakMeterWnd();
    ~CPeakMeterWnd() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetMeterBands(int bands, int segments);
    void SetGrid(BOOL grid);
    void SetPeakLines(BOOL peakLines);
    // Sets bands first .. first + count - 1 from values[first] on; bands that do not exist are
    // skipped.
    BOOL SetData(const int* values, int first, int count);
    BOOL Start(UINT interval);
    BOOL Stop();
    BOOL IsRunning() const { return m_timerId > 0; }
    virtual void OnTimerTick(UINT timerId);

    std::vector<Band> GetBands() const;
    // Draws the meter into a DC at the origin, as the window shows it.
    void Paint(CDC& dc, const CRect& client) const;

    COLORREF m_background;
    COLORREF m_low = RGB(0, 255, 0);
    COLORREF m_medium = RGB(255, 255, 0);
    COLORREF m_high = RGB(255, 0, 0);
    int m_mediumThreshold = 60;
    int m_highThreshold = 80;
    int m_maximum = 100;
    int m_holdTime = 10;

protected:
    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCT cs);
    void OnPaint();
    void OnDestroy();
    LRESULT OnRedraw(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    static void TimerProc(UINT timerId, UINT message, DWORD_PTR user, DWORD_PTR, DWORD_PTR);
    void ResizeBands();
    void PostRedraw();
    BOOL Decay();
    void FillBands();
    int SegmentsShown() const;
    int ZoneStart(int value, int segments) const;
    COLORREF ZoneColour(int segment, int segments) const;
    void PaintCell(CDC& dc, const MeterCell& at, int segment, int segments, int lit) const;
    void PaintPeakLine(CDC& dc, const CRect& band, int peak, int span) const;
    void PaintHorizontal(CDC& dc, const CRect& client, const std::vector<Band>& bands) const;
    void PaintVertical(CDC& dc, const CRect& client, const std::vector<Band>& bands) const;

    int m_bandCount = 8;
    int m_segmentCount = 8;
    BOOL m_grid = FALSE;
    BOOL m_peakLines = TRUE;
    std::atomic<UINT> m_timerId{0};
    UINT m_interval = 10;
    UINT m_period = 1;
    std::vector<Band> m_bands;
    mutable std::mutex m_bandMutex;
    // Held while the timer is started or stopped, never by the timer's own tick.
    std::mutex m_timerMutex;
    std::atomic<HWND> m_redrawTarget{nullptr};
};

// A colour with d taken from each of red, green and blue, stopping at 0.
COLORREF DarkenColour(COLORREF colour, int d);
