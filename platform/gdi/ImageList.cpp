#include "platform/gdi/ImageList.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiState.h"
#include "platform/gdi/HandleTable.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/MaskedDraw.h"


namespace {

struct Entry {
    HBITMAP image = nullptr;  // colour, black where the mask is set
    HBITMAP mask = nullptr;   // monochrome, white where transparent; null without ILC_MASK
};

struct List {
    int width = 0;
    int height = 0;
    bool masked = false;
    COLORREF bk = CLR_NONE;
    std::vector<Entry> entries;
    ~List()
    {
        for (Entry& e : entries) {
            ::DeleteObject(e.image);
            ::DeleteObject(e.mask);
        }
    }
};

using ListTable = gdi::HandleTable<HIMAGELIST, List>;

List* Find(HIMAGELIST h) { return ListTable::Instance().Find(h); }

// One cell of a strip into a bitmap of its own, monochrome or colour.
HBITMAP Cut(HDC strip, int x, int width, int height, bool mono)
{
    HBITMAP cell = mono ? ::CreateBitmap(width, height, 1, 1, nullptr) : ::CreateBitmap(width, height, 1, 32, nullptr);
    HDC mem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(mem, cell);
    ::BitBlt(mem, 0, 0, width, height, strip, x, 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    return cell;
}

// Makes the masked pixels of the image black, so the image can be XORed over the AND mask.
void ClearMasked(const Entry& e, int width, int height)
{
    HDC image = ::CreateCompatibleDC(nullptr), mask = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldImage = ::SelectObject(image, e.image), oldMask = ::SelectObject(mask, e.mask);
    ::SetTextColor(image, RGB(0, 0, 0));
    ::SetBkColor(image, RGB(255, 255, 255));
    ::BitBlt(image, 0, 0, width, height, mask, 0, 0, 0x00220326);  // D and not S
    ::SelectObject(image, oldImage);
    ::SelectObject(mask, oldMask);
    ::DeleteDC(image);
    ::DeleteDC(mask);
}

int AddStrip(List& list, HBITMAP image, HBITMAP mask, const COLORREF* maskColor)
{
    BITMAP info{};
    if (!::GetObject(image, sizeof(info), &info) || list.width <= 0 || info.bmWidth < list.width)
        return -1;
    int first = int(list.entries.size());
    HDC strip = ::CreateCompatibleDC(nullptr), maskStrip = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldStrip = ::SelectObject(strip, image);
    HGDIOBJ oldMask = mask ? ::SelectObject(maskStrip, mask) : nullptr;
    if (!oldStrip || (mask && !oldMask)) {  // a bitmap still selected into another DC
        ::DeleteDC(strip);
        ::DeleteDC(maskStrip);
        return -1;
    }
    if (maskColor)
        ::SetBkColor(strip, *maskColor);
    for (int x = 0; x + list.width <= info.bmWidth; x += list.width) {
        Entry e;
        e.image = Cut(strip, x, list.width, list.height, false);
        if (list.masked && (mask || maskColor)) {
            e.mask = Cut(mask ? maskStrip : strip, x, list.width, list.height, true);
            ClearMasked(e, list.width, list.height);
        } else if (list.masked) {
            e.mask = ::CreateBitmap(list.width, list.height, 1, 1, nullptr);  // all opaque
        }
        list.entries.push_back(e);
    }
    ::SelectObject(strip, oldStrip);
    if (oldMask)
        ::SelectObject(maskStrip, oldMask);
    ::DeleteDC(strip);
    ::DeleteDC(maskStrip);
    return first;
}

}  // namespace

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int, int)
{
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
        return nullptr;
    auto list = std::make_unique<List>();
    list->width = width;
    list->height = height;
    list->masked = flags & ILC_MASK;
    return ListTable::Instance().Add(std::move(list));
}

BOOL ImageList_Destroy(HIMAGELIST h) { return ListTable::Instance().Take(h) ? TRUE : FALSE; }

