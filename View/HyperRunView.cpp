// The page view's state: construction, the tool registry, names and object queries.
#include "View/HyperRunView.h"

#include "View/HyperRunFrame.h"
#include "objects/ConnectorEnds.h"
#include "objects/FontDescriptor.h"
#include "objects/HyperFrameOb.h"
#include "objects/HyperOb.h"
#include "objects/HyperViewOb.h"
#include "objects/SnapPointSet.h"
#include "objects/ViewSettings.h"

IMPLEMENT_SERIAL(CHyperRunView, CScrollView, 1)

namespace {

constexpr UINT DefaultFontText = 26645;
constexpr UINT FixedFontText = 26646;

CObjectHost* ResolveHost(const CHyperRunView* view)
{
    return const_cast<CHyperRunView*>(view);
}

BOOL IsAttached(const CConnectorEnds& ends)
{
    return !ends.m_ends[0].code.IsEmpty() || !ends.m_ends[1].code.IsEmpty();
}

void LoadSettingsFont(UINT id, LOGFONT& target)
{
    CFontDescriptor font;
    if (font.LoadFromResource(id))
        target = font.GetLogFont();
}

} // namespace

CHyperRunView::CHyperRunView()
{
    SetObjectHostResolver(ResolveHost);
    CViewSettings& settings = GetViewSettings();
    LoadSettingsFont(DefaultFontText, settings.m_defaultFont);
    LoadSettingsFont(FixedFontText, settings.m_fixedFont);
    InitAutomation(FALSE);
}

CHyperRunView::~CHyperRunView()
{
    DetachFromSettings();
    m_objects.DeleteAll();
    delete m_pageObject;
}

CHyperRunView* AsHyperRunView(CWnd* wnd)
{
    return wnd && wnd->IsKindOf(RUNTIME_CLASS(CHyperRunView)) ? static_cast<CHyperRunView*>(wnd) : nullptr;
}

void CHyperRunView::RegisterTools() { }

void CHyperRunView::SetToolClass(UINT toolId, CRuntimeClass* runtimeClass)
{
    m_toolRegistry.SetAt(static_cast<WORD>(toolId), runtimeClass);
}

int CHyperRunView::GetObjectId(const CHyperOb* object) const
{
    if (!object)
        return -1;
    CRuntimeClass* objectClass = object->GetRuntimeClass();
    for (POSITION pos = m_toolRegistry.GetStartPosition(); pos;) {
        WORD id;
        void* registered;
        m_toolRegistry.GetNextAssoc(pos, id, registered);
        if (registered == objectClass)
            return id;
    }
    return -1;
}

void CHyperRunView::GetObjectTypeName(CString& text, const CHyperOb* object) const
{
    GetClassDisplayName(text, object->GetRuntimeClass());
}

void CHyperRunView::GetClassDisplayName(CString& text, const CRuntimeClass* runtimeClass) const
{
    text = runtimeClass->m_lpszClassName;
}

void CHyperRunView::OnDocumentSaved(LPCTSTR) { }

CWnd* CHyperRunView::GetFocusWnd()
{
    return CWnd::GetFocus();
}

CHyperViewOb* CHyperRunView::CreatePageObject()
{
    SetPageObject(new CHyperViewOb);
    return m_pageObject;
}

void CHyperRunView::SetPageObject(CHyperViewOb* pageObject)
{
    if (pageObject != m_pageObject)
        delete m_pageObject;
    m_pageObject = pageObject;
    if (m_pageObject)
        m_pageObject->SetView(this);
}

void CHyperRunView::MapObjectName(const CString& name, CHyperOb* object)
{
    if (!name.IsEmpty())
        m_nameMap.SetAt(name, object);
}

CHyperOb* CHyperRunView::GetObjectAtIndex(INT_PTR index) const
{
    if (index < 0 || index >= m_objects.GetSize())
        return nullptr;
    return static_cast<CHyperOb*>(m_objects[index]);
}

CHyperOb* CHyperRunView::FindObjectByName(LPCTSTR name) const
{
    CObject* found = nullptr;
    return m_nameMap.Lookup(name, found) ? static_cast<CHyperOb*>(found) : nullptr;
}

