// The layers of a page: ordinary layers numbered from 0 and notice layers from 21000, with
// the current layer and the switch that locks every layer but the current one.
#pragma once

#include "objects/HyperListFmt.h"
#include "platform/core/String.h"

class CHyperRunView;

class CLayerItem : public CListFmtItem {
public:
    CLayerItem() = default;
    CLayerItem(int id, const CString& name) : m_name(name) { SetId(id); }

    void CopyFrom(const CListFmtItem* source) override;
    // The id is not compared.
    BOOL IsEqual(const CListFmtItem* other) const override;
    void Serialize(CArchive& archive) override;

    int GetId() const { return m_id; }
    // Ids are stored in 16 bits.
    void SetId(int id);
    static constexpr int NoticeBase = 21000;
    BOOL IsNoticeLayer() const { return m_id >= NoticeBase; }

    CString m_name;
    int m_visible = 1;
    int m_locked = 0;

private:
    int m_id = 0;
};

class CLayerFmt : public CHyperListFmt {
    DECLARE_SERIAL(CLayerFmt)
public:
    static constexpr UINT Version = 1;
    static constexpr int NoticeBase = CLayerItem::NoticeBase;
    static constexpr UINT StandardNameId = 27456;
    static constexpr UINT NoticeNameId = 27479;

    CLayerFmt() = default;

    void Serialize(CArchive& archive) override;
    CListFmtItem* CreateItem() const override { return new CLayerItem; }
    void CopyFrom(const CHyperListFmt* source) override;

    // A new page's layers: "Standard" and the standard notice layer.
    virtual void AddDefaultLayers();
    virtual void SetView(CHyperRunView* view) { m_view = view; }
    virtual BOOL IsLayerVisible(int id) const;
    virtual BOOL IsItemVisible(const CLayerItem* item) const;
    virtual BOOL IsLayerLocked(int id) const;
    virtual BOOL IsItemLocked(const CLayerItem* item) const;

    CLayerItem* GetLayerItem(INT_PTR index) const { return static_cast<CLayerItem*>(GetItem(index)); }
    int GetCurrentLayerId() const;
    int FindLayerIndex(int id) const;
    // A negative id means the current layer; id 0 (or a current id of 0) the first layer.
    CLayerItem* GetLayer(int id) const;
    CHyperRunView* GetView() const { return m_view; }

    int GetLockOthers() const { return m_lockOthers; }
    void SetLockOthers(int lock) { m_lockOthers = lock ? 1 : 0; }
    int GetCurrentIndex() const { return m_currentIndex; }
    void SetCurrentIndex(int index);
    int GetNextLayerNumber() const { return m_nextLayer; }
    void SetNextLayerNumber(int next);
    int m_currentNoticeIndex = 1;

private:
    void AppendNoticeLayer();
    void RaiseNextAboveOrdinaryIds();

    int m_lockOthers = 0;
    int m_currentIndex = 0;
    int m_nextLayer = 0;
    CHyperRunView* m_view = nullptr;
};
