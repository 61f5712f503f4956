#include "imaging/ExtDib.h"

#include "imaging/IconLoader.h"
#include "objects/VersionTag.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/core/StringTable.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

IMPLEMENT_SERIAL(CExtDib, CDib, 1)

CBitmap* CExtDib::SelectIntoDC(CDC* dc, CSize* size)
{
    CBitmap* previous = CDib::SelectIntoDC(dc, size);
    if (previous || !dc)
        return previous;
    CExtDib placeholder;
    if (!placeholder.LoadResource(IdbPlaceholder))
        return nullptr;
    return placeholder.CDib::SelectIntoDC(dc, size);
}

void CExtDib::SerializeEx(CArchive& ar, BOOL withImage)
{
    CVersionTag tag(&ar, this, 0);
    const bool imageKind = m_kind == InPlace || m_kind == Embedded;
    if (ar.IsStoring()) {
        tag.Write();
        ar << WORD(m_kind) << m_name << BYTE(0) << m_colour;
        if (imageKind && withImage)
            Serialize(ar);
        return;
    }
    const BOOL tagged = tag.Read();
    WORD kind = 0;
    BYTE ignored = 0;
    ar >> kind >> m_name >> ignored;
    m_kind = kind;
    if (tagged)
        ar >> m_colour;
    if ((m_kind == InPlace || m_kind == Embedded) && withImage)
        Serialize(ar);
    else if (m_kind == Linked)
        Load(m_name, Linked, FALSE);
}

BOOL CExtDib::LoadResource(UINT id)
{
    const std::vector<BYTE>* bytes = FindBinaryResource(ResourceKind::Bitmap, id);
    return bytes && Adopt(bytes->data(), DWORD(bytes->size()));
}

BOOL CExtDib::LoadFile(const CString& name)
{
    CFile file;
    if (!file.Open(name, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    COLORREF key = NoColour;
    if (!Read(&file, &key))
        return FALSE;
    // Only a key the icon loader chose from its table becomes the transparent colour.
    if (std::find(std::begin(g_KeyColours), std::end(g_KeyColours), key) != std::end(g_KeyColours))
        m_colour = key;
    return TRUE;
}

BOOL CExtDib::Load(LPCSTR name, UINT kind, BOOL report)
{
    CString text(name ? name : "");
    if (text.Left(1) == "*") {
        // Only numbered resources exist here; a named one is never found.
        CString id = text.Mid(1);
        if (id.IsEmpty() || !std::isdigit(static_cast<unsigned char>(id[0])) ||
            !LoadResource(UINT(std::atol(id)) & 0xFFFF))
            return FALSE;
    } else if (!LoadFile(text)) {
        Free();
        if (report) {
            CString message;
            if (!LookupStringResource(IdsBadBitmap, message))
                message = "%1\nFile not found or bad bitmap format;\nUnable to load bitmap file.";
            message.Replace("%1", text);
            AfxMessageBox(message);
            return FALSE;
        }
    }
    m_kind = kind;
    m_name = text;
    return TRUE;
}

void CExtDib::CopyFrom(const CExtDib& other)
{
    Free();
    m_kind = other.m_kind;
    m_name = other.m_name;
    m_colour = other.m_colour;
    if (other.m_kind != None)
        CDib::CopyFrom(&other);
    SetPackRoutine(other.GetPackRoutine());
}

BOOL CExtDib::IsEqual(const CExtDib& other) const
{
    if (m_kind != other.m_kind || m_name != other.m_name || m_colour != other.m_colour)
        return FALSE;
    if (m_kind == None)
        return TRUE;
    return GetSize() == other.GetSize() &&
           (GetSize() == 0 || std::memcmp(GetBlock(), other.GetBlock(), GetSize()) == 0);
}