int ImageList_GetImageCount(HIMAGELIST h)
{
    List* list = Find(h);
    return list ? int(list->entries.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST h, int* width, int* height)
{
    List* list = Find(h);
    if (!list || !width || !height)
        return FALSE;
    *width = list->width;
    *height = list->height;
    return TRUE;
}

int ImageList_Add(HIMAGELIST h, HBITMAP image, HBITMAP mask)
{
    List* list = Find(h);
    return list ? AddStrip(*list, image, mask, nullptr) : -1;
}

int ImageList_AddMasked(HIMAGELIST h, HBITMAP image, COLORREF maskColor)
{
    List* list = Find(h);
    return list ? AddStrip(*list, image, nullptr, &maskColor) : -1;
}

int ImageList_ReplaceIcon(HIMAGELIST h, int index, HICON icon)
{
    List* list = Find(h);
    if (!list || index < -1 || index >= int(list->entries.size()))
        return -1;
    Entry e;
    e.image = ::CreateBitmap(list->width, list->height, 1, 32, nullptr);
    e.mask = ::CreateBitmap(list->width, list->height, 1, 1, nullptr);
    HDC mem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(mem, e.image);
    bool drawn = ::DrawIconEx(mem, 0, 0, icon, list->width, list->height, 0, nullptr, DI_IMAGE);
    ::SelectObject(mem, e.mask);
    drawn = drawn && ::DrawIconEx(mem, 0, 0, icon, list->width, list->height, 0, nullptr, DI_MASK);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    if (!drawn) {
        ::DeleteObject(e.image);
        ::DeleteObject(e.mask);
        return -1;
    }
    if (index == -1) {
        list->entries.push_back(e);
        return int(list->entries.size()) - 1;
    }
    ::DeleteObject(list->entries[size_t(index)].image);
    ::DeleteObject(list->entries[size_t(index)].mask);
    list->entries[size_t(index)] = e;
    return index;
}

BOOL ImageList_Remove(HIMAGELIST h, int index)
{
    List* list = Find(h);
    if (!list || index < -1 || index >= int(list->entries.size()))
        return FALSE;
    int from = index == -1 ? 0 : index, to = index == -1 ? int(list->entries.size()) : index + 1;
    for (int i = from; i < to; ++i) {
        ::DeleteObject(list->entries[size_t(i)].image);
        ::DeleteObject(list->entries[size_t(i)].mask);
    }
    list->entries.erase(list->entries.begin() + from, list->entries.begin() + to);
    return TRUE;
}

HICON ImageList_GetIcon(HIMAGELIST h, int index, UINT)
{
    List* list = Find(h);
    if (!list || index < 0 || index >= int(list->entries.size()))
        return nullptr;
    const Entry& e = list->entries[size_t(index)];
    HBITMAP opaque = e.mask ? nullptr : ::CreateBitmap(list->width, list->height, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, e.mask ? e.mask : opaque, e.image};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(opaque);
    return icon;
}

COLORREF ImageList_SetBkColor(HIMAGELIST h, COLORREF color)
{
    List* list = Find(h);
    if (!list)
        return CLR_NONE;
    COLORREF old = list->bk;
    list->bk = color;
    return old;
}

BOOL ImageList_Draw(HIMAGELIST h, int index, HDC hdc, int x, int y, UINT style)
{
    List* list = Find(h);
    CDC* dc = CDC::FromHandle(hdc);
    if (!list || !dc || index < 0 || index >= int(list->entries.size()))
        return FALSE;
    const Entry& e = list->entries[size_t(index)];
    if ((style & ILD_MASK) && e.mask) {
        gdi::DrawMasked(hdc, x, y, list->width, list->height, nullptr, e.mask, list->width, list->height, DI_MASK);
        return TRUE;
    }
    bool transparent = (style & ILD_TRANSPARENT) || list->bk == CLR_NONE;
    if (e.mask && !transparent)
        dc->FillSolidRect(x, y, list->width, list->height, list->bk);
    gdi::DrawMasked(hdc, x, y, list->width, list->height, e.image, e.mask, list->width, list->height,
                    e.mask ? DI_NORMAL : DI_IMAGE);
    return TRUE;
}

IMPLEMENT_DYNAMIC(CImageList, CObject)

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int width, int height, UINT flags, int initial, int grow)
{
    DeleteImageList();
    m_hImageList = ImageList_Create(width, height, flags, initial, grow);
    return m_hImageList != nullptr;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
    return TRUE;
}

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
int CImageList::Add(CBitmap* image, CBitmap* mask)
{
    return image ? ImageList_Add(m_hImageList, *image, mask ? HBITMAP(*mask) : nullptr) : -1;
}
int CImageList::Add(CBitmap* image, COLORREF maskColor)
{
    return image ? ImageList_AddMasked(m_hImageList, *image, maskColor) : -1;
}
int CImageList::Add(HICON icon) { return ImageList_ReplaceIcon(m_hImageList, -1, icon); }
int CImageList::Replace(int index, HICON icon) { return ImageList_ReplaceIcon(m_hImageList, index, icon); }
BOOL CImageList::Remove(int index) { return ImageList_Remove(m_hImageList, index); }
HICON CImageList::ExtractIcon(int index) { return ImageList_GetIcon(m_hImageList, index, ILD_NORMAL); }
COLORREF CImageList::SetBkColor(COLORREF color) { return ImageList_SetBkColor(m_hImageList, color); }
BOOL CImageList::Draw(CDC* dc, int index, POINT point, UINT style)
{
    return dc && ImageList_Draw(m_hImageList, index, dc->m_hDC, point.x, point.y, style);
}
