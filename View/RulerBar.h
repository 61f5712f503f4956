// The control bar that holds a ruler along the page, with the units menu on a right click.
#pragma once

#include "View/RulerWnd.h"
#include "platform/ui/ControlBar.h"

#include <memory>

class CRulerBar : public CDialogBar {
public:
    static constexpr UINT TemplateId = 27958;
    static constexpr UINT RulerControlId = 27959;
    static constexpr UINT MenuId = 27978;
    static constexpr UINT CmdInches = 60603;
    static constexpr UINT CmdCentimetres = 60604;
    static constexpr UINT CmdZoomSwitch = 60608;
    static constexpr UINT WM_RULER_UNITS = 0x8100;
    static constexpr int HorizontalThickness = 19;
    static constexpr int VerticalThickness = 16;

    CRulerBar();
    ~CRulerBar() override;

    BOOL Create(CWnd* parent, UINT templateId, UINT style, UINT id, BOOL horizontal);
    virtual CRulerWnd* CreateRuler() { return new CRulerWnd; }
    CRulerWnd* GetRuler() const { return m_ruler.get(); }
    BOOL IsHorizontal() const { return m_horizontal; }

    void OnSize(UINT type, int cx, int cy);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnInches();
    void OnCentimetres();
    void OnZoomSwitch();

protected:
    std::unique_ptr<CRulerWnd> m_ruler;
    BOOL m_horizontal = TRUE;

    DECLARE_MESSAGE_MAP()
};

// The bar's dialog template: one ruler control over the whole bar.
void RegisterRulerBarTemplate();
