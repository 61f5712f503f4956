// The view of the program's document templates: the editing view with the program's insert
// tools.
#pragma once

#include "View/CatView.h"

class CMyView : public CCatView {
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
    static constexpr UINT ToolNote = 34052;
    static constexpr UINT ToolSoundNote = 34060;
    static constexpr UINT ToolRTFNote = 37701;
    static constexpr UINT ToolOleObject = 60463;

    CMyView();

    void RegisterTools() override;
    CHyperViewOb* CreatePageObject() override;
    BOOL IsPointListTool(UINT toolId) const override { return toolId == ToolPolyline; }
    // Chooses a picture file for a new picture object.
    BOOL EditPicture(CObject* picture) override;

    // Exports of the page and the document sent by mail.
    static constexpr UINT CmdSaveAsWebsite = 33894, CmdExportGraphic = 34008, CmdExportPdf = 34062,
                          CmdMailForRevision = 34009;
    void OnSaveAsWebsite();
    void OnExportGraphic();
    void OnExportPdf();
    void OnUpdateExport(CCmdUI* cmdUI);
    void OnMailForRevision();
    void OnUpdateMailForRevision(CCmdUI* cmdUI);

protected:
    DECLARE_MESSAGE_MAP()
};
