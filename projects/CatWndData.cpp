// Entries in and out of the window: the clipboard, drags out, drops in, and the commands
// that change the catalogue.
#include "projects/CatWnd.h"

#include "View/CatalogueRequest.h"
#include "projects/CatManager.h"
#include "projects/CatSettings.h"
#include "projects/Catalogue.h"
#include "projects/CatalogueOb.h"
#include "platform/core/GlobalMemory.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WinApp.h"

#include <memory>
#include <vector>

namespace {

constexpr size_t kTextNameLength = 64;

// The bytes of a global block, or nothing.
std::vector<BYTE> BlockBytes(HGLOBAL block)
{
    std::vector<BYTE> bytes;
    if (const auto* data = static_cast<const BYTE*>(GlobalLock(block))) {
        bytes.assign(data, data + GlobalSize(block));
        GlobalUnlock(block);
    }
    return bytes;
}

// The first 64 characters up to the first zero byte; control characters other than line
// breaks become blanks.
CString TextEntryName(const std::vector<BYTE>& text)
{
    CString name;
    for (size_t i = 0; i < text.size() && i < kTextNameLength && text[i]; ++i) {
        const char c = static_cast<char>(text[i]);
        name += static_cast<unsigned char>(c) < 0x20 && c != '\r' && c != '\n' ? ' ' : c;
    }
    return name;
}

} // namespace

BOOL CCatWnd::FillDataSource(COleDataSource* source, CCatalogueOb* entry)
{
    entry->CacheInDataSource(source);
    entry->PutAllFormats(source);
    return TRUE;
}

CCatalogueOb* CCatWnd::EntryFromText(COleDataObject* data) const
{
    HGLOBAL block = data->GetGlobalData(CF_TEXT);
    if (!block)
        return nullptr;
    const std::vector<BYTE> text = BlockBytes(block);
    auto entry = std::make_unique<CCatalogueOb>();
    entry->SetName(TextEntryName(text));
    entry->SetIconFromHandle(::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(m_settings->m_textEntryIconId)));
    entry->AddClipboardData(CF_TEXT, block);
    GlobalFree(block);
    return entry.release();
}

CCatalogueOb* CCatWnd::EntryFromDib(COleDataObject* data) const
{
    HGLOBAL block = data->GetGlobalData(CF_DIB);
    if (!block)
        return nullptr;
    auto entry = std::make_unique<CCatalogueOb>();
    const std::vector<BYTE> packed = BlockBytes(block);
    if (!entry->LoadIconPackedDib(packed.data(), packed.size(), m_settings->m_iconSize)) {
        GlobalFree(block);
        return nullptr;
    }
    entry->SetName("Bitmap");
    entry->AddClipboardData(CF_DIB, block);
    GlobalFree(block);
    return entry.release();
}

// The whole entry when one is offered, else an entry made of text or of a picture.
CCatalogueOb* CCatWnd::EntryFromData(COleDataObject* data) const
{
    if (data->IsDataAvailable(static_cast<CLIPFORMAT>(CatalogueObjectFormat()))) {
        HGLOBAL block = data->GetGlobalData(static_cast<CLIPFORMAT>(CatalogueObjectFormat()));
        CCatalogueOb* entry = block ? CCatalogueOb::FromGlobal(block) : nullptr;
        GlobalFree(block);
        return entry;
    }
    if (data->IsDataAvailable(CF_TEXT))
        return EntryFromText(data);
    if (data->IsDataAvailable(CF_DIB))
        return EntryFromDib(data);
    return nullptr;
}

BOOL CCatWnd::InsertData(COleDataObject* data, int index)
{
    CCatalogueOb* entry = m_catalogue && CanChange() ? EntryFromData(data) : nullptr;
    if (!entry)
        return FALSE;
    const BOOL inserted = m_manager->ChangeWithUndo([&](CCatalogue& catalogue) {
        catalogue.InsertEntry(index, entry);
        return TRUE;
    });
    RecalcLayout();
    if (inserted)
        SelectItem(std::clamp(index, 0, m_catalogue->GetCount() - 1));
    Invalidate();
    return TRUE;
}

