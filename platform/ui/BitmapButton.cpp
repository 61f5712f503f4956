#include "platform/ui/BitmapButton.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/Resources.h"

#include <vector>

IMPLEMENT_DYNAMIC(CBitmapButton, CButton)

namespace {

BOOL load(CBitmap& target, const std::vector<BYTE>* file)
{
    target.DeleteObject();
    HBITMAP bitmap = LoadBitmapFromFile(file);
    return bitmap && target.Attach(bitmap);
}

const std::vector<BYTE>* byId(UINT id) { return FindBinaryResource(ResourceKind::Bitmap, id); }

const std::vector<BYTE>* byName(LPCTSTR name)
{
    if (IS_INTRESOURCE(name))
        return byId(static_cast<UINT>(reinterpret_cast<uintptr_t>(name)));
    return FindBinaryResource(ResourceKind::Bitmap, std::string(name));
}

} // namespace

HBITMAP AfxLoadBitmapResource(UINT id) { return LoadBitmapResource(id); }

BOOL CBitmapButton::LoadBitmaps(UINT up, UINT down, UINT focus, UINT disabled)
{
    return LoadBitmaps(MAKEINTRESOURCE(up), down ? MAKEINTRESOURCE(down) : nullptr,
                       focus ? MAKEINTRESOURCE(focus) : nullptr, disabled ? MAKEINTRESOURCE(disabled) : nullptr);
}

BOOL CBitmapButton::LoadBitmaps(LPCTSTR up, LPCTSTR down, LPCTSTR focus, LPCTSTR disabled)
{
    if (!up || !load(m_bitmap, byName(up)))
        return FALSE;
    BOOL all = TRUE;
    CBitmap* others[] = {&m_bitmapSel, &m_bitmapFocus, &m_bitmapDisabled};
    LPCTSTR names[] = {down, focus, disabled};
    for (size_t i = 0; i < 3; ++i) {
        others[i]->DeleteObject();
        if (names[i] && !load(*others[i], byName(names[i])))
            all = FALSE;
    }
    return all;
}

BOOL CBitmapButton::AutoLoad(UINT id, CWnd* parent)
{
    if (!parent || !SubclassDlgItem(id, parent))
        return FALSE;
    CString caption;
    GetWindowText(caption);
    std::string name(static_cast<LPCTSTR>(caption));
    // Focus and disabled pictures are optional.
    auto optional = [&name](const std::string& suffix) {
        return FindBinaryResource(ResourceKind::Bitmap, name + suffix) ? name + suffix : std::string();
    };
    std::string up = name + "U", down = name + "D", focus = optional("F"), disabled = optional("X");
    if (name.empty() || !LoadBitmaps(up.c_str(), down.c_str(), focus.empty() ? nullptr : focus.c_str(),
                                     disabled.empty() ? nullptr : disabled.c_str()))
        return FALSE;
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    SizeToContent();
    return TRUE;
}

void CBitmapButton::SizeToContent()
{
    BITMAP info{};
    if (!m_bitmap.GetSafeHandle() || !m_bitmap.GetBitmap(&info))
        return;
    SetWindowPos(nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    if (!dis || !m_bitmap.GetSafeHandle())
        return;
    CBitmap* shown = &m_bitmap;
    if ((dis->itemState & ODS_SELECTED) && m_bitmapSel.GetSafeHandle())
        shown = &m_bitmapSel;
    else if ((dis->itemState & ODS_FOCUS) && m_bitmapFocus.GetSafeHandle())
        shown = &m_bitmapFocus;
    else if ((dis->itemState & ODS_DISABLED) && m_bitmapDisabled.GetSafeHandle())
        shown = &m_bitmapDisabled;
    CDC* dc = CDC::FromHandle(dis->hDC);
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* old = memory.SelectObject(shown);
    const RECT& r = dis->rcItem;
    dc->BitBlt(r.left, r.top, r.right - r.left, r.bottom - r.top, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}
