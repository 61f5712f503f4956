// A soft drop shadow: the footprint of an object (its rectangle, or the opaque pixels of its
// picture) blurred and used as the alpha of the shadow colour over a background colour.
#pragma once

#include "objects/HyperOb.h"

class CArchive;
class CDC;
class CExtDib;
class CPropOb;

// Embedded in the shadowed kinds; its record tag is that of a plain page object.
class CSoftShadowOb : public CHyperOb {
public:
    static constexpr UINT RecordVersion = 2;
    // Property ids, which are also the codes of the editors.
    static constexpr UINT BackColorId = 20102;
    static constexpr UINT ColorId = 20120;
    static constexpr UINT OffsetXId = 20121;
    static constexpr UINT OffsetYId = 20122;
    static constexpr UINT BlurXId = 20123;
    static constexpr UINT BlurYId = 20124;
    static constexpr UINT SoftId = 20125;

    void Serialize(CArchive& archive) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    // Shown when soft or moved away from the object.
    BOOL IsVisible() const override { return Soft != 0 || OffsetX != 0 || OffsetY != 0; }
    // The rectangle moved by the offset and grown by the inflation and, on a true-colour
    // display, by the blur.
    CRect GetShadowRect(const RECT& rect, POINT offset) const;
    // Paints the shadow of the object rectangle (moved by the offset) with the background
    // around it onto the target.
    BOOL RenderShadow(CDC* target, const CExtDib* picture, const RECT& rcObject, POINT offset,
                      COLORREF back) const;
    // The editor for one shadow property; codes without an entry give none.
    CPropOb* CreateProperty(UINT code, UINT propertyId, BOOL withChoices);

    LONG OffsetX = 0;
    LONG OffsetY = 0;
    LONG BlurX = 4;
    LONG BlurY = 4;
    LONG InflateX = 0;
    LONG InflateY = 0;
    COLORREF Color = 0x808080;
    LONG Opacity = 100;
    COLORREF BackColor = static_cast<COLORREF>(-1);
    LONG Soft = 0;

private:
    CRect GetMaskRect(const CRect& shadow, const CRect& all) const;
};
