#include "View/CatView.h"

#include "View/CatalogueRequest.h"
#include "View/ObjectsFormat.h"
#include "objects/HyperOb.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CCatView, CHyperOleView)

BEGIN_MESSAGE_MAP(CCatView, CHyperOleView)
    ON_COMMAND(CmdAddToCatalog, OnAddToCatalog)
    ON_UPDATE_COMMAND_UI(CmdAddToCatalog, OnUpdateAddToCatalog)
END_MESSAGE_MAP()

namespace {

CCatView::EntryMaker& Maker()
{
    static CCatView::EntryMaker maker = nullptr;
    return maker;
}

CRect UnionOf(const std::vector<const CHyperOb*>& objects)
{
    CRect all;
    for (const CHyperOb* object : objects) {
        CRect rect;
        object->GetRect(&rect, nullptr);
        rect.NormalizeRect();
        all = all.IsRectEmpty() ? rect : (all | rect);
    }
    return all;
}

} // namespace

void CCatView::SetEntryMaker(EntryMaker maker) { Maker() = maker; }

std::vector<const CHyperOb*> CCatView::GetSelectedInOrder() const
{
    std::vector<const CHyperOb*> objects;
    for (int i = 0; i < GetObjects().GetSize(); ++i) {
        const CHyperOb* object = GetObjectAtIndex(i);
        for (int s = 0; s < m_selection.GetSize(); ++s)
            if (m_selection[s] == object)
                objects.push_back(object);
    }
    if (objects.empty() && GetCurrentObject())
        objects.push_back(GetCurrentObject());
    return objects;
}

// The objects are drawn at most 256 pixels across, once on black and once on white: a pixel
// that stays black on the one and white on the other is not covered. The picture keeps the
// black background, which the mask leaves out.
BOOL CCatView::MakeIcon(const std::vector<const CHyperOb*>& objects, CBitmap& image, CBitmap& mask)
{
    const CRect all = UnionOf(objects);
    if (all.IsRectEmpty())
        return FALSE;
    const double scale = std::min(1.0, double(MaxPictureExtent) / std::max(all.Width(), all.Height()));
    const int width = std::max(1, int(all.Width() * scale)), height = std::max(1, int(all.Height() * scale));
    CClientDC screen(this);
    CDC onBlack, onWhite, iconDC;
    onBlack.CreateCompatibleDC(&screen);
    onWhite.CreateCompatibleDC(&screen);
    iconDC.CreateCompatibleDC(&screen);
    CBitmap black, white;
    black.CreateCompatibleBitmap(&screen, width, height);
    white.CreateCompatibleBitmap(&screen, width, height);
    CBitmap* oldBlack = onBlack.SelectObject(&black);
    CBitmap* oldWhite = onWhite.SelectObject(&white);
    onBlack.PatBlt(0, 0, width, height, BLACKNESS);
    onWhite.PatBlt(0, 0, width, height, WHITENESS);
    for (CDC* dc : {&onBlack, &onWhite}) {
        dc->SetMapMode(MM_ANISOTROPIC);
        dc->SetWindowOrg(all.left, all.top);
        dc->SetWindowExt(all.Width(), all.Height());
        dc->SetViewportExt(width, height);
        for (auto it = objects.rbegin(); it != objects.rend(); ++it)
            const_cast<CHyperOb*>(*it)->Draw(dc);
        dc->SetMapMode(MM_TEXT);
        dc->SetWindowOrg(0, 0);
    }
    image.CreateCompatibleBitmap(&screen, IconSize, IconSize);
    mask.CreateBitmap(IconSize, IconSize, 1, 1, nullptr);
    CBitmap* oldIcon = iconDC.SelectObject(&image);
    iconDC.SetStretchBltMode(HALFTONE);
    iconDC.StretchBlt(0, 0, IconSize, IconSize, &onBlack, 0, 0, width, height, SRCCOPY);
    iconDC.SelectObject(&mask);
    iconDC.SetStretchBltMode(COLORONCOLOR);
    onWhite.SetBkColor(RGB(255, 255, 255));
    iconDC.StretchBlt(0, 0, IconSize, IconSize, &onWhite, 0, 0, width, height, SRCCOPY);
    onBlack.SetBkColor(RGB(0, 0, 0));
    iconDC.StretchBlt(0, 0, IconSize, IconSize, &onBlack, 0, 0, width, height, SRCAND);
    iconDC.SelectObject(oldIcon);
    onBlack.SelectObject(oldBlack);
    onWhite.SelectObject(oldWhite);
    return TRUE;
}

COleDataSource* CCatView::MakeDataSource(const std::vector<const CHyperOb*>& objects)
{
    if (objects.empty())
        return nullptr;
    HGLOBAL block = SaveObjectsToGlobal(objects);
    if (!block)
        return nullptr;
    auto* source = new COleDataSource;
    const UINT format = PrivateObjectFormat();
    source->CacheGlobalData(static_cast<CLIPFORMAT>(format), block);
    OfferInk(source, objects);
    OnDataSourceHook(source, objects, format, block, FALSE);
    return source;
}

// Every data source of the selection (copy, drag, Add to Catalog) also carries a catalogue entry,
// so a catalogue window can take the objects from the clipboard or a drop.
BOOL CCatView::OnDataSourceHook(COleDataSource* source, const std::vector<const CHyperOb*>& objects, UINT format,
                                HGLOBAL block, BOOL)
{
    CBitmap image, mask;
    if (Maker() && !objects.empty() && MakeIcon(objects, image, mask))
        Maker()(source, format, block, objects.front()->GetCode(), &image, &mask);
    return TRUE;
}

// The catalogue window takes the data through its Paste Item update.
void CCatView::OnAddToCatalog()
{
    COleDataSource* source = MakeDataSource(GetSelectedInOrder());
    if (!source)
        return;
    CCatalogueRequest request(source);
    if (CWnd* main = AfxGetMainWnd())
        request.DoUpdate(main, FALSE);
    source->InternalRelease();
}

void CCatView::OnUpdateAddToCatalog(CCmdUI* cmdUI)
{
    CCatalogueRequest ask;
    if (CWnd* main = AfxGetMainWnd())
        ask.DoUpdate(main, FALSE);
    cmdUI->Enable(ask.m_nIndex != 0 && m_editMode && !GetSelectedInOrder().empty());
}

