// The shared data of a group of page objects, held by one member: the group's id, its
// rectangle, its code and the permissions of the group as a whole.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/String.h"
#include "platform/ui/CmdTarget.h"

class CHyperRunView;

class CGroupInfo : public CCmdTarget {
    DECLARE_SERIAL(CGroupInfo)
public:
    static constexpr UINT Version = 1;

    CGroupInfo();
    ~CGroupInfo() override = default;

    void Serialize(CArchive& archive) override;

    virtual void CopyFrom(const CGroupInfo* other);
    virtual void GetRect(RECT* out) const { *out = m_rect; }

    void SetView(CHyperRunView* view) { m_view = view; }
    CHyperRunView* GetView() const { return m_view; }

    int GroupID = -1;
    CRect m_rect;
    CString Code;
    int Symbol = 0;
    int m_hasSnapPoints = 1;
    int DfltIsLocked = 0;
    int DfltCanDelete = 1;
    int DfltCanResize = 1;
    int DfltCanInlineEditText = 1;

private:
    CHyperRunView* m_view = nullptr;
};
