// Flicker-free drawing: everything drawn on this DC goes to a bitmap of the target's clip
// box and reaches the target in one copy when the DC is destroyed. Printer DCs are drawn on
// directly.
#pragma once

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

class COffscreenDC : public CDC {
public:
    explicit COffscreenDC(CDC* target);
    ~COffscreenDC() override;
    COffscreenDC(const COffscreenDC&) = delete;
    COffscreenDC& operator=(const COffscreenDC&) = delete;

    const CRect& GetArea() const { return m_area; }

private:
    CDC* m_target;
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CRect m_area;
    BOOL m_inUse;
};
