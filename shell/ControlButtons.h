// Buttons of the drawing drop-downs that show a preview of what they set instead of an icon:
// a line width, a dash style, arrow heads, a named pen. Without a value they are plain
// caption buttons.
#pragma once

#include "platform/toolkit/XTPControl.h"

class CArchive;

class CControlButtonLine : public CXTPControlButton {
    DECLARE_DYNCREATE(CControlButtonLine)
public:
    // -1.0 stands for no line.
    explicit CControlButtonLine(double width = -1.0) : m_width(width) {}
    // A button with no line, made for a command id and a parameter (as the bar state reads it).
    static CControlButtonLine* CreateControl(UINT id, DWORD_PTR parameter);
    double GetWidth() const { return m_width; }
    CSize GetSize(CDC* dc) override;
    void Draw(CDC* dc) override;
    void Copy(const CXTPControl* source) override;
    // The width as the 8 bytes of a double.
    void Serialize(CArchive& ar) override;

private:
    double m_width;
};

class CControlButtonStyle : public CXTPControlButton {
    DECLARE_DYNCREATE(CControlButtonStyle)
public:
    // The command id of a dash style (27169 solid .. 27173 dash-dot-dot).
    explicit CControlButtonStyle(int style = 0) : m_style(style) {}
    static CControlButtonStyle* CreateControl(UINT id, DWORD_PTR parameter);
    int GetValue() const { return m_style; }
    CSize GetSize(CDC*) override { return CSize(110, 16); }
    void Draw(CDC* dc) override;
    void Copy(const CXTPControl* source) override;
    // The style as a 32-bit value.
    void Serialize(CArchive& ar) override;

private:
    int m_style;
};

class CControlButtonArrow : public CXTPControlButton {
    DECLARE_DYNCREATE(CControlButtonArrow)
public:
    // 0 none, 27187 head at the start, 27188 at the end, 27189 at both ends.
    explicit CControlButtonArrow(int arrow = 0) : m_arrow(arrow) {}
    static CControlButtonArrow* CreateControl(UINT id, DWORD_PTR parameter);
    int GetValue() const { return m_arrow; }
    CSize GetSize(CDC* dc) override;
    void Draw(CDC* dc) override;
    void Copy(const CXTPControl* source) override;
    // The arrow kind as a 32-bit value.
    void Serialize(CArchive& ar) override;

private:
    int m_arrow;
};

// Shows the name of a pen; its five values and flag are kept for whoever reads them.
class CControlButtonPen : public CXTPControlButton {
    DECLARE_DYNCREATE(CControlButtonPen)
public:
    static constexpr int kValueCount = 5;

    // A pen button with the default pen, made for a command id and a parameter.
    static CControlButtonPen* CreateControl(UINT id, DWORD_PTR parameter);

    const LONG* GetValues() const { return m_values; }
    void SetValues(const LONG (&values)[kValueCount]);
    BOOL GetFlag() const { return m_flag; }
    void SetFlag(BOOL flag) { m_flag = flag; }
    CString GetName() const { return m_name; }
    void SetName(LPCTSTR name) { m_name = name; }

    CSize GetSize(CDC* dc) override;
    void Draw(CDC* dc) override;
    void Copy(const CXTPControl* source) override;
    void Serialize(CArchive& ar) override;

private:
    LONG m_values[kValueCount] = {0, 53, 53, 0, 13};
    BOOL m_flag = TRUE;
    CString m_name = "Black";
};
