// A transparent highlighter over the objects below it: the page under its rectangle shows
// through with one colour channel removed, tinting it yellow, magenta or cyan.
#pragma once

#include "objects/HyperOb.h"

class CHiliteOb : public CHyperOb {
    DECLARE_SERIAL(CHiliteOb)
public:
    static const AFX_DISPMAP* GetThisDispatchMap();
    const AFX_DISPMAP* GetDispatchMap() const override;

    static constexpr UINT TypeNameId = 60480;
    static constexpr UINT HiliteColorId = 27156;
    // Highlight colours, each named by the channel it removes.
    static constexpr int Yellow = 13;
    static constexpr int Magenta = 9;
    static constexpr int Cyan = 5;

    CHiliteOb() = default;

    void Serialize(CArchive& archive) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    void CollectProperties(CObArray& list, BOOL withChoices) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    CString GetTypeName() const override { return LoadTypeName(TypeNameId); }
    BOOL IsTransparent() const override { return TRUE; }
    BOOL GetForeColor(COLORREF*) const override { return FALSE; }
    BOOL GetBackColor(COLORREF*) const override { return FALSE; }
    void Draw(CDC* dc) override;

    int HiliteColor = Yellow;

private:
    void DrawSimple(CDC* dc);
    void Compose(CDC* dc);
    // The rectangle in device units of the DC, clipped to the view window; empty when none shows.
    CRect GetCaptureRect(CDC* dc) const;
    void DrawBelow(CDC* dc, CDC* capture, const CRect& area);
};

// Removes the channel that the highlight colour names from every pixel of 24-bit bytes in
// blue, green, red order; other colours leave the pixels as they are.
void ApplyHighlight(BYTE* pixels, DWORD imageSize, int hiliteColor);
