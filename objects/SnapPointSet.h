// The snap points of an object or a group: the owner and its two lists. The plain set works
// on the plain list, the extended set on the list whose points carry texts.
#pragma once

#include "objects/AnchorFmt.h"

class CDC;
class CFont;
class CHyperOb;
class CRect;

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
    CAnchorItem* FindPoint(int id) { return GetList().FindPoint(id); }
    const CAnchorItem* FindPoint(int id) const { return GetList().FindPoint(id); }
    virtual BOOL HasConnections() const;
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
    // Adds to the owner's logical update rectangle what the points draw outside the owner's
    // handles, so that what they leave behind is painted again; plain squares stay inside.
    virtual void AddDrawnBounds(CRect*) const { }

    void SetOwner(CHyperOb* owner) { m_owner = owner; }
    CHyperOb* GetOwner() const { return m_owner; }

    static constexpr UINT IndicatorBitmapId = 27969;

    // Nonzero: the points show the indicator bitmap instead of the plain square.
    int m_drawsBitmaps = 0;
    CAnchorFmt m_anchors;

protected:
    // The place and colour of the point at the index; FALSE when it has none.
    BOOL GetIndexedPoint(INT_PTR index, POINT* point, COLORREF* color) const;

private:
    CHyperOb* m_owner;
};

class CExtSnapPointSet : public CSnapPointSet {
public:
    using CSnapPointSet::CSnapPointSet;

    CAnchorFmt& GetList() override { return m_anchorsEx; }
    const CAnchorFmt& GetList() const override { return m_anchorsEx; }
    // Texts show in every mode, printing too; points without a text get the plain square
    // while the page is edited and shows its snap points.
    void DrawSnapIndicators(CDC* dc, BOOL show) override;
    // The texts reach past the owner's rectangle by half their extent.
    void AddDrawnBounds(CRect* area) const override;

    CAnchorFmtEx m_anchorsEx;

private:
    // The text centred on the point in the owner's font and colours.
    void DrawPointText(CDC* dc, POINT point, const CString& text, COLORREF color) const;
    void CreateOwnerFont(CFont& font) const;
    static CRect TextRect(CDC* dc, POINT point, const CString& text);
};
