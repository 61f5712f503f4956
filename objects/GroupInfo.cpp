#include "objects/GroupInfo.h"

#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/PropCombo.h"
#include "objects/PropListValue.h"
#include "objects/PropText.h"
#include "objects/VersionTag.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CGroupInfo, CCmdTarget, 0)

namespace {

// The value every member that has one agrees on; -1 when none has it or two differ.
template <typename Get>
long AgreedValue(const std::vector<CHyperOb*>& members, Get get)
{
    long agreed = -1;
    bool found = false;
    for (CHyperOb* member : members) {
        long value = 0;
        if (!get(member, &value))
            continue;
        if (found && value != agreed)
            return -1;
        agreed = value;
        found = true;
    }
    return agreed;
}

} // namespace

CGroupInfo::CGroupInfo()
{
    EnableAutomation();
}

void CGroupInfo::CopyFrom(const CGroupInfo* other)
{
    m_view = other->m_view;
    GroupID = other->GroupID;
    m_rect = other->m_rect;
    Code = other->Code;
    Symbol = other->Symbol;
    m_hasSnapPoints = other->m_hasSnapPoints;
    CAnchorFmt* list = GetSnapPointList();
    CAnchorFmt* source = const_cast<CGroupInfo*>(other)->GetSnapPointList();
    if (list && source)
        list->CopyFrom(source);
    DfltIsLocked = other->DfltIsLocked;
    DfltCanDelete = other->DfltCanDelete;
    DfltCanResize = other->DfltCanResize;
    DfltCanInlineEditText = other->DfltCanInlineEditText;
}

CSnapPointSet* CGroupInfo::GetSnapPoints()
{
    return m_hasSnapPoints ? &m_snapPoints : nullptr;
}

CAnchorFmt* CGroupInfo::GetSnapPointList()
{
    CSnapPointSet* set = GetSnapPoints();
    return set ? &set->GetList() : nullptr;
}

void CGroupInfo::Serialize(CArchive& archive)
{
    CVersionTag tag(&archive, this, Version);
    if (archive.IsStoring()) {
        tag.Write();
        archive << GroupID << static_cast<int>(m_rect.left) << static_cast<int>(m_rect.top)
                << static_cast<int>(m_rect.right) << static_cast<int>(m_rect.bottom) << Code << Symbol
                << static_cast<BYTE>(m_hasSnapPoints ? 1 : 0);
    } else {
        tag.Read();
        if (tag.GetVersion() >= 1)
            archive >> GroupID;
        int left, top, right, bottom;
        BYTE hasSnapPoints;
        archive >> left >> top >> right >> bottom >> Code >> Symbol >> hasSnapPoints;
        m_rect.SetRect(left, top, right, bottom);
        m_hasSnapPoints = hasSnapPoints;
    }
    if (CAnchorFmt* list = GetSnapPointList())
        list->Serialize(archive);
}

void CGroupInfo::CollectProperties(CPropObArray& list, BOOL withChoices)
{
    CSnapPointSet* set = GetSnapPoints();
    auto* code = new CPropCodeStr(CodeNameId, &Code, nullptr, m_view);
    // Connector ends refer to the group by its Code.
    code->m_editable = !(set && set->HasConnections());
    list.Add(code);
    auto* symbol = new CPropCombo(SymbolNameId, reinterpret_cast<DWORD*>(&Symbol));
    symbol->m_kind = 4;
    symbol->m_editable = Symbol == 0;
    if (withChoices) {
        symbol->AddChoiceById(27146, 0);
        symbol->AddChoiceById(27147, 1);
    }
    list.Add(symbol);
    if (set)
        AddAnchorProperty(list);
}

void CGroupInfo::AddAnchorProperty(CPropObArray& list)
{
    auto* anchors = new CPropAnchor(AnchorsNameId, GetSnapPointList());
    anchors->m_captionId = 27440;
    list.Add(anchors);
}

void CGroupInfo::UpdateMembers(const std::vector<CHyperOb*>& objects, int argument)
{
    for (auto member = objects.rbegin(); member != objects.rend(); ++member)
        (*member)->UpdateLayout(argument, 0);
}

std::vector<CHyperOb*> CGroupInfo::GetMembers() const
{
    std::vector<CHyperOb*> members;
    CObjectHost* host = GetObjectHost(m_view);
    if (!host)
        return members;
    for (int i = 0; i < host->GetObjectCount(); ++i) {
        auto* object = dynamic_cast<CHyperOb*>(host->GetObjectAt(i));
        if (object && object->GroupID == GroupID)
            members.push_back(object);
    }
    return members;
}

template <typename Set>
void CGroupInfo::SetOnMembers(Set set)
{
    std::vector<CHyperOb*> members = GetMembers();
    for (CHyperOb* member : members)
        set(member);
    UpdateMembers(members, 0);
}

long CGroupInfo::GetBackColor() const
{
    return AgreedValue(GetMembers(), [](CHyperOb* member, long* value) {
        COLORREF color = 0;
        BOOL has = member->GetBackColor(&color);
        *value = static_cast<long>(static_cast<int>(color));
        return has;
    });
}

