#include "View/Thumbnail.h"

#include "View/HyperRunView.h"
#include "imaging/Dib.h"
#include "objects/HyperViewOb.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/gdi/Dc.h"

IMPLEMENT_SERIAL(CThumbnail, CObject, 0)

namespace {

constexpr UINT ThumbnailBits = 4;

CRect PictureRect(CHyperRunView* view)
{
    CRect rect;
    if (view->IsMapped())
        rect.SetRect(0, 0, view->GetPageObject()->GetScrollWidth(), view->GetPageObject()->GetScrollHeight());
    else if (view->m_hWnd)
        view->GetClientRect(&rect);
    return rect;
}

void WriteDword(CFile* file, DWORD value)
{
    const BYTE bytes[4] = {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
    file->Write(bytes, sizeof bytes);
}

} // namespace

CThumbnail::CThumbnail() = default;
CThumbnail::~CThumbnail() = default;

// The page is drawn as in run mode, on the page's colour.
void CThumbnail::Render(CHyperRunView* view)
{
    m_picture = std::make_unique<CDib>();
    const CRect rect = PictureRect(view);
    if (rect.IsRectEmpty() || !view->GetPageObject())
        return;
    HDC screen = ::GetDC(view->m_hWnd);
    CDC reference;
    reference.Attach(screen);
    CDC memory;
    memory.CreateCompatibleDC(&reference);
    CBitmap bitmap;
    if (bitmap.CreateCompatibleBitmap(&reference, rect.Width(), rect.Height())) {
        CBitmap* old = memory.SelectObject(&bitmap);
        CBrush brush(view->GetPageObject()->GetColor());
        memory.FillRect(&rect, &brush);
        const BOOL editMode = view->IsEditMode();
        view->SetEditMode(FALSE);
        view->DrawPage(&memory, rect);
        view->SetEditMode(editMode);
        m_picture = std::make_unique<CDib>(&memory, ThumbnailBits, TRUE);
        memory.SelectObject(old);
    }
    reference.Detach();
    ::ReleaseDC(view->m_hWnd, screen);
}

// The length and the magic go to the file itself, after the picture's record, so the
// trailer is the file's last 8 + length bytes.
void CThumbnail::Serialize(CArchive& archive)
{
    if (!archive.IsStoring())
        return;
    if (!m_picture)
        m_picture = std::make_unique<CDib>();
    archive.Flush();
    CFile* file = archive.GetFile();
    const ULONGLONG start = file->GetPosition();
    m_picture->Serialize(archive);
    archive.Flush();
    WriteDword(file, static_cast<DWORD>(file->GetPosition() - start));
    WriteDword(file, m_magic);
    archive.Flush();
}
