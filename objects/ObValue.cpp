#include "objects/ObValue.h"

#include "objects/ScriptText.h"
#include "objects/VersionTag.h"
#include "platform/core/Archive.h"
#include "objects/NumberText.h"

namespace {
// Shown for a value without a literal, a script or a choice.
constexpr UINT IDS_NONE = 26625;
}

CObValue& CObValue::operator=(const CObValue& other)
{
    Copy(other);
    return *this;
}

void CObValue::Set(DWORD kind, LPCTSTR text)
{
    m_kind = kind;
    m_text = text ? text : "0.0";
    DeriveNumbers();
}

void CObValue::Copy(const CObValue& other)
{
    m_kind = other.m_kind;
    m_text = other.m_text;
    m_hasExtras = other.m_hasExtras;
    m_extra1 = other.m_extra1;
    m_extra2 = other.m_extra2;
    DeriveNumbers();
}

void CObValue::SetExtras(const CString& extra1, const CString& extra2)
{
    m_hasExtras = TRUE;
    m_extra1 = extra1;
    m_extra2 = extra2;
}

void CObValue::DeriveNumbers()
{
    // A literal's number always follows its text, also after a copy or a load.
    m_number = m_kind == KindLiteral ? ParseDoubleC(m_text) : 0.0;
    m_integer = m_kind == KindLiteral ? ParseLongC(m_text) : 0;
}

BOOL CObValue::IsEmpty() const
{
    if (m_kind == KindScript)
        return IsScriptBlank(m_text);
    return !(IsChoiceKind(m_kind) && (m_kind & 0xFFFF) != 0);
}

CString CObValue::GetDisplayText() const
{
    CString text;
    if (IsChoiceKind(m_kind)) {
        if (!IsEmpty())
            text.LoadString(m_kind & 0xFFFF);
    } else if (m_kind == KindLiteral || (m_kind == KindScript && !IsEmpty())) {
        text = m_text;
    }
    if (text.IsEmpty())
        text.LoadString(IDS_NONE);
    return text;
}

BOOL CObValue::IsEqual(const CObValue& other) const
{
    return m_kind == other.m_kind && m_text == other.m_text && m_hasExtras == other.m_hasExtras &&
           m_extra1 == other.m_extra1 && m_extra2 == other.m_extra2;
}

void CObValue::Serialize(CArchive& archive)
{
    if (archive.IsStoring())
        StoreRecord(archive);
    else
        LoadRecord(archive);
}

void CObValue::StoreRecord(CArchive& archive) const
{
    CVersionTag tag(&archive, this, Version);
    tag.Write();
    archive << m_kind << m_text << static_cast<DWORD>(m_hasExtras);
    if (m_hasExtras)
        archive << m_extra1 << m_extra2;
    archive << static_cast<WORD>(0) << EndSentinel;
}

void CObValue::LoadRecord(CArchive& archive)
{
    CVersionTag tag(&archive, this, Version);
    BOOL tagged = tag.Read();
    archive >> m_kind >> m_text;
    if (tagged) {
        DWORD hasExtras = 0;
        archive >> hasExtras;
        m_hasExtras = hasExtras != 0;
        if (m_hasExtras)
            archive >> m_extra1 >> m_extra2;
    }
    int version = tag.GetVersion();
    if (version == 1) {
        WORD reserved = 0;
        archive >> reserved;
    } else if (version >= 2) {
        // Skips whatever a later writer put before the sentinel.
        DWORD window = 0;
        archive >> window;
        while (window != EndSentinel) {
            BYTE next = 0;
            archive >> next;
            window = (window >> 8) | (static_cast<DWORD>(next) << 24);
        }
    }
    DeriveNumbers();
}
