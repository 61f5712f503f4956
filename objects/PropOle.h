// The entry of an embedded object's own properties: the dialog shows its caption and a
// warning text, and the object edits itself, so the entry holds no value to apply or restore.
#pragma once

#include "objects/PropOb.h"

class CCmdTarget;

class CPropOle : public CPropOb {
public:
    static constexpr UINT NameId = 27021;
    static constexpr UINT Kind = 15;
    static constexpr UINT CaptionId = 27020;
    static constexpr UINT WarningTextId = 27022;

    explicit CPropOle(CCmdTarget** item);

    // Never equal, so the dialog always offers the entry.
    BOOL IsEqual(const CPropOb*) const override { return FALSE; }
    void Apply() override { }
    void ApplyFrom(const CPropOb*) override { }
    void Restore() override { }
    BOOL GetValueText(CString& text) const override;

    CCmdTarget** m_item;
};