BOOL CHyperRunView::CheckDuplicateNames()
{
    CMapStringToOb seen;
    CObArray holders;
    CString report;
    for (INT_PTR i = 0; i < m_objects.GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        CObject* first = nullptr;
        if (!seen.Lookup(object->Code, first)) {
            seen.SetAt(object->Code, object);
            continue;
        }
        if (first) {
            holders.Add(first);
            report += " \"" + object->Code + "\"";
            seen.SetAt(object->Code, nullptr);
        }
        holders.Add(object);
    }
    if (holders.IsEmpty())
        return TRUE;
    BOOL result = ReportDuplicateNames(report, holders);
    holders.RemoveAll();
    return result;
}

BOOL CHyperRunView::ReportDuplicateNames(const CString&, CObArray&)
{
    return FALSE;
}

void CHyperRunView::UpdateConnectors()
{
    CObArray connectors;
    GetConnectors(connectors, TRUE);
    for (INT_PTR i = 0; i < connectors.GetSize(); ++i) {
        auto* connector = static_cast<CHyperOb*>(connectors[i]);
        connector->Refresh(TRUE);
    }
}

int CHyperRunView::GetObjectsWithSnapPoints(CObArray& out) const
{
    for (INT_PTR i = m_objects.GetSize() - 1; i >= 0; --i) {
        CHyperOb* object = GetObjectAtIndex(i);
        CSnapPointSet* snaps = object->GetSnapPoints(FALSE);
        if (snaps && snaps->GetCount() > 0)
            out.Add(object);
    }
    return static_cast<int>(out.GetSize());
}

int CHyperRunView::GetConnectors(CObArray& out, BOOL attachedOnly) const
{
    for (INT_PTR i = 0; i < m_objects.GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        CConnectorEnds* ends = object->GetEndPoints();
        if (ends && (!attachedOnly || IsAttached(*ends)))
            out.Add(object);
    }
    return static_cast<int>(out.GetSize());
}

int CHyperRunView::GetGroupObjects(int groupId, CObArray& out) const
{
    for (INT_PTR i = 0; i < m_objects.GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        if (object->GroupID == groupId)
            out.Add(object);
    }
    return static_cast<int>(out.GetSize());
}

int CHyperRunView::GetGroupedObjects(const CObArray& in, CObArray& out)
{
    for (INT_PTR i = 0; i < in.GetSize(); ++i) {
        auto* object = static_cast<CHyperOb*>(in[i]);
        if (object->GroupID >= 0)
            out.Add(object);
    }
    return static_cast<int>(out.GetSize());
}

int CHyperRunView::OrderByStacking(const CObArray& page, const CObArray& subset, CObArray& out)
{
    INT_PTR wanted = subset.GetSize();
    for (INT_PTR i = page.GetSize() - 1; i >= 0 && out.GetSize() < wanted; --i) {
        for (INT_PTR j = 0; j < wanted; ++j) {
            if (subset[j] == page[i]) {
                out.Add(page[i]);
                break;
            }
        }
    }
    return static_cast<int>(out.GetSize());
}

int CHyperRunView::GetObjectsInRect(CObArray& out, const CRect& rect, BOOL displayRects)
{
    for (INT_PTR i = 0; i < m_objects.GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        CRect own;
        if (displayRects)
            object->GetDisplayRect(&own, FALSE);
        else
            object->GetRect(&own, nullptr);
        if (own.IsRectEmpty())
            own.InflateRect(1, 1);
        CRect common;
        if (common.IntersectRect(&own, &rect))
            out.Add(object);
    }
    return static_cast<int>(out.GetSize());
}

BOOL CHyperRunView::IsRepaintBatched() const
{
    return !IsEditMode() && m_batchedRepaint && m_layoutUpdate;
}

void CHyperRunView::DetachFromSettings()
{
    CObArray& views = GetViewSettings().m_openViews;
    for (INT_PTR i = views.GetSize() - 1; i >= 0; --i) {
        if (views[i] == this)
            views.RemoveAt(i);
    }
}

void CHyperRunView::InitAutomation(BOOL withNames)
{
    m_automationNames.RemoveAll();
    m_automationItems.RemoveAll();
    if (!withNames)
        return;
    constexpr INT_PTR MaxNamedItems = 770;
    auto add = [&](CHyperBaseOb* item) {
        if (item && m_automationItems.GetSize() < MaxNamedItems) {
            m_automationNames.Add(item->GetCode());
            m_automationItems.Add(item);
        }
    };
    add(m_pageObject);
    add(m_frameObject);
    for (INT_PTR i = 0; i < m_objects.GetSize(); ++i)
        add(GetObjectAtIndex(i));
}
