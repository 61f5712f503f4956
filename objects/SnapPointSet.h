// The snap points of an object or a group: the owner and its two lists. The plain set works
// on the plain list, the extended set on the list whose points carry texts.
#pragma once

#include "objects/AnchorFmt.h"

class CDC;
class CHyperOb;

class CSnapPointSet {
public:
    explicit CSnapPointSet(CHyperOb* owner = nullptr) : m_owner(owner) { }
    virtual ~CSnapPointSet() = default;
    CSnapPointSet(const CSnapPointSet&) = delete;
    CSnapPointSet& operator=(const CSnapPointSet&) = delete;

    virtual INT_PTR GetCount() const { return GetList().GetSize(); }
    virtual CAnchorFmt& GetList() { return m_anchors; }
    virtual const CAnchorFmt& GetList() const { return m_anchors; }

    // Replaces the points by one per set bit 0-8 of the mask, at that position, numbered on.
    void SetPositionMask(UINT mask);
    CAnchorItem* FindPoint(int id) const { return GetList().FindPoint(id); }
    BOOL HasConnections() const;
    // The place of a point (by id, or by index with the flag) on the owner; FALSE when there
    // is no such point (the number becomes -1) or when the place equals the point passed in.
    BOOL GetPointPosition(POINT* point, int* idOrIndex, COLORREF* color, BOOL byIndex) const;

    // Frees every connector end attached to the owner by its Code; returns how many.
    int DetachConnectors();
    // Asks every connector of the list (or, without one, of the owner's view) to move its
    // ends that name the owner onto these points; TRUE when any end moved.
    BOOL RefreshConnectorEnds(const CObArray* connectors);
    // Plain indicators at the points, while the owner's view is edited and not printed.
    virtual void DrawSnapIndicators(CDC* dc, BOOL show);

    void SetOwner(CHyperOb* owner) { m_owner = owner; }
    CHyperOb* GetOwner() const { return m_owner; }

    int m_word = 0;
    CAnchorFmt m_anchors;
    CAnchorFmtEx m_anchorsEx;

protected:
    // A 5 x 5 square on the point, filled with the window colour, outlined in the colour.
    static void DrawIndicator(CDC* dc, POINT point, COLORREF color);

private:
    CHyperOb* m_owner;
};

class CExtSnapPointSet : public CSnapPointSet {
public:
    using CSnapPointSet::CSnapPointSet;

    CAnchorFmt& GetList() override { return m_anchorsEx; }
    const CAnchorFmt& GetList() const override { return m_anchorsEx; }
};
