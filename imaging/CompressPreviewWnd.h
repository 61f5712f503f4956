// A child window that shows a picture as it looks after JPEG compression at a chosen quality.
#pragma once

#include "imaging/OXDib.h"
#include "platform/ui/Wnd.h"

class CCompressPreviewWnd : public CWnd {
public:
    void SetPicture(COXDIB picture);
    void SetZoom(int zoom);
    // Size of the JPEG file in KB; the compressed picture becomes the one shown.
    int RenderPreview(int quality);

    // Where a picture of that size goes in the client area: as large as fits, aspect kept, centred.
    static CRect FitRect(CSize picture, const CRect& client);
    // The central part of the picture that a zoom shows: zoom times less area.
    static CRect ZoomSource(CSize picture, int zoom);

    const COXDIB& GetResult() const { return m_result; }
    int GetQuality() const { return m_quality; }
    int GetZoom() const { return m_zoom; }

    void OnPaint();

protected:
    DECLARE_MESSAGE_MAP()

private:
    void CompressInto(const char* path, int& sizeKb);

    COXDIB m_result;
    COXDIB m_source;
    int m_quality = 100;
    int m_zoom = 1;
};
