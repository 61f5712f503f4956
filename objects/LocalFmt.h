// A frame's local entries, and the four words the frame keeps beside them (not stored with
// the list).
#pragma once

#include "objects/HyperListFmt.h"
#include "platform/core/String.h"

class CLocalItem : public CListFmtItem {
public:
    void CopyFrom(const CListFmtItem* source) override;
    BOOL IsEqual(const CListFmtItem* other) const override;
    void Serialize(CArchive& archive) override;

    DWORD m_word1 = 0;
    DWORD m_word2 = 0;
    CString m_text1;
    CString m_text2;
    BYTE m_byte = 0;
};

class CLocalFmt : public CHyperListFmt {
    DECLARE_SERIAL(CLocalFmt)
public:
    CListFmtItem* CreateItem() const override { return new CLocalItem; }
    // Copies the four words too.
    void CopyFrom(const CHyperListFmt* source) override;

    DWORD m_words[4] = {0, 0, 0, 0};
};
