#include "projects/ProjOb.h"

#include "projects/PasswordHash.h"
#include "projects/ProjectHost.h"
#include "projects/ProjectIcons.h"

#include "imaging/Dib.h"
#include "platform/core/File.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/UiApi.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr std::array<COLORREF, 16> kStandardColours = {
    RGB(0, 0, 0),     RGB(255, 255, 255), RGB(128, 128, 128), RGB(192, 192, 192), RGB(128, 0, 0),   RGB(255, 0, 0),
    RGB(128, 128, 0), RGB(255, 255, 0),   RGB(0, 128, 0),     RGB(0, 255, 0),     RGB(0, 128, 128), RGB(0, 255, 255),
    RGB(0, 0, 128),   RGB(0, 0, 255),     RGB(128, 0, 128),   RGB(255, 0, 255)};

std::unique_ptr<CDib> CaptureBitmap(HBITMAP bitmap, UINT bitCount)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    auto dib = std::make_unique<CDib>();
    dib->CreateFromBitmap(&dc, CBitmap::FromHandle(bitmap), bitCount, FALSE);
    return dib;
}

// Draws the image into a `size` square; the mask is opaque (black) where the image is.
void ComposeIcon(const CDib& image, const CDib* mask, int size, CBitmap& colour, CBitmap& monochrome)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    colour.CreateBitmap(size, size, 1, 32, nullptr);
    monochrome.CreateBitmap(size, size, 1, 1, nullptr);
    CBitmap* old = dc.SelectObject(&colour);
    dc.SetStretchBltMode(HALFTONE);
    dc.PatBlt(0, 0, size, size, WHITENESS);
    const int width = image.GetWidth(), height = image.GetHeight();
    const bool stretched = width > size || height > size;
    const int x = (size - width) / 2, y = (size - height) / 2;
    if (stretched)
        image.StretchDraw(&dc, 0, 0, size, size);
    else
        image.Draw(&dc, x, y);
    dc.SelectObject(&monochrome);
    if (stretched) {
        dc.PatBlt(0, 0, size, size, BLACKNESS);
    } else {
        dc.PatBlt(0, 0, size, size, WHITENESS);
        if (mask && mask->GetWidth() == width && mask->GetHeight() == height)
            mask->Draw(&dc, x, y);
        else
            dc.PatBlt(x, y, width, height, BLACKNESS);
    }
    dc.SelectObject(old);
    BlackenMaskedPixels(colour, monochrome, size, size);
}

// Transparent pixels take a key colour no opaque pixel uses (or the least used one), and
// every pixel of that colour is painted white: the icon keeps white where it was clear.
void WhitenTransparentPixels(HBITMAP colour, HBITMAP mask)
{
    CDC pixels, transparency;
    pixels.CreateCompatibleDC(nullptr);
    transparency.CreateCompatibleDC(nullptr);
    CBitmap* oldPixels = pixels.SelectObject(CBitmap::FromHandle(colour));
    CBitmap* oldMask = transparency.SelectObject(CBitmap::FromHandle(mask));
    std::array<int, 16> uses {};
    bool anyTransparent = false;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            if (transparency.GetPixel(x, y) != RGB(0, 0, 0)) {
                anyTransparent = true;
                continue;
            }
            const COLORREF c = pixels.GetPixel(x, y);
            for (size_t i = 0; i < kStandardColours.size(); ++i)
                uses[i] += kStandardColours[i] == c;
        }
    if (anyTransparent) {
        const COLORREF key = ChooseIconKeyColour(uses);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (transparency.GetPixel(x, y) != RGB(0, 0, 0) || pixels.GetPixel(x, y) == key)
                    pixels.SetPixel(x, y, RGB(255, 255, 255));
    }
    pixels.SelectObject(oldPixels);
    transparency.SelectObject(oldMask);
}

} // namespace

