// The view of the program's document templates: the editing view with the program's insert
// tools.
#pragma once

#include "View/HyperFmtView.h"

class CMyView : public CHyperFmtView {
    DECLARE_DYNCREATE(CMyView)
public:
    static constexpr UINT ToolRectangle = 33807;
    static constexpr UINT ToolPolyline = 60472;
    static constexpr UINT ToolFreehand = 60479;
    static constexpr UINT ToolFrame = 60451;
    static constexpr UINT ToolEllipse = 60471;
    static constexpr UINT ToolArc = 60478;
    static constexpr UINT ToolBitmap = 60462;
    static constexpr UINT ToolHilite = 60480;
    static constexpr UINT ToolGraphic = 33808;

    CMyView();

    void RegisterTools() override;
    CHyperViewOb* CreatePageObject() override;
    BOOL IsPointListTool(UINT toolId) const override { return toolId == ToolPolyline; }
    // Chooses a picture file for a new picture object.
    BOOL EditPicture(CObject* picture) override;
};
