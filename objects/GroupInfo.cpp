#include "objects/GroupInfo.h"

#include "objects/VersionTag.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CGroupInfo, CCmdTarget, 0)

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
    DfltIsLocked = other->DfltIsLocked;
    DfltCanDelete = other->DfltCanDelete;
    DfltCanResize = other->DfltCanResize;
    DfltCanInlineEditText = other->DfltCanInlineEditText;
}

void CGroupInfo::Serialize(CArchive& archive)
{
    CVersionTag tag(&archive, this, Version);
    if (archive.IsStoring()) {
        tag.Write();
        archive << GroupID << static_cast<int>(m_rect.left) << static_cast<int>(m_rect.top)
                << static_cast<int>(m_rect.right) << static_cast<int>(m_rect.bottom) << Code << Symbol
                << static_cast<BYTE>(m_hasSnapPoints ? 1 : 0);
        return;
    }
    tag.Read();
    if (tag.GetVersion() >= 1)
        archive >> GroupID;
    int left, top, right, bottom;
    BYTE hasSnapPoints;
    archive >> left >> top >> right >> bottom >> Code >> Symbol >> hasSnapPoints;
    m_rect.SetRect(left, top, right, bottom);
    m_hasSnapPoints = hasSnapPoints;
}
