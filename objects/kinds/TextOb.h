// The text box of a page: a border box that carries a word-wrapped, aligned text, grows
// downward to fit it, shows it horizontally or vertically through the font's escapement, and
// turns with the object when its font is an outline font.
#pragma once

#include "objects/kinds/BorderOb.h"
#include "platform/ole/DispatchMap.h"

class CTextOb : public CBorderOb {
    DECLARE_SERIAL(CTextOb)
public:
    static constexpr UINT RecordVersion = 1;
    static constexpr UINT TypeNameId = 60448;
    // Property ids.
    static constexpr UINT BackColorId = 27154;
    static constexpr UINT TextId = 27157;
    static constexpr UINT AlignmentId = 27160;
    static constexpr UINT OrientationId = 27164;
    // Alignments.
    static constexpr int AlignLeft = 0;
    static constexpr int AlignCentre = 6;
    static constexpr int AlignRight = 2;
    // Escapements of the orientation choice, tenths of a degree.
    static constexpr int Horizontal = 0;
    static constexpr int VerticalUp = 900;
    static constexpr int VerticalDown = -900;
    static constexpr int DefaultWidth = 100;
    static constexpr int DefaultHeight = 20;

    CTextOb();
    ~CTextOb() override = default;

    void Serialize(CArchive& archive) override;
    void UpdateLayout(int recalc, BOOL hint) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    void CollectProperties(CObArray& list, BOOL withChoices) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    CString GetTypeName() const override { return LoadTypeName(TypeNameId); }
    int HitTest(CPoint point) override { return CHyperOb::HitTest(point); }
    void Draw(CDC* dc) override;
    void ApplyDefaults() override;
    int GetTextAlign() const override;
    BOOL AllowsMultiLineText() const override { return TRUE; }
    BOOL CanRotate() const override;
    void SetText(LPCTSTR text) override;
    int GetText(CString& text) const override;
    // TRUE keeps the text block at the top of the box instead of centring it vertically.
    virtual BOOL IsTopAligned() const { return FALSE; }

    long GetOrientation() const { return Font.GetLogFont().lfEscapement; }
    void SetOrientation(long escapement);
    BOOL IsScalableFont() const { return m_scalableFont; }

    CString Text;
    int Alignment = AlignCentre;

protected:
    // Whether the font of the last draw was an outline font.
    BOOL m_scalableFont = TRUE;

private:
    void LoadFields(CArchive& archive);
    void StoreFields(CArchive& archive);
    UINT WrapFormat() const;
    // The box's height that the wrapped text needs.
    int NeededBottom();
    void DrawText(CDC* dc, const CRect& r);
    void DrawWrapped(CDC* dc, const CRect& r, UINT format);
    void DrawTurned(CDC* dc, const CRect& r, CSize extent);

    DECLARE_DISPATCH_MAP()
};
