#include "objects/kinds/HiliteOb.h"

#include "objects/ObjectHost.h"
#include "objects/PropCombo.h"
#include "objects/RgbDibHeader.h"
#include "objects/VersionTag.h"
#include "objects/kinds/KindShared.h"
#include "platform/core/Archive.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ole/DispatchMap.h"

IMPLEMENT_SERIAL(CHiliteOb, CHyperOb, 0)

BEGIN_DISPATCH_MAP(CHiliteOb, CHyperOb)
    DISP_PROPERTY_NOTIFY_ID(CHiliteOb, "HiliteColor", 0x531, HiliteColor, OnUpdate, VT_I4)
END_DISPATCH_MAP()

namespace {
constexpr KindChoice hiliteColours[] = {
    {26696, CHiliteOb::Yellow},
    {26697, CHiliteOb::Magenta},
    {26698, CHiliteOb::Cyan},
};

struct Tint {
    int hiliteColor;
    COLORREF brush;
    int removedByte;
};
constexpr Tint tints[] = {
    {CHiliteOb::Yellow, RGB(255, 255, 0), 0},
    {CHiliteOb::Magenta, RGB(255, 0, 255), 1},
    {CHiliteOb::Cyan, RGB(0, 255, 255), 2},
};

const Tint* FindTint(int hiliteColor)
{
    for (const Tint& tint : tints)
        if (tint.hiliteColor == hiliteColor)
            return &tint;
    return nullptr;
}
}

void CHiliteOb::Serialize(CArchive& archive)
{
    CHyperOb::Serialize(archive);
    CVersionTag tag(&archive, this, 0);
    if (archive.IsStoring()) {
        tag.Write();
        archive << static_cast<DWORD>(HiliteColor);
    } else {
        tag.Read();
        HiliteColor = ReadInt32(archive);
    }
}

CPropOb* CHiliteOb::CreateProperty(UINT propertyId, BOOL withChoices)
{
    if (CPropOb* editor = CHyperOb::CreateProperty(propertyId, withChoices))
        return editor;
    if (propertyId != HiliteColorId)
        return nullptr;
    return MakeChoiceEditor(propertyId, &HiliteColor, hiliteColours, 3, withChoices);
}

void CHiliteOb::CollectProperties(CObArray& list, BOOL withChoices)
{
    CHyperOb::CollectProperties(list, withChoices);
    AppendProperties(this, list, &HiliteColorId, 1, withChoices);
}

void CHiliteOb::CopyFrom(const CHyperBaseOb* base)
{
    CHyperOb::CopyFrom(base);
    if (auto* other = dynamic_cast<const CHiliteOb*>(base); other && other != this)
        HiliteColor = other->HiliteColor;
}

void CHiliteOb::Draw(CDC* dc)
{
    if (dc->IsPrinting())
        return;
    if (GetHost()->IsSimpleDrawing())
        DrawSimple(dc);
    else
        Compose(dc);
}

// Another colour keeps the yellow of the default.
void CHiliteOb::DrawSimple(CDC* dc)
{
    const Tint* tint = FindTint(HiliteColor);
    CBrush brush(tint ? tint->brush : tints[0].brush);
    CBrush* oldBrush = dc->SelectObject(&brush);
    CGdiObject* oldPen = dc->SelectStockObject(NULL_PEN);
    CRect rect;
    GetRect(&rect, nullptr);
    dc->Rectangle(&rect);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

CRect CHiliteOb::GetCaptureRect(CDC* dc) const
{
    CRect area;
    GetRect(&area, nullptr);
    dc->LPtoDP(&area);
    area.NormalizeRect();
    CRect client;
    if (GetHost()->GetViewClientRect(&client))
        area.IntersectRect(area, client);
    return area;
}

void CHiliteOb::Compose(CDC* dc)
{
    const CRect area = GetCaptureRect(dc);
    if (area.IsRectEmpty())
        return;
    HDC memoryDc = nullptr;
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    const DWORD imageSize = CreateRgbDibSection(dc, &area, &memoryDc, &bitmap, &bits);
    if (!bitmap || !bits) {
        if (bitmap)
            ::DeleteObject(bitmap);
        if (memoryDc)
            ::DeleteDC(memoryDc);
        return;
    }
    CDC capture;
    capture.Attach(memoryDc);
    HGDIOBJ previous = ::SelectObject(memoryDc, bitmap);
    capture.SetViewportOrg(-area.left, -area.top);
    GetHost()->PaintPageBackground(&capture, area);
    DrawBelow(dc, &capture, area);
    capture.SetMapMode(MM_TEXT);
    capture.SetViewportOrg(0, 0);
    capture.SetWindowOrg(0, 0);
    ::GdiFlush();
    ApplyHighlight(static_cast<BYTE*>(bits), imageSize, HiliteColor);
    const int saved = dc->SaveDC();
    dc->SetMapMode(MM_TEXT);
    dc->SetViewportOrg(0, 0);
    dc->SetWindowOrg(0, 0);
    dc->BitBlt(area.left, area.top, area.Width(), area.Height(), &capture, 0, 0, SRCCOPY);
    dc->RestoreDC(saved);
    ::SelectObject(memoryDc, previous);
    ::DeleteObject(bitmap);
    capture.DeleteDC();
}

// The objects below draw into the capture with the mapping of the target DC, moved so that
// the captured area starts at the capture's origin.
void CHiliteOb::DrawBelow(CDC* dc, CDC* capture, const CRect& area)
{
    CObjectHost* host = GetHost();
    int index = 0;
    const int count = host->GetObjectCount();
    while (index < count && host->GetObjectAt(index) != this)
        ++index;
    if (index + 1 >= count)
        return;
    capture->SetMapMode(dc->GetMapMode());
    capture->SetWindowExt(dc->GetWindowExt());
    capture->SetViewportExt(dc->GetViewportExt());
    capture->SetWindowOrg(dc->GetWindowOrg());
    const CPoint origin = dc->GetViewportOrg();
    capture->SetViewportOrg(origin.x - area.left, origin.y - area.top);
    CRect logical;
    GetRect(&logical, nullptr);
    host->DrawObjectsFrom(capture, logical, index + 1);
}

void ApplyHighlight(BYTE* pixels, DWORD imageSize, int hiliteColor)
{
    const Tint* tint = FindTint(hiliteColor);
    if (!tint)
        return;
    for (DWORD i = 0; i + 2 < imageSize; i += 3)
        pixels[i + static_cast<DWORD>(tint->removedByte)] = 0;
}
