// The layout of a resizable dialog: its registered controls with their initial rectangles,
// laid out again from those rectangles (never incrementally) whenever the dialog is sized.
#pragma once

#include "controls/FlexConstraint.h"
#include "platform/core/Geometry.h"

#include <memory>
#include <vector>

class CWnd;

class CFlexLayout {
public:
    explicit CFlexLayout(CWnd* dialog) : m_dialog(dialog) {}
    virtual ~CFlexLayout() = default;

    void Add(UINT controlId, const CFlexHorzConstraint& horz, const CFlexVertConstraint& vert);
    void SetInitialClientSize(int cx, int cy);
    // Places every control for a client size; captures the initial rectangles first.
    void Relayout(int cx, int cy);
    BOOL IsCaptured() const { return m_captured; }

private:
    struct Entry {
        UINT id;
        CRect initial;
        std::unique_ptr<CFlexConstraint> horz;
        std::unique_ptr<CFlexConstraint> vert;
    };

    void CaptureControls();
    CRect InitialRectOf(HWND control) const;

    CWnd* m_dialog;
    int m_initialWidth = 0;
    int m_initialHeight = 0;
    std::vector<Entry> m_entries;
    BOOL m_captured = FALSE;
};
