// The group record of generated objects: its snap points carry texts.
#pragma once

#include "objects/GroupInfo.h"

class CGenGroupInfo : public CGroupInfo {
    DECLARE_SERIAL(CGenGroupInfo)
public:
    static constexpr UINT LayersCaptionId = 27453;

    CGenGroupInfo() = default;

    CSnapPointSet* GetSnapPoints() override;

    CExtSnapPointSet m_extSnapPoints;

protected:
    void AddAnchorProperty(CPropObArray& list) override;
};
