// A scriptable element with a unique code name in its page, the view it lives in and the
// display name of its type.
#pragma once

#include "objects/HyperVBPSOb.h"

class CComboChoiceList;
class CHyperRunView;

// Type string of an object of no particular kind, "<Object\nObject>".
constexpr UINT IDS_OBJECT_TYPE = 60446;

class CHyperBaseOb : public CHyperVBPSOb {
    DECLARE_SERIAL(CHyperBaseOb)
public:
    // The automation members: Code here, each class adding its own (platform/ole dispatch maps).
    static const AFX_DISPMAP* GetThisDispatchMap();
    const AFX_DISPMAP* GetDispatchMap() const override;

    CHyperBaseOb();
    ~CHyperBaseOb() override = default;

    CString GetCode() const override { return Code; }
    // Stores the display mode: nonzero paints the object as a filled rectangle only.
    int SetParam(int mode) override;

    virtual void CopyFrom(const CHyperBaseOb*) { }
    virtual CString LoadTypeName(UINT stringId) const;
    virtual CString GetTypeName() const { return LoadTypeName(IDS_OBJECT_TYPE); }
    // Code := base followed by n, or base alone for a negative n; returns n.
    virtual int MakeUniqueCode(LPCTSTR base, int n);
    // Kinds that hold a picture append it.
    virtual void CollectBitmaps(CObArray*) { }
    virtual BOOL IsOleObject() const { return FALSE; }
    virtual CHyperRunView* GetView() const { return m_view; }
    virtual void SetView(CHyperRunView* view) { m_view = view; }
    // The choices of the CursorPointer property.
    virtual void FillCursorChoices(CComboChoiceList& choices) const;

    int GetDisplayMode() const { return m_displayMode; }

    CString Code;

protected:
    int m_displayMode = 0;
    CHyperRunView* m_view = nullptr;
};
