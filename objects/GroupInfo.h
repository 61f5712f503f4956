// The shared data of a group of page objects, held by one member: the group's id, its
// rectangle, its code, its snap points and the permissions of the group as a whole. Its
// script properties read from and write through to the members.
#pragma once

#include "objects/SnapPointSet.h"
#include "platform/core/Geometry.h"
#include "platform/core/String.h"
#include "platform/ui/CmdTarget.h"

#include <vector>

class CHyperOb;
class CHyperRunView;
class CPropObArray;

class CGroupInfo : public CCmdTarget {
    DECLARE_SERIAL(CGroupInfo)
public:
    static const AFX_DISPMAP* GetThisDispatchMap();
    const AFX_DISPMAP* GetDispatchMap() const override;

    static constexpr UINT Version = 1;
    static constexpr UINT CodeNameId = 26693;
    static constexpr UINT SymbolNameId = 26695;
    static constexpr UINT AnchorsNameId = 27441;

    CGroupInfo();
    ~CGroupInfo() override = default;

    void Serialize(CArchive& archive) override;

    virtual void CopyFrom(const CGroupInfo* other);
    virtual void CollectProperties(CPropObArray& list, BOOL withChoices);
    // UpdateLayout (argument, 0) on every object, last to first.
    virtual void UpdateMembers(const std::vector<CHyperOb*>& objects, int argument);
    virtual void GetRect(RECT* out) const { *out = m_rect; }
    virtual int GetSymbol() const { return Symbol; }
    // The snap points while the group has them, else NULL.
    virtual CSnapPointSet* GetSnapPoints();
    CAnchorFmt* GetSnapPointList();
    virtual BOOL IsLocked() const { return DfltIsLocked; }
    virtual BOOL IsUnlocked() const { return !IsLocked(); }
    virtual BOOL CanDelete() const { return DfltCanDelete; }
    virtual BOOL CanResize() const { return DfltCanResize; }
    virtual BOOL CanInlineEditText() const { return DfltCanInlineEditText; }

    void SetView(CHyperRunView* view) { m_view = view; }
    CHyperRunView* GetView() const { return m_view; }

    // The view's objects with this group's id, in the view's order.
    std::vector<CHyperOb*> GetMembers() const;

    // Script properties. Colours, pen width and style: the value all members that have one
    // agree on, else -1; font: the last member's; Enable, Visible, LayerID: the first's or -1.
    long GetBackColor() const;
    void SetBackColor(long color);
    long GetForeColor() const;
    void SetForeColor(long color);
    long GetPenWidth() const;
    void SetPenWidth(long width);
    long GetPenStyle() const;
    void SetPenStyle(long style);
    CString GetFont() const;
    void SetFont(LPCTSTR text);
    CString GetText() const;
    void SetText(LPCTSTR text);
    long GetEnable() const;
    void SetEnable(long enable);
    long GetVisible() const;
    void SetVisible(long visible);
    long GetLayerID() const;
    void SetLayerID(long layer);
    void OnUpdate();
    void Move(long dx, long dy);
    long GetNumSubObjects() const { return static_cast<long>(GetMembers().size()); }
    // The member with an added reference, or NULL outside the members.
    CCmdTarget* GetSubObject(long index) const;
    IDispatch* GetSubObjectDispatch(long index) const;

    int GroupID = -1;
    CRect m_rect;
    CString Code;
    int Symbol = 0;
    int m_hasSnapPoints = 1;
    int DfltIsLocked = 0;
    int DfltCanDelete = 1;
    int DfltCanResize = 1;
    int DfltCanInlineEditText = 1;
    CSnapPointSet m_snapPoints;

protected:
    // Sets a value on every member, then updates them.
    template <typename Set>
    void SetOnMembers(Set set);
    // The property editor of the snap points.
    virtual void AddAnchorProperty(CPropObArray& list);

private:
    CHyperRunView* m_view = nullptr;
};
