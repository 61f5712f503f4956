// The connector with a text label drawn at the middle of its path.
#pragma once

#include "objects/kinds/ConnectL0.h"

class CFont;

class CConnectOb : public CConnectL0 {
    DECLARE_SERIAL(CConnectOb)
public:
    static constexpr UINT RecordVersion = 0;
    static constexpr UINT TextId = 27157;
    static constexpr UINT AlignmentId = 27160;
    // Label alignments.
    static constexpr int AlignLeft = 0;
    static constexpr int AlignCentre = 6;
    static constexpr int AlignRight = 2;

    CConnectOb() = default;

    void Serialize(CArchive& archive) override;
    void UpdateLayout(int recalc, BOOL hint) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    void CollectProperties(CObArray& list, BOOL withChoices) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    int HitTest(CPoint point) override;
    void Draw(CDC* dc) override;
    void GetUpdateRect(CRect* out, CDC* dc) const override;
    int GetTextAlign() const override;
    BOOL AllowsMultiLineText() const override { return TRUE; }
    void SetText(LPCTSTR text) override { Text = text; }
    int GetText(CString& text) const override;
    BOOL GetBackColor(COLORREF* color) const override;

    // Places the label rectangle on the middle of the path, measured on the DC.
    void LayoutLabel(CDC* dc);
    // The point where the label's centre sits: the middle of the segment that holds half the
    // path's length.
    CPoint GetLabelCentre() const;

    CString Text;
    int Alignment = AlignCentre;

private:
    // The label's background and text on its rectangle.
    void DrawLabel(CDC* dc) const;
    // The object's effective font, selected; answers the font it replaced.
    CFont* SelectLabelFont(CDC* dc, CFont* font) const;
};