DROPEFFECT CCatWnd::OnDragOver(COleDataObject* data, DWORD, CPoint)
{
    if (!m_manager || !m_manager->CanAcceptData(data) || !CanChange())
        return DROPEFFECT_NONE;
    return m_dragSource >= 0 ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

BOOL CCatWnd::OnDrop(COleDataObject* data, DROPEFFECT, CPoint point)
{
    const int position = GetInsertPosition(point.x, point.y);
    if (m_dragSource < 0)
        return InsertData(data, position);
    const int source = m_dragSource;
    if (m_manager->ChangeWithUndo([&](CCatalogue& catalogue) {
            catalogue.MoveEntry(position, source);
            return TRUE;
        })) {
        RecalcLayout();
        SelectItem(position > source ? position - 1 : position);
    }
    return TRUE;
}

// Moving an entry out to another window copies it; the entry stays here.
void CCatWnd::StartDrag(int index)
{
    if (!m_catalogue || index < 0 || index >= m_catalogue->GetCount())
        return;
    auto* source = new COleDataSource;
    FillDataSource(source, m_catalogue->GetEntry(index));
    m_dragSource = index;
    source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    source->Empty();
    source->InternalRelease();
    m_dragSource = -1;
}

DROPEFFECT CCatDropTarget::OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keys, CPoint point)
{
    return OnDragOver(wnd, data, keys, point);
}

DROPEFFECT CCatDropTarget::OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keys, CPoint point)
{
    auto* window = dynamic_cast<CCatWnd*>(wnd);
    return window ? window->OnDragOver(data, keys, point) : DROPEFFECT_NONE;
}

BOOL CCatDropTarget::OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point)
{
    auto* window = dynamic_cast<CCatWnd*>(wnd);
    return window && window->OnDrop(data, effect, point);
}

void CCatWnd::OnCopy()
{
    if (!m_catalogue || m_selection < 0)
        return;
    auto* source = new COleDataSource;
    FillDataSource(source, m_catalogue->GetEntry(m_selection));
    source->SetClipboard();
}

void CCatWnd::OnUpdateCopy(CCmdUI* cmdUI) { cmdUI->Enable(m_catalogue && m_selection >= 0); }

void CCatWnd::OnPaste()
{
    COleDataObject data;
    if (data.AttachClipboard())
        InsertData(&data, m_catalogue ? m_catalogue->GetCount() : 0);
}

// A page's request (index -3) is answered here: with a data source its data becomes a new
// entry at the end, without one the index tells whether an entry can be added.
void CCatWnd::OnUpdatePaste(CCmdUI* cmdUI)
{
    if (cmdUI->m_nIndex == CCatalogueRequest::RequestIndex) {
        auto* request = dynamic_cast<CCatalogueRequest*>(cmdUI);
        if (request && request->m_source) {
            COleDataObject data;
            data.AttachSource(request->m_source->MakeClipSource());
            InsertData(&data, m_catalogue ? m_catalogue->GetCount() : 0);
        } else {
            cmdUI->m_nIndex = CanChange() ? 1 : 0;
        }
        return;
    }
    COleDataObject data;
    const BOOL offered = data.AttachClipboard() && m_manager && m_manager->CanAcceptData(&data) &&
                         (data.IsDataAvailable(static_cast<CLIPFORMAT>(CatalogueObjectFormat())) ||
                          data.IsDataAvailable(CF_TEXT) || data.IsDataAvailable(CF_DIB));
    cmdUI->Enable(CanChange() && offered);
}

void CCatWnd::OnRemove()
{
    const int index = m_selection;
    if (index < 0 || !m_manager->ChangeWithUndo([&](CCatalogue& catalogue) {
            catalogue.RemoveEntry(index);
            return TRUE;
        }))
        return;
    RecalcLayout();
    SelectItem(-1);
}

void CCatWnd::OnUpdateChange(CCmdUI* cmdUI) { cmdUI->Enable(m_selection >= 0 && CanChange()); }

void CCatWnd::OnViewMode(UINT id) { SetViewMode(static_cast<int>(id - CmdFirstView)); }

void CCatWnd::OnUpdateViewMode(CCmdUI* cmdUI) { cmdUI->SetRadio(cmdUI->m_nID - CmdFirstView == UINT(m_viewMode)); }

void CCatWnd::OnChangeIcon()
{
    const int index = m_selection, size = m_settings->m_iconSize;
    if (index >= 0)
        m_manager->ChangeWithUndo([&](CCatalogue& catalogue) { return catalogue.ChangeEntryIcon(index, size) == 0; });
    Invalidate();
}

void CCatWnd::OnEditIcon()
{
    const int index = m_selection, size = m_settings->m_iconSize;
    if (index >= 0)
        m_manager->ChangeWithUndo(
            [&](CCatalogue& catalogue) { return m_manager->EditEntryIcon(&catalogue, index, size); });
    Invalidate();
}

void CCatWnd::OnUpdateEditIcon(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_selection >= 0 && CanChange() && m_manager && m_manager->CanEditIcons());
}
