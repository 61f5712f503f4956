// Pen ink on the page: the strokes of one handwriting segment or drawing in an ink object of
// its own, drawn scaled to the object's rectangle. The notes view makes these objects from
// the strokes of its ink layer and takes the strokes back when the layer is switched on.
#pragma once

#include "objects/HyperOb.h"
#include "platform/ink/InkDisp.h"
#include "platform/ink/InkRenderer.h"

#include <map>
#include <memory>
#include <utility>
#include <vector>

class COleDataSource;

class CStrokeOb : public CHyperOb {
    DECLARE_SERIAL(CStrokeOb)
public:
    // The stroke properties: the group of the owning object, and the tag strokes are filtered by.
    static constexpr char GroupProperty[] = "{FA0BC914-4A00-48f5-96F8-560BA50C174F}";
    static constexpr char TagProperty[] = "{79378E2E-4685-412d-AFB1-69DDE276D54D}";

    CStrokeOb();

    void Serialize(CArchive& archive) override;
    void UpdateLayout(int recalc, BOOL hint) override;
    void SetView(CHyperRunView* view) override;
    CHyperOb* Clone() const override;
    void Paint(CDC* dc) override { Draw(dc); }
    void Draw(CDC* dc) override;
    void DrawTracker(CDC* dc) override;

    BOOL FitRectToInk();
    BOOL TakeStroke(const std::shared_ptr<InkStrokeDisp>& stroke);
    BOOL TakeStrokes(const InkStrokes& strokes);
    BOOL SetInkStroke(const std::shared_ptr<InkDisp>& ink, const std::shared_ptr<InkStrokeDisp>& stroke);
    BOOL SetInkStrokes(const std::shared_ptr<InkDisp>& ink, const InkStrokes* strokes);
    // A clone of the ink; with a non-empty list only the strokes whose tag is in it.
    BOOL SetInkFiltered(const InkDisp& ink, const std::vector<std::string>* tags);
    BOOL ResetInk();
    void CopyStrokesTo(CStrokeOb& other) const;
    // Copies of all the strokes go into the source as ink, under every format ink is copied in.
    void CopyToDataSource(COleDataSource* source) const;
    // Copies of the strokes added to an ink of the view window, where the object shows them,
    // with the pen sizes of the view's zoom; FALSE without ink.
    BOOL AddStrokesToView(InkDisp& target);

    std::shared_ptr<InkDisp> GetInk() const { return m_ink; }
    int GetPenSizeZoom() const { return m_penSizeZoom; }

private:
    // The object's device rectangle in ink space of the DC.
    RECT InkRectOnDevice(const RECT& device, HDC dc) const;
    void ApplyPenSizeZoom(int zoom);
    // The pen sizes at take or load time, which every zoom is computed from.
    void RememberPenSizes();
    void DrawGroupMembers(CDC* dc);

    InkRenderer m_renderer;
    std::shared_ptr<InkDisp> m_ink;
    int m_penSizeZoom = 100;
    int m_baseZoom = 100;
    std::map<LONG, std::pair<float, float>> m_basePenSizes;
    BOOL m_drawingForGroup = FALSE;
};
