// Drawing a picture on a DC's own pixels: the page points given are taken to the pixels where
// the DC shows them, and the DC draws 1:1 in pixels while this lives. A printer keeps its
// mapping of page units.
#pragma once

#include "platform/gdi/Dc.h"
#include "platform/ui/RectTracker.h"

#include <optional>

class CPagePixels {
public:
    CPagePixels(CDC* dc, POINT* points, int count)
    {
        if (dc->IsPrinting())
            return;
        dc->LPtoDP(points, count);
        m_scope.emplace(dc, nullptr);
    }
    CPagePixels(CDC* dc, CRect* rect) : CPagePixels(dc, reinterpret_cast<POINT*>(&rect->left), 2) {}

private:
    std::optional<CDevicePixelScope> m_scope;
};
