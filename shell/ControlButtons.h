// Buttons of the drawing drop-downs that show a preview of what they set instead of an icon:
// a line width, a dash style, arrow heads. Without a value they are plain caption buttons.
#pragma once

#include "platform/toolkit/XTPControl.h"

class CControlButtonLine : public CXTPControlButton {
    DECLARE_DYNCREATE(CControlButtonLine)
public:
    // -1.0 stands for no line.
    explicit CControlButtonLine(double width = -1.0) : m_width(width) {}
    double GetWidth() const { return m_width; }
    CSize GetSize(CDC* dc) override;
    void Draw(CDC* dc) override;
    void Copy(const CXTPControl* source) override;

private:
    double m_width;
};

class CControlButtonStyle : public CXTPControlButton {
    DECLARE_DYNCREATE(CControlButtonStyle)
public:
    // The command id of a dash style (27169 solid .. 27173 dash-dot-dot).
    explicit CControlButtonStyle(int style = 0) : m_style(style) {}
    int GetValue() const { return m_style; }
    CSize GetSize(CDC*) override { return CSize(110, 16); }
    void Draw(CDC* dc) override;
    void Copy(const CXTPControl* source) override;

private:
    int m_style;
};

class CControlButtonArrow : public CXTPControlButton {
    DECLARE_DYNCREATE(CControlButtonArrow)
public:
    // 0 none, 27187 head at the start, 27188 at the end, 27189 at both ends.
    explicit CControlButtonArrow(int arrow = 0) : m_arrow(arrow) {}
    int GetValue() const { return m_arrow; }
    CSize GetSize(CDC* dc) override;
    void Draw(CDC* dc) override;
    void Copy(const CXTPControl* source) override;

private:
    int m_arrow;
};
