#include "PageTestKit.h"

#include "objects/PropOb.h"
#include "platform/gdi/Dc.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CTestBoxOb, CHyperOb)

namespace {
CObjectHost* ResolveHost(const CHyperRunView* view)
{
    return reinterpret_cast<CTestPageView*>(const_cast<CHyperRunView*>(view));
}
}

CTestPageView::CTestPageView()
{
    SetObjectHostResolver(ResolveHost);
}

CTestPageView::~CTestPageView() = default;

BOOL CTestPageView::GetPageFont(LOGFONT* font) const
{
    if (pageFont.lfFaceName[0] == '\0')
        return FALSE;
    *font = pageFont;
    return TRUE;
}

BOOL CTestPageView::GetDefaultColors(COLORREF* back, COLORREF* fore) const
{
    if (!useDefaultColors)
        return FALSE;
    *back = defaultBack;
    *fore = defaultFore;
    return TRUE;
}

CHyperBaseOb* CTestPageView::FindObject(const CString& code, const CHyperBaseOb* except) const
{
    auto found = std::find_if(
        objects.begin(), objects.end(), [&](CHyperBaseOb* o) { return o != except && o->Code == code; });
    return found == objects.end() ? nullptr : *found;
}

void CTestPageView::GetCodesInUse(CStringArray& codes, const CHyperBaseOb* except) const
{
    for (CHyperBaseOb* object : objects) {
        if (object != except)
            codes.Add(object->Code);
    }
    for (const CString& code : otherCodes)
        codes.Add(code);
}

void CTestPageView::LogicalToDevice(POINT* points, int count) const
{
    for (int i = 0; i < count; ++i) {
        points[i].x = MulDiv(points[i].x, zoom, 100);
        points[i].y = MulDiv(points[i].y, zoom, 100);
    }
}

void CTestBoxOb::Draw(CDC* dc)
{
    COLORREF back;
    GetBackColor(&back);
    CRect rect;
    dc->FillSolidRect(GetRect(&rect, nullptr), back);
}

std::vector<UINT> PropertyNameIds(const CObArray& list)
{
    std::vector<UINT> ids;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        ids.push_back(static_cast<CPropOb*>(list.GetAt(i))->GetNameId());
    return ids;
}

const std::vector<UINT>& BasePropertyIds()
{
    static const std::vector<UINT> ids = { 27142, 27136, 27137, 27138, 27139, 27381, 27380, 27390, 27154, 27155,
        27158, 27455, 27049, 27433, 27466, 27468 };
    return ids;
}

std::vector<BYTE> BitmapFile(int width, int height, const std::vector<COLORREF>& pixels)
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const DWORD fileSize = 54 + static_cast<DWORD>(rowBytes * height);
    auto dword = [](DWORD v) { return std::vector<BYTE>{ BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24) }; };
    std::vector<BYTE> file = { 'B', 'M' };
    for (DWORD v : { fileSize, 0u, 54u, 40u, static_cast<DWORD>(width), static_cast<DWORD>(height) })
        for (BYTE b : dword(v))
            file.push_back(b);
    file.insert(file.end(), { 1, 0, 24, 0 });
    file.resize(54, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixels[static_cast<size_t>(y * width + x)];
            file.insert(file.end(), { GetBValue(c), GetGValue(c), GetRValue(c) });
        }
        file.resize(file.size() + static_cast<size_t>(rowBytes - width * 3), 0);
    }
    return file;
}
