// A list of text and value choices.
#pragma once

#include "objects/HyperListFmt.h"
#include "platform/core/String.h"

class CChoiceItem : public CListFmtItem {
public:
    CChoiceItem() = default;
    CChoiceItem(const CString& text, DWORD value) : m_text(text), m_value(value) { }

    void CopyFrom(const CListFmtItem* source) override;
    BOOL IsEqual(const CListFmtItem* other) const override;
    void Serialize(CArchive& archive) override;

    CString m_text;
    DWORD m_value = 0;
};

class CChoiceFmt : public CHyperListFmt {
    DECLARE_SERIAL(CChoiceFmt)
public:
    CListFmtItem* CreateItem() const override { return new CChoiceItem; }
};
