#include "objects/LocalFmt.h"

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CLocalFmt, CHyperListFmt, 0)

void CLocalItem::CopyFrom(const CListFmtItem* source)
{
    auto* item = static_cast<const CLocalItem*>(source);
    m_word1 = item->m_word1;
    m_word2 = item->m_word2;
    m_text1 = item->m_text1;
    m_text2 = item->m_text2;
    m_byte = item->m_byte;
}

BOOL CLocalItem::IsEqual(const CListFmtItem* other) const
{
    auto* item = static_cast<const CLocalItem*>(other);
    return m_word1 == item->m_word1 && m_word2 == item->m_word2 && m_text1 == item->m_text1 &&
           m_text2 == item->m_text2 && m_byte == item->m_byte;
}

void CLocalItem::Serialize(CArchive& archive)
{
    if (archive.IsStoring())
        archive << m_word1 << m_word2 << m_text1 << m_text2 << m_byte;
    else
        archive >> m_word1 >> m_word2 >> m_text1 >> m_text2 >> m_byte;
}

void CLocalFmt::CopyFrom(const CHyperListFmt* source)
{
    CHyperListFmt::CopyFrom(source);
    if (auto* locals = dynamic_cast<const CLocalFmt*>(source)) {
        for (int i = 0; i < 4; ++i)
            m_words[i] = locals->m_words[i];
    }
}
