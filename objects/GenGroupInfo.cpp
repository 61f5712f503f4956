#include "objects/GenGroupInfo.h"

#include "objects/PropListValue.h"

IMPLEMENT_SERIAL(CGenGroupInfo, CGroupInfo, 0)

CSnapPointSet* CGenGroupInfo::GetSnapPoints()
{
    return m_hasSnapPoints ? &m_extSnapPoints : nullptr;
}

void CGenGroupInfo::AddAnchorProperty(CPropObArray& list)
{
    auto* anchors = new CPropAnchorEx(AnchorsNameId, &m_extSnapPoints.m_anchorsEx);
    anchors->m_captionId = LayersCaptionId;
    list.Add(anchors);
}
