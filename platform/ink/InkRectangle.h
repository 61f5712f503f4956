// A rectangle handed to and from the ink objects.
#pragma once

#include "platform/core/Types.h"

class InkRectangle {
public:
    RECT GetData() const { return m_rect; }
    void SetData(const RECT& rect) { m_rect = rect; }
    LONG Left() const { return m_rect.left; }
    LONG Top() const { return m_rect.top; }
    LONG Right() const { return m_rect.right; }
    LONG Bottom() const { return m_rect.bottom; }

private:
    RECT m_rect{0, 0, 0, 0};
};
