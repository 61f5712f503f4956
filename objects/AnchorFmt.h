// Snap points: named places on an object's rectangle where connector ends attach, their
// lists (plain and with a text per point) and their positions on a rectangle.
#pragma once

#include "objects/HyperListFmt.h"
#include "platform/core/Geometry.h"
#include "platform/core/String.h"

class CAnchorItem : public CListFmtItem {
    DECLARE_DYNAMIC(CAnchorItem)
public:
    static constexpr UINT Version = 2;
    static constexpr int NoLimit = -1;

    CAnchorItem() = default;

    void CopyFrom(const CListFmtItem* source) override;
    // Every field but the id; the name case-sensitive.
    BOOL IsEqual(const CListFmtItem* other) const override;
    void Serialize(CArchive& archive) override;
    // Every field back to its default.
    virtual void Reset();

    int m_id = -1;
    int m_position = 0;
    int m_xOffset = 0;
    int m_yOffset = 0;
    // Non-zero: offsets in page units; 0: in percent of the rectangle's size.
    int m_offsetMode = 1;
    int m_connectionsIn = 0;
    int m_connectionsOut = 0;
    int m_maxIn = 99;
    int m_maxOut = 99;
    WORD m_dG = 0;
    COLORREF m_color = static_cast<COLORREF>(-1);
    int m_colorFlag = 0;
    CString m_name;
};

// A snap point with a text drawn at it.
class CAnchorItemEx : public CAnchorItem {
    DECLARE_DYNAMIC(CAnchorItemEx)
public:
    void CopyFrom(const CListFmtItem* source) override;
    BOOL IsEqual(const CListFmtItem* other) const override;
    void Serialize(CArchive& archive) override;
    void Reset() override;

    CString m_text;
};

class CAnchorFmt : public CHyperListFmt {
    DECLARE_SERIAL(CAnchorFmt)
public:
    static constexpr UINT Version = 0;

    CAnchorFmt() = default;

    void Serialize(CArchive& archive) override;
    void CopyFrom(const CHyperListFmt* source) override;
    CListFmtItem* CreateItem() const override;
    virtual void InitItem(CAnchorItem* item) const { item->Reset(); }

    CAnchorItem* GetAnchor(INT_PTR index) const { return static_cast<CAnchorItem*>(GetItem(index)); }
    CAnchorItem* FindPoint(int id) const;
    void DeleteAllPoints() { DeleteAll(); }

    int m_nextId = 0;
    int m_secondWord = -1;
};

class CAnchorFmtEx : public CAnchorFmt {
    DECLARE_SERIAL(CAnchorFmtEx)
public:
    CListFmtItem* CreateItem() const override;
};

// TRUE when the connections of the direction (0 in, else out) reached a maximum that is not -1.
BOOL IsPointFull(const CAnchorItem* item, int direction);
// The base point of a position 0-8 on a rectangle; (0, 0) for any other position.
CPoint GetBasePoint(const RECT& rect, int position);
// The place of the snap point with the id on the rectangle, turned by the angle about the
// centre; the colour is -1 unless the point's colour flag is set. FALSE when no point has the id.
BOOL GetSnapPointPosition(const CAnchorFmt& list, const RECT& rect, POINT center, double angle, POINT* out,
                          COLORREF* color, int id);
