// An embedded object on a page: the page object with position, colours and snap points, over
// an item that holds the embedded file. It draws the file's preview, opens the file with the
// desktop's handler on its primary verb and keeps it in the document.
#pragma once

#include "objects/HyperOb.h"
#include "objects/SnapPointSet.h"

class CHyperOleItem;

class CHyperOleOb : public CHyperOb {
    DECLARE_SERIAL(CHyperOleOb)
public:
    static const AFX_DISPMAP* GetThisDispatchMap();
    const AFX_DISPMAP* GetDispatchMap() const override;

    static constexpr UINT TypeNameId = 60463;
    static constexpr UINT RecordVersion = 1;
    static constexpr UINT DoVerbsId = 27023;
    static constexpr UINT DoVerbsGroup = 27651;
    static constexpr UINT DoVerbsKind = 4;
    static constexpr UINT NoId = 27146, YesId = 27147;
    static constexpr UINT VerbMenuId = 27924;

    CHyperOleOb() = default;
    ~CHyperOleOb() override;

    void Serialize(CArchive& archive) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    void CollectProperties(CObArray& list, BOOL withChoices) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    CString GetTypeName() const override;
    BOOL IsOleObject() const override { return TRUE; }
    void Draw(CDC* dc) override;
    void ApplyDefaults() override;
    void UpdateHotSpots() override;
    // A right click shows the verb menu.
    BOOL TrackContextMenu(int id, CHotSpotOb* spot, int x, int y, UINT message) override;
    void GetUpdateRect(CRect* out, CDC* dc) const override;
    CSnapPointSet* GetSnapPoints(BOOL own) override;
    BOOL OnInsert() override;
    BOOL Open() override;

    // In run mode the object the view frames shows a frame inverted along its edges.
    virtual void DrawFocusFrame(CDC* dc, const CRect& rect);
    virtual BOOL SwapOleState(CHyperOleOb* other);
    virtual void SetOleItem(CHyperOleItem* item) { m_item = item; }
    virtual CHyperOleItem* GetOleItem() const { return m_item; }

    // Automation: "X" answers no dispatch pointer.
    IDispatch* GetX() { return nullptr; }

    int DoVerbs = 1;
    CString TypeName;
    CString SecondText;

private:
    void LoadFields(CArchive& archive);

    CSnapPointSet m_snapPoints;
    CHyperOleItem* m_item = nullptr;
};
