// The graphic shape: a shadowed picture with a caption below its centre, an optional
// highlight frame and a shadow direction that sets the shadow offsets.
#pragma once

#include "objects/kinds/BitmapShadowOb.h"
#include "objects/kinds/BlobRun.h"
#include "objects/PropCombo.h"
#include "objects/PropNumber.h"

class CFont;

class CShapeOb : public CBitmapShadowOb {
    DECLARE_SERIAL(CShapeOb)
public:
    static constexpr UINT RecordVersion = 1;
    static constexpr UINT TypeNameId = 33808;
    // Property ids.
    static constexpr UINT TextId = 27157;
    static constexpr UINT AlignmentId = 27160;
    static constexpr UINT ChoiceId = 8008;
    static constexpr UINT ButtonTextId = 8009;
    static constexpr UINT BlobId = 8010;
    // Alignments.
    static constexpr int AlignLeft = 0;
    static constexpr int AlignRight = 2;
    static constexpr int AlignCenter = 6;
    static constexpr int MinimumLabelWidth = 150;
    // Shadow directions besides the four corners 1 to 4.
    static constexpr int NoShadow = 0;
    static constexpr int NonStandardShadow = 99;

    CShapeOb() = default;

    void Serialize(CArchive& archive) override;
    void UpdateLayout(int render, BOOL hint) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    void CollectProperties(CObArray& list, BOOL withChoices) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    CString GetTypeName() const override { return LoadTypeName(TypeNameId); }
    int HitTest(CPoint point) override;
    void Draw(CDC* dc) override;
    void ApplyDefaults() override;
    void GetUpdateRect(CRect* out, CDC* dc) const override;
    int GetTextAlign() const override;
    BOOL GetForeColor(COLORREF* colour) const override;
    BOOL AllowsMultiLineText() const override { return TRUE; }

    void SetHighlightFrame(BOOL on);
    // Lays the caption out under the object: the label area and the text rectangle.
    void LayoutText(CDC* dc);
    const CRect& GetLabelArea() const { return m_textRect1; }
    const CRect& GetTextRect() const { return m_textRect2; }

    int ShadowDirection = NoShadow;
    CString Text;
    int Alignment = AlignCenter;
    CString ChoiceText = "Toast";
    CString ButtonText = "Trapezoid";
    CBlobRun Blob;
    BOOL HighlightFrame = FALSE;
    COLORREF FrameColor = static_cast<COLORREF>(-1);
    int FrameWidth = 3;

private:
    void LoadFields(CArchive& archive);
    void StoreFields(CArchive& archive);
    UINT GetDrawTextFlags() const;
    void DrawFrame(CDC* dc);
    void DrawCaption(CDC* dc);
    void DrawCaptionOn(CDC* dc);
};

// The shadow direction editor of a shape: a choice writes the offsets of its corner into the
// shape at once and shows them in the offset editors.
class CPropShapeShadow : public CPropShadowCombo {
public:
    CPropShapeShadow(UINT nameId, int* direction, CSoftShadowOb* shadow);

    void OnValueChanged() override;
    void DropLinkTo(const CPropOb* gone) override;

    CSoftShadowOb* m_shadow;
    CPropShadowLong* m_partnerX = nullptr;
    CPropShadowLong* m_partnerY = nullptr;
};
