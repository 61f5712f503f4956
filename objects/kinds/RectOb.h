// The labelled frame of a page: a rectangle with a frame of its own width and style and a
// one-line label set into its top edge, the way a group box shows its caption.
#pragma once

#include "objects/HyperOb.h"

class CBrush;

class CRectOb : public CHyperOb {
    DECLARE_SERIAL(CRectOb)
public:
    static constexpr UINT RecordVersion = 0;
    static constexpr DWORD HiliteSection = 0x22222222;
    static constexpr UINT TypeNameId = 60451;
    // Property ids.
    static constexpr UINT BorderColorId = 27148;
    static constexpr UINT HiliteColorId = 27156;
    static constexpr UINT BorderStyleId = 27203;
    static constexpr UINT BorderWidthId = 27175;
    static constexpr UINT TextId = 27157;
    static constexpr UINT AlignmentId = 27160;
    static constexpr int TextLimit = 80;
    // Border styles.
    static constexpr int StylePlain = 0;
    static constexpr int Style3D = 1;
    static constexpr int StyleSunken = 2;
    static constexpr int StyleRaised = 3;
    // Label positions.
    static constexpr int AlignLeft = 0;
    static constexpr int AlignCentre = 6;
    static constexpr int AlignRight = 2;
    static constexpr int DefaultWidth = 100;
    static constexpr int DefaultHeight = 50;

    CRectOb();
    ~CRectOb() override = default;
    CSize GetMinimumSize() const override;

    void Serialize(CArchive& archive) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    void CollectProperties(CObArray& list, BOOL withChoices) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    CString GetTypeName() const override { return LoadTypeName(TypeNameId); }
    int HitTest(CPoint point) override;
    void Draw(CDC* dc) override;
    void ApplyDefaults() override;
    void RecalcRect() override;
    int GetTextAlign() const override;
    // The label, edited in place.
    virtual void SetText(LPCTSTR text);
    virtual BOOL GetText(CString& text) const;

    // Draws the frame on outer; frame is moved in past what was drawn.
    virtual void DrawFrame(CDC* dc, RECT* frame, const RECT* outer);

    COLORREF BorderColor = static_cast<COLORREF>(-1);
    int BorderWidth = 2;
    COLORREF HiliteColor = static_cast<COLORREF>(-1);
    int BorderStyle = Style3D;
    CString Text;
    int Alignment = AlignLeft;

protected:
    // Width of the edge band that hits an unfilled frame: the label height once drawn.
    int m_hitBand;

private:
    void LoadFields(CArchive& archive);
    void StoreFields(CArchive& archive);
    void SetMinimumSize();
    // Draws the label into the top edge of r and keeps its rectangles as the text ones.
    void DrawLabel(CDC* dc, const CRect& r, CSize extent, COLORREF back, CBrush* backBrush);
    void DrawSunkenLines(CDC* dc, const RECT& outer, int width, COLORREF light, COLORREF back);
    void DrawRaisedLines(CDC* dc, const RECT& outer, int width, COLORREF light, COLORREF back);
};
