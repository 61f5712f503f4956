#include "shell/audio/PeakMeterWnd.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"
#include "platform/media/MmTimer.h"

#include <algorithm>
#include <utility>

BEGIN_MESSAGE_MAP(CPeakMeterWnd, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_DESTROY()
ON_MESSAGE(CPeakMeterWnd::WM_METER_REDRAW, OnRedraw)
END_MESSAGE_MAP()

COLORREF DarkenColour(COLORREF colour, int d)
{
    auto down = [d](int c) { return std::max(c - d, 0); };
    return RGB(down(GetRValue(colour)), down(GetGValue(colour)), down(GetBValue(colour)));
}

CPeakMeterWnd::CPeakMeterWnd() : m_background(GetSysColor(COLOR_BTNFACE))
{
    TIMECAPS caps{};
    if (timeGetDevCaps(&caps, sizeof caps) == TIMERR_NOERROR)
        m_period = caps.wPeriodMin;
    timeBeginPeriod(m_period);
}

CPeakMeterWnd::~CPeakMeterWnd()
{
    Stop();
    timeEndPeriod(m_period);
}

BOOL CPeakMeterWnd::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(AfxRegisterWndClass(0), nullptr, style | WS_CHILD, rect, parent, id);
}

void CPeakMeterWnd::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    m_redrawTarget = m_hWnd;
    ResizeBands();
}

int CPeakMeterWnd::OnCreate(LPCREATESTRUCT cs)
{
    return CWnd::OnCreate(cs) == -1 ? -1 : 0;
}

void CPeakMeterWnd::OnDestroy()
{
    Stop();
    m_redrawTarget = nullptr;
    {
        std::lock_guard lock(m_bandMutex);
        m_bands.clear();
    }
    CWnd::OnDestroy();
}

void CPeakMeterWnd::SetMeterBands(int bands, int segments)
{
    if (!bands || !segments)
        return;
    std::lock_guard lock(m_bandMutex);
    m_bandCount = bands;
    m_segmentCount = segments;
    FillBands();
}

void CPeakMeterWnd::ResizeBands()
{
    std::lock_guard lock(m_bandMutex);
    FillBands();
}

void CPeakMeterWnd::FillBands()
{
    m_bands.assign(size_t(std::max(m_bandCount, 0)), Band{m_maximum, m_maximum, m_holdTime});
}

void CPeakMeterWnd::SetGrid(BOOL grid)
{
    if (std::exchange(m_grid, grid) != grid)
        PostRedraw();
}

void CPeakMeterWnd::SetPeakLines(BOOL peakLines)
{
    if (std::exchange(m_peakLines, peakLines) != peakLines)
        PostRedraw();
}

BOOL CPeakMeterWnd::SetData(const int* values, int first, int count)
{
    if (first < 0 || !values)
        return FALSE;
    std::lock_guard timerLock(m_timerMutex);
    BOOL ran = Stop();
    {
        std::lock_guard lock(m_bandMutex);
        int last = std::min(first + count, int(m_bands.size()));
        for (int i = first; i < last; ++i) {
            Band& band = m_bands[size_t(i)];
            band.value = values[i];
            if (band.peak < band.value)
                band.peak = band.value, band.hold = m_holdTime;
        }
    }
    if (ran)
        Start(m_interval);
    else
        PostRedraw();
    return TRUE;
}

BOOL CPeakMeterWnd::Start(UINT interval)
{
    if (!IsRunning()) {
        m_timerId = timeSetEvent(interval, 0, &TimerProc, DWORD_PTR(this), TIME_PERIODIC);
        m_interval = interval;
    }
    return IsRunning();
}

BOOL CPeakMeterWnd::Stop()
{
    UINT id = m_timerId.exchange(0);
    if (!id)
        return FALSE;
    timeKillEvent(id);
    return TRUE;
}

void CPeakMeterWnd::TimerProc(UINT timerId, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR)
{
    reinterpret_cast<CPeakMeterWnd*>(user)->OnTimerTick(timerId);
}

// Its id stays stored when the tick kills its own timer, so the next SetData restarts it.
void CPeakMeterWnd::OnTimerTick(UINT timerId)
{
    PostRedraw();
    if (!Decay())
        timeKillEvent(timerId);
}

BOOL CPeakMeterWnd::Decay()
{
    std::lock_guard lock(m_bandMutex);
    int step = m_segmentCount ? m_maximum / m_segmentCount : 0;
    int fall = m_segmentCount < 2 ? m_maximum * 10 / 100 : step;
    int peakFall = m_segmentCount < 2 ? 5 : step / 2;
    BOOL changed = FALSE;
    for (Band& band : m_bands) {
        Band before = band;
        if (band.value > 0)
            band.value = std::max(band.value - fall, 0);
        if (band.hold > 0)
            --band.hold;
        if (band.hold == 0 && band.peak >= 1)
            band.peak = std::max(band.peak - peakFall, 0);
        changed |= !(band == before);
    }
    return changed;
}