void CGroupInfo::SetBackColor(long color)
{
    SetOnMembers([&](CHyperOb* member) { member->SetBackColor(static_cast<COLORREF>(color)); });
}

long CGroupInfo::GetForeColor() const
{
    return AgreedValue(GetMembers(), [](CHyperOb* member, long* value) {
        COLORREF color = 0;
        BOOL has = member->GetForeColor(&color);
        *value = static_cast<long>(static_cast<int>(color));
        return has;
    });
}

void CGroupInfo::SetForeColor(long color)
{
    SetOnMembers([&](CHyperOb* member) { member->SetForeColor(static_cast<COLORREF>(color)); });
}

long CGroupInfo::GetPenWidth() const
{
    return AgreedValue(GetMembers(), [](CHyperOb* member, long* value) {
        int width = 0;
        BOOL has = member->GetPenWidth(&width);
        *value = width;
        return has;
    });
}

void CGroupInfo::SetPenWidth(long width)
{
    SetOnMembers([&](CHyperOb* member) { member->SetPenWidth(static_cast<int>(width)); });
}

long CGroupInfo::GetPenStyle() const
{
    return AgreedValue(GetMembers(), [](CHyperOb* member, long* value) {
        int style = 0;
        BOOL has = member->GetPenStyle(&style);
        *value = style;
        return has;
    });
}

void CGroupInfo::SetPenStyle(long style)
{
    SetOnMembers([&](CHyperOb* member) { member->SetPenStyle(static_cast<int>(style)); });
}

CString CGroupInfo::GetFont() const
{
    CString text;
    for (CHyperOb* member : GetMembers()) {
        LOGFONT font;
        if (member->GetFont(&font, FALSE))
            FormatLogFont(text, &font);
    }
    return text;
}

void CGroupInfo::SetFont(LPCTSTR text)
{
    CFontDescriptor font;
    if (!font.FromString(text)) {
        UpdateMembers(GetMembers(), 0);
        return;
    }
    SetOnMembers([&](CHyperOb* member) { member->SetFont(&font.GetLogFont()); });
}

CString CGroupInfo::GetText() const
{
    CString text;
    for (CHyperOb* member : GetMembers()) {
        CString own;
        if (member->GetText(own))
            text = own;
    }
    return text;
}

void CGroupInfo::SetText(LPCTSTR text)
{
    SetOnMembers([&](CHyperOb* member) { member->SetText(text); });
}

long CGroupInfo::GetEnable() const
{
    std::vector<CHyperOb*> members = GetMembers();
    return members.empty() ? -1 : members.front()->Enable.GetLong();
}

void CGroupInfo::SetEnable(long enable)
{
    CString text;
    text.Format("%ld", enable);
    SetOnMembers([&](CHyperOb* member) { member->Enable.Set(CObValue::KindLiteral, text); });
}

long CGroupInfo::GetVisible() const
{
    std::vector<CHyperOb*> members = GetMembers();
    return members.empty() ? -1 : members.front()->Visible.GetLong();
}

void CGroupInfo::SetVisible(long visible)
{
    CString text;
    text.Format("%ld", visible);
    SetOnMembers([&](CHyperOb* member) { member->Visible.Set(CObValue::KindLiteral, text); });
}

long CGroupInfo::GetLayerID() const
{
    std::vector<CHyperOb*> members = GetMembers();
    return members.empty() ? -1 : members.front()->LayerID;
}

void CGroupInfo::SetLayerID(long layer)
{
    SetOnMembers([&](CHyperOb* member) { member->LayerID = static_cast<int>(layer); });
}

void CGroupInfo::OnUpdate()
{
    UpdateMembers(GetMembers(), 0);
}

void CGroupInfo::Move(long dx, long dy)
{
    std::vector<CHyperOb*> members = GetMembers();
    if (members.empty())
        return;
    if (members.front()->HasTracker() && members.front()->GetTracker()->m_trackedHandle >= 0)
        return;
    for (CHyperOb* member : members) {
        CRect rect;
        member->GetRect(&rect, nullptr);
        rect.OffsetRect(static_cast<int>(dx), static_cast<int>(dy));
        member->SetRect(rect);
    }
    UpdateMembers(members, 1);
}

CCmdTarget* CGroupInfo::GetSubObject(long index) const
{
    std::vector<CHyperOb*> members = GetMembers();
    if (index < 0 || index >= static_cast<long>(members.size()))
        return nullptr;
    CHyperOb* member = members[static_cast<size_t>(index)];
    member->ExternalAddRef();
    return member;
}

IDispatch* CGroupInfo::GetSubObjectDispatch(long index) const
{
    std::vector<CHyperOb*> members = GetMembers();
    if (index < 0 || index >= static_cast<long>(members.size()))
        return nullptr;
    return members[static_cast<size_t>(index)]->GetIDispatch(TRUE);
}
