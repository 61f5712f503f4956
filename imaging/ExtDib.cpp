#include "imaging/ExtDib.h"

#include "imaging/IconLoader.h"
#include "objects/ShellServices.h"
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
#include <string>

IMPLEMENT_SERIAL(CExtDib, CDib, 1)

CBitmap* CExtDib::SelectIntoDC(CDC* dc, CSize* size)
{
    CBitmap* previous = CDib::SelectIntoDC(dc, size);
    if (previous || !dc)
        return previous;
    CExtDib placeholder;
    CString id;
    id.Format("%u", IdbPlaceholder);
    if (!placeholder.LoadResource(id))
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

// A bitmap resource by number (a leading digit, low 16 bits of the number) or by name.
BOOL CExtDib::LoadResource(const CString& id)
{
    const bool numbered = !id.IsEmpty() && std::isdigit(static_cast<unsigned char>(id[0]));
    const std::vector<BYTE>* bytes = numbered
        ? FindBinaryResource(ResourceKind::Bitmap, UINT(std::atol(id)) & 0xFFFF)
        : FindBinaryResource(ResourceKind::Bitmap, std::string(LPCTSTR(id)));
    return bytes && Adopt(bytes->data(), DWORD(bytes->size()));
}

// The bitmap folder first, then the name as it stands. A file that is not there fails quietly;
// one that can't be read is reported when asked, and otherwise leaves the object without an image.
BOOL CExtDib::LoadFile(const CString& name, BOOL report)
{
    CFile file;
    CString folder = GetShellServices().GetBitmapFolder();
    if ((folder.IsEmpty() || !file.Open(folder + "/" + name, CFile::modeRead | CFile::shareDenyWrite)) &&
        !file.Open(name, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    COLORREF key = NoColour;
    if (!Read(&file, &key)) {
        Free();
        if (!report)
            return TRUE;
        CString message;
        if (!LookupStringResource(IdsBadBitmap, message))
            message = "%1\nFile not found or bad bitmap format;\nUnable to load bitmap file.";
        message.Replace("%1", name);
        AfxMessageBox(message);
        return FALSE;
    }
    // Only a key the icon loader chose from its table becomes the transparent colour.
    if (std::find(std::begin(g_KeyColours), std::end(g_KeyColours), key) != std::end(g_KeyColours))
        m_colour = key;
    return TRUE;
}

BOOL CExtDib::Load(LPCSTR name, UINT kind, BOOL report)
{
    CString text(name ? name : "");
    if (text.Left(1) == "*")
        return LoadResource(text.Mid(1)) ? Remember(text, kind) : FALSE;
    // A linked picture whose file is gone keeps its name, so that the file can come back.
    if (!LoadFile(text, report)) {
        if (!report) {
            Free();
            Remember(text, kind);
        }
        return FALSE;
    }
    return Remember(text, kind);
}

BOOL CExtDib::Remember(const CString& name, UINT kind)
{
    m_kind = kind;
    m_name = name;
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
