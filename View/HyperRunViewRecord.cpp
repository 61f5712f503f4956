// The page record in every version, and reading the objects of a document file.
#include "View/HyperRunView.h"

#include "objects/HyperFrameOb.h"
#include "objects/HyperOb.h"
#include "objects/HyperViewOb.h"
#include "objects/VersionTag.h"
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/ui/Document.h"

#include <memory>
#include <utility>

namespace {

constexpr DWORD OldGridFlags = 1;

// Marks the view as busy with its record for as long as it lives.
class CSerializingScope {
public:
    explicit CSerializingScope(BOOL& flag) : m_flag(flag) { m_flag = TRUE; }
    ~CSerializingScope() { m_flag = FALSE; }
    CSerializingScope(const CSerializingScope&) = delete;
    CSerializingScope& operator=(const CSerializingScope&) = delete;

private:
    BOOL& m_flag;
};

// The file-name part of a path in lower case, as a name in the current folder.
CString BareLowerFileName(LPCTSTR path)
{
    CString name = path;
    int cut = name.ReverseFind('\\');
    if (cut < 0)
        cut = name.ReverseFind(':');
    name = name.Mid(cut + 1);
    name.MakeLower();
    return name;
}

} // namespace

void CHyperRunView::Serialize(CArchive& archive)
{
    CSerializingScope busy(m_serializing);
    if (archive.IsStoring())
        StorePageRecord(archive);
    else
        LoadPageRecord(archive);
}

// Flushing the archive between entries would leave the stream as it is; entries are written
// and read without it.
void CHyperRunView::StorePageRecord(CArchive& archive)
{
    // The count is a WORD: a larger page cannot be stored without losing objects.
    if (m_objects.GetSize() > MaxObjects)
        AfxThrowArchiveException(CArchiveException::genericException, nullptr);
    if (!m_pageObject)
        CreatePageObject();
    CVersionTag tag(&archive, this, RecordVersion);
    tag.Write();
    archive << CString() << m_pageFlags << WORD(0) << m_gridStep;
    archive << LONG(m_margins.left) << LONG(m_margins.top) << LONG(m_margins.right) << LONG(m_margins.bottom);
    for (COLORREF color : m_customColors)
        archive << DWORD(color);
    const auto count = static_cast<WORD>(m_objects.GetSize());
    archive << count;
    for (INT_PTR i = 0; i <= count; ++i) {
        archive << DWORD(0);
        archive.WriteObject(i < count ? m_objects[i] : static_cast<CObject*>(m_pageObject));
    }
}

void CHyperRunView::LoadPageRecord(CArchive& archive)
{
    m_loadIncomplete = FALSE;
    CVersionTag tag(&archive, this, RecordVersion);
    tag.Read();
    const int version = tag.GetVersion();
    CString reserved;
    DWORD flags = 0;
    WORD spare = 0;
    archive >> reserved >> flags >> spare >> m_gridStep;
    m_pageFlags = flags == OldGridFlags ? DefaultPageFlags : flags;
    if (version >= 1) {
        LONG left, top, right, bottom;
        archive >> left >> top >> right >> bottom;
        m_margins.SetRect(left, top, right, bottom);
    }
    if (version != CVersionTag::NoTag) {
        for (COLORREF& color : m_customColors)
            archive >> color;
    }
    WORD count = 0;
    archive >> count;
    m_objects.DeleteAll();
    m_nameMap.RemoveAll();
    if (!LoadPageEntries(archive, count)) {
        m_loadIncomplete = TRUE;
        CreatePageObject();
    }
    if (!m_pageObject)
        CreatePageObject();
    m_pageObject->SetView(this);
    TakeFrameObjectValue();
}

// An entry is taken only when it is a new object of the right kind: a reference back to
// an object that already belongs to a page would be owned twice.
BOOL CHyperRunView::LoadPageEntries(CArchive& archive, int count)
{
    m_objects.SetSize(0, count + 1);
    try {
        for (int i = 0; i <= count; ++i) {
            DWORD unused;
            archive >> unused;
            if (i == count) {
                SetPageObject(nullptr);
                auto* page = static_cast<CHyperViewOb*>(archive.ReadObject(RUNTIME_CLASS(CHyperViewOb)));
                if (!page || page->GetView())
                    return FALSE;
                m_pageObject = page;
                return TRUE;
            }
            // Asking for the class refuses any other before an object of it is made.
            auto* object = static_cast<CHyperOb*>(archive.ReadObject(RUNTIME_CLASS(CHyperOb)));
            if (!object)
                return FALSE;
            if (object->GetView())
                return FALSE;
            object->Init(this, nullptr, FALSE);
            object->UpdateHotSpots();
            object->RecalcRect();
            m_objects.Add(object);
        }
    } catch (CException* e) {
        e->Delete();
    }
    return FALSE;
}

void CHyperRunView::TakeFrameObjectValue()
{
    if (!m_frameObject || !m_frameObject->GetOldValue())
        return;
    m_pageObject->m_fourthValue.Copy(*m_frameObject->GetOldValue());
    m_frameObject->DeleteOldValue();
}

BOOL CHyperRunView::SerializeDocToFile(LPCTSTR path, int mode)
{
    const BOOL reading = mode == ReadDocument;
    const UINT openFlags = reading ? CFile::modeRead : CFile::modeCreate | CFile::modeWrite;
    CFile file;
    if (!file.Open(path, openFlags) && !(reading && file.Open(BareLowerFileName(path), openFlags)))
        return FALSE;
    CArchive archive(&file, reading ? CArchive::load : CArchive::store, 4096);
    archive.m_pDocument = GetDocument();
    GetDocument()->Serialize(archive);
    archive.Close();
    return TRUE;
}

CHyperObArray* CHyperRunView::LoadObjectsFromFile(LPCTSTR path, CDocument* document)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        return nullptr;
    CArchive archive(&file, CArchive::load, 4096);
    archive.m_pDocument = document;
    return LoadObjectsFromArchive(archive, document);
}

// The page's own objects and page object are set aside while the file's first page is read
// into the view, and put back whatever happens.
CHyperObArray* CHyperRunView::LoadObjectsFromArchive(CArchive& archive, CDocument*)
{
    auto loaded = std::make_unique<CHyperObArray>();
    CHyperObArray kept(FALSE);
    kept.Append(m_objects);
    m_objects.RemoveAll();
    CHyperViewOb* keptPage = std::exchange(m_pageObject, nullptr);
    CHyperFrameOb* keptFrame = std::exchange(m_frameObject, nullptr);
    BOOL keptIncomplete = m_loadIncomplete;
    try {
        CString title;
        archive >> title;
        delete archive.ReadObject(RUNTIME_CLASS(CHyperFrameOb));
        Serialize(archive);
    } catch (CException* e) {
        e->Delete();
    }
    loaded->Append(m_objects);
    m_objects.RemoveAll();
    m_objects.Append(kept);
    delete m_pageObject;
    m_pageObject = keptPage;
    m_frameObject = keptFrame;
    m_loadIncomplete = keptIncomplete;
    if (loaded->IsEmpty())
        return nullptr;
    return loaded.release();
}