void CProjOb::SetIcon(HICON icon)
{
    if (!icon) {
        m_iconImage.reset();
        m_iconMask.reset();
        return;
    }
    ICONINFO info {};
    if (!GetIconInfo(icon, &info))
        return;
    m_iconImage = CaptureBitmap(info.hbmColor, 24);
    m_iconMask = CaptureBitmap(info.hbmMask, 1);
    if (m_hIcon)
        DestroyIcon(m_hIcon);
    m_hIcon = CopyIcon(icon);
    ShowIconInTree();
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

void CProjOb::ShowIconInTree()
{
    auto list = m_hIcon && m_pTree && m_pTree->m_hWnd
                    ? reinterpret_cast<HIMAGELIST>(m_pTree->SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL))
                    : nullptr;
    // The icon's own mask keeps its clear pixels clear in the tree.
    if (list && ImageList_ReplaceIcon(list, -1, m_hIcon) >= 0) {
        m_nImage = ImageList_GetImageCount(list) - 1;
        m_pTree->SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list));
        if (m_hItem && !m_bHasPassword)
            m_pTree->SetItemImage(m_hItem, m_nImage, m_nImage);
    }
}

void CProjOb::SetIconFromImage(const CDib& image, const CDib* mask, int size)
{
    if (!image.GetSize() || size <= 0)
        return;
    CBitmap colour, monochrome;
    ComposeIcon(image, mask, size, colour, monochrome);
    ICONINFO info {TRUE, 0, 0, monochrome, colour};
    if (HICON icon = CreateIconIndirect(&info)) {
        SetIcon(icon);
        DestroyIcon(icon);
    }
}

BOOL CProjOb::SetPassword(const CString& password, BOOL set)
{
    CString digest;
    if (!CPasswordHash().HashToHex(password, digest)) {
        ::MessageBox(nullptr, ProjectText("Passwordencryption failed"), nullptr, MB_OK);
        return FALSE;
    }
    m_digest = digest;
    m_bHasPassword = set;
    for (const auto& sub : m_subprojects)
        sub->SetPassword(password, set);
    return TRUE;
}

COLORREF ChooseIconKeyColour(const std::array<int, 16>& uses)
{
    for (size_t i = 1; i < uses.size(); ++i)
        if (uses[i] == 0)
            return kStandardColours[i];
    size_t least = 0;
    for (size_t i = 1; i < uses.size(); ++i)
        if (uses[i] < uses[least])
            least = i;
    return kStandardColours[least];
}

BOOL CProjOb::LoadIconFile(const CString& path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    WORD magic = 0;
    if (file.Read(&magic, sizeof magic) != sizeof magic)
        return FALSE;
    file.SeekToBegin();
    if (magic == 0x4D42) {
        CDib image;
        if (!image.Read(&file, nullptr))
            return FALSE;
        SetIconFromImage(image, nullptr, 16);
        return TRUE;
    }
    const auto length = static_cast<size_t>(std::min<ULONGLONG>(file.GetLength(), 1 << 20));
    std::vector<BYTE> bytes(length);
    if (file.Read(bytes.data(), static_cast<UINT>(length)) != length)
        return FALSE;
    HICON icon = CreateIconFromFileData(bytes.data(), bytes.size(), 16, 16);
    if (!icon)
        return FALSE;
    ICONINFO info {};
    const BOOL split = GetIconInfo(icon, &info);
    DestroyIcon(icon);
    if (!split)
        return FALSE;
    WhitenTransparentPixels(info.hbmColor, info.hbmMask);
    ICONINFO opaque {TRUE, 0, 0, nullptr, info.hbmColor};
    CBitmap allOpaque;
    allOpaque.CreateBitmap(16, 16, 1, 1, nullptr);
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* old = dc.SelectObject(&allOpaque);
        dc.PatBlt(0, 0, 16, 16, BLACKNESS);
        dc.SelectObject(old);
    }
    opaque.hbmMask = allOpaque;
    HICON result = CreateIconIndirect(&opaque);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    if (!result)
        return FALSE;
    SetIcon(result);
    DestroyIcon(result);
    return TRUE;
}