std::vector<CPeakMeterWnd::Band> CPeakMeterWnd::GetBands() const
{
    std::lock_guard lock(m_bandMutex);
    return m_bands;
}

void CPeakMeterWnd::PostRedraw()
{
    if (HWND target = m_redrawTarget)
        ::PostMessage(target, WM_METER_REDRAW, 0, 0);
}

LRESULT CPeakMeterWnd::OnRedraw(WPARAM, LPARAM)
{
    Invalidate(TRUE);
    return 0;
}

void CPeakMeterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&bitmap);
    Paint(memory, client);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

int CPeakMeterWnd::SegmentsShown() const
{
    return m_segmentCount < 2 ? m_maximum * 10 / 100 : m_segmentCount;
}

COLORREF CPeakMeterWnd::ZoneColour(int segment, int segments) const
{
    int medium = ZoneStart(m_mediumThreshold, segments), high = ZoneStart(m_highThreshold, segments);
    if (segment < medium)
        return m_low;
    return segment < high ? m_medium : m_high;
}

void CPeakMeterWnd::Paint(CDC& dc, const CRect& client) const
{
    dc.FillSolidRect(&client, m_background);
    CPen tickPen;
    tickPen.CreatePen(PS_SOLID, 1, DarkenColour(m_background, 15));
    CPen* old = dc.SelectObject(&tickPen);
    std::vector<Band> bands = GetBands();
    if (GetStyle() & HorizontalStyle)
        PaintHorizontal(dc, client, bands);
    else
        PaintVertical(dc, client, bands);
    dc.SelectObject(old);
}

// The colour of one cell, and its zone tick under it when the grid is on.
struct MeterCell {
    CRect cell;
    CPoint tickFrom, tickTo;
};

void CPeakMeterWnd::PaintCell(CDC& dc, const MeterCell& at, int segment, int segments, int lit) const
{
    int medium = ZoneStart(m_mediumThreshold, segments);
    COLORREF colour = m_grid ? DarkenColour(m_background, 15) : m_background;
    if (m_grid && (segment == medium || segment == segments - 1)) {
        dc.MoveTo(at.tickFrom);
        dc.LineTo(at.tickTo);
    }
    if (segment < lit)
        colour = ZoneColour(segment, segments);
    dc.FillSolidRect(&at.cell, colour);
}

// The segment at which a value in value units lies.
int CPeakMeterWnd::ZoneStart(int value, int segments) const
{
    return m_maximum ? value * segments / m_maximum : 0;
}

void CPeakMeterWnd::PaintHorizontal(CDC& dc, const CRect& client, const std::vector<Band>& bands) const
{
    int segments = SegmentsShown(), count = int(bands.size());
    if (segments <= 0 || count <= 0)
        return;
    int width = client.Width() / segments, height = client.Height() / count;
    int gapX = segments > 1 ? 1 : 0, gapY = count > 1 ? 1 : 0;
    int top = client.bottom - height * count;
    for (int b = 0; b < count; ++b) {
        int y = top + b * height, lit = ZoneStart(bands[size_t(b)].value, segments);
        for (int j = 0; j < segments; ++j) {
            int x = client.left + j * width;
            MeterCell at{CRect(x + gapX, y + gapY, x + width, y + height - gapY), CPoint(x + width / 2, y),
                         CPoint(x + width / 2, y + height)};
            PaintCell(dc, at, j, segments, lit);
        }
    }
}

void CPeakMeterWnd::PaintVertical(CDC& dc, const CRect& client, const std::vector<Band>& bands) const
{
    int segments = SegmentsShown(), count = int(bands.size());
    if (segments <= 0 || count <= 0)
        return;
    int width = client.Width() / count, height = client.Height() / segments;
    int gapX = count > 1 ? 1 : 0, gapY = segments > 1 ? 1 : 0;
    for (int b = 0; b < count; ++b) {
        int x = client.left + b * width, lit = ZoneStart(bands[size_t(b)].value, segments);
        for (int j = 0; j < segments; ++j) {
            int y = client.bottom - (j + 1) * height;
            MeterCell at{CRect(x + gapX, y + gapY, x + width - gapX, y + height), CPoint(x, y + height / 2),
                         CPoint(x + width, y + height / 2)};
            PaintCell(dc, at, j, segments, lit);
        }
        if (m_peakLines)
            PaintPeakLine(dc, CRect(x + gapX, client.top, x + width - gapX, client.bottom), bands[size_t(b)].peak,
                          height * segments);
    }
}

void CPeakMeterWnd::PaintPeakLine(CDC& dc, const CRect& band, int peak, int span) const
{
    if (!m_maximum)
        return;
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, DarkenColour(m_background, 60));
    CPen* old = dc.SelectObject(&pen);
    int y = band.bottom - peak * span / m_maximum;
    dc.MoveTo(band.left, y);
    dc.LineTo(band.right, y);
    dc.SelectObject(old);
}
