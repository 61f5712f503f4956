// Image lists: equally sized pictures with optional masks, kept in one list and drawn by index.
#pragma once

#include "platform/core/Object.h"
#include "platform/gdi/GdiTypes.h"

class CBitmap;
class CDC;

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;
constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_MASK = 0x0010;
constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* width, int* height);
// A strip of images side by side; the mask (monochrome, may be null) is a strip too.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// Pixels of the mask colour become transparent.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColor);
// Index -1 appends.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
BOOL ImageList_Remove(HIMAGELIST list, int index);
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, UINT style);

class CImageList : public CObject {
    DECLARE_DYNAMIC(CImageList)
public:
    CImageList() = default;
    ~CImageList() override;

    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    BOOL Create(int width, int height, UINT flags, int initial, int grow);
    BOOL DeleteImageList();
    int GetImageCount() const;
    int Add(CBitmap* image, CBitmap* mask);
    int Add(CBitmap* image, COLORREF maskColor);
    int Add(HICON icon);
    int Replace(int index, HICON icon);
    BOOL Remove(int index);
    HICON ExtractIcon(int index);
    COLORREF SetBkColor(COLORREF color);
    BOOL Draw(CDC* dc, int index, POINT point, UINT style);
};
