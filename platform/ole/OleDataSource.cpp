// COleDataSource: cached and delayed formats, on the clipboard or in a drag.
#include "platform/ole/OleDataSource.h"

#include "platform/core/GlobalMemory.h"
#include "platform/ole/ClipSource.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

using namespace ole;

namespace {

// The data source as the clipboard or a drag sees it; holds one reference to it.
class DataSourceContent : public ClipSource {
public:
    explicit DataSourceContent(COleDataSource* source) : m_source(source) { }
    ~DataSourceContent() override { m_source->InternalRelease(); }

    COleDataSource* Source() const { return m_source; }
    std::vector<UINT> Formats() override { return m_source->OfferedFormats(); }
    bool Render(UINT format, Bytes& bytes) override { return m_source->RenderBytes(format, bytes) != FALSE; }

private:
    COleDataSource* m_source;
};

bool BytesFromMedium(UINT format, const STGMEDIUM& medium, Bytes& bytes)
{
    switch (medium.tymed) {
    case TYMED_HGLOBAL: return BytesFromGlobal(medium.hGlobal, bytes);
    case TYMED_ENHMF: return BytesFromHandle(CF_ENHMETAFILE, medium.hEnhMetaFile, bytes);
    case TYMED_GDI: return BytesFromHandle(format == CF_PALETTE ? CF_PALETTE : CF_BITMAP, medium.hGdi, bytes);
    default: return false;
    }
}

} // namespace

COleDataSource::~COleDataSource() { Empty(); }

void COleDataSource::Add(CLIPFORMAT format, const STGMEDIUM& medium)
{
    auto same = [format](const Entry& e) { return e.format == format; };
    auto it = std::find_if(m_entries.begin(), m_entries.end(), same);
    if (it == m_entries.end()) {
        m_entries.push_back({format, medium});
        return;
    }
    ReleaseStgMedium(&it->medium);
    it->medium = medium;
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC)
{
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = hGlobal;
    Add(cfFormat, medium);
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC)
{
    if (lpStgMedium)
        Add(cfFormat, *lpStgMedium);
}

void COleDataSource::DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC) { Add(cfFormat, STGMEDIUM{}); }

void COleDataSource::Empty()
{
    for (Entry& e : m_entries)
        ReleaseStgMedium(&e.medium);
    m_entries.clear();
}

std::vector<UINT> COleDataSource::OfferedFormats() const
{
    std::vector<UINT> formats;
    for (const Entry& e : m_entries)
        formats.push_back(e.format);
    return formats;
}

BOOL COleDataSource::RenderBytes(UINT format, std::vector<BYTE>& bytes)
{
    auto it = std::find_if(m_entries.begin(), m_entries.end(), [format](const Entry& e) { return e.format == format; });
    if (it == m_entries.end())
        return FALSE;
    if (it->medium.tymed != TYMED_NULL)
        return BytesFromMedium(format, it->medium, bytes);
    FORMATETC request{static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, MediumOf(format)};
    STGMEDIUM medium{};
    BOOL ok = OnRenderData(&request, &medium) && BytesFromMedium(format, medium, bytes);
    ReleaseStgMedium(&medium);
    return ok;
}

BOOL COleDataSource::OnRenderGlobalData(LPFORMATETC, HGLOBAL*) { return FALSE; }

BOOL COleDataSource::OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium)
{
    if (!lpFormatEtc || !lpStgMedium || !(lpFormatEtc->tymed & TYMED_HGLOBAL))
        return FALSE;
    HGLOBAL block = nullptr;
    if (!OnRenderGlobalData(lpFormatEtc, &block) || !block)
        return FALSE;
    std::memset(lpStgMedium, 0, sizeof *lpStgMedium);
    lpStgMedium->tymed = TYMED_HGLOBAL;
    lpStgMedium->hGlobal = block;
    return TRUE;
}

std::shared_ptr<ClipSource> COleDataSource::MakeClipSource()
{
    InternalAddRef();
    return std::make_shared<DataSourceContent>(this);
}

void COleDataSource::SetClipboard()
{
    PublishClipboard(std::make_shared<DataSourceContent>(this));
}

COleDataSource* COleDataSource::GetClipboardOwner()
{
    auto* content = dynamic_cast<DataSourceContent*>(CurrentClipboard().get());
    return content ? content->Source() : nullptr;
}

void COleDataSource::FlushClipboard()
{
    COleDataSource* owner = GetClipboardOwner();
    if (!owner)
        return;
    for (Entry& e : owner->m_entries) {
        if (e.medium.tymed != TYMED_NULL)
            continue;
        Bytes bytes;
        if (owner->RenderBytes(e.format, bytes)) {
            e.medium.tymed = TYMED_HGLOBAL;
            e.medium.hGlobal = GlobalFromBytes(bytes);
        }
    }
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT, COleDropSource*)
{
    return RunDrag(MakeClipSource(), dwEffects);
}
