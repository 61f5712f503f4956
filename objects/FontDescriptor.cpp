#include "objects/FontDescriptor.h"

#include "objects/NumberText.h"
#include "objects/SectionTag.h"
#include "objects/ShellServices.h"
#include "objects/VersionTag.h"
#include "platform/core/Archive.h"

#include <cstring>
#include <strings.h>

namespace {
const LOGFONT emptyFont{};
}

CFontDescriptor::CFontDescriptor() = default;

CFontDescriptor::CFontDescriptor(const CFontDescriptor& other) : CObject()
{
    Copy(other);
}

CFontDescriptor& CFontDescriptor::operator=(const CFontDescriptor& other)
{
    Copy(other);
    return *this;
}

const LOGFONT& CFontDescriptor::GetLogFont() const
{
    return m_font ? *m_font : emptyFont;
}

LOGFONT& CFontDescriptor::GetLogFont()
{
    if (!m_font)
        m_font = std::make_unique<LOGFONT>();
    return *m_font;
}

void CFontDescriptor::Assign(const LOGFONT& font)
{
    if (std::memcmp(&font, &emptyFont, sizeof(LOGFONT)) == 0)
        m_font.reset();
    else
        GetLogFont() = font;
}

int CFontDescriptor::Reset()
{
    m_font.reset();
    return 0;
}

void CFontDescriptor::Copy(const CFontDescriptor& other)
{
    if (&other != this)
        Assign(other.GetLogFont());
}

BOOL CFontDescriptor::IsEqual(const CFontDescriptor& other) const
{
    const LOGFONT& a = GetLogFont();
    const LOGFONT& b = other.GetLogFont();
    return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           strncasecmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

BOOL CFontDescriptor::FromString(LPCTSTR text)
{
    LOGFONT parsed;
    if (!ParseLogFont(&parsed, text))
        return FALSE;
    Assign(parsed);
    return TRUE;
}

BOOL CFontDescriptor::LoadFromResource(UINT id)
{
    CString key;
    if (!key.LoadString(id))
        return FALSE;
    return FromString(GetShellServices().GetLanguageText(key));
}

void CFontDescriptor::Serialize(CArchive& archive)
{
    if (archive.IsStoring())
        StoreRecord(archive);
    else
        LoadRecord(archive);
}

void CFontDescriptor::StoreRecord(CArchive& archive) const
{
    CVersionTag tag(&archive, this, Version);
    tag.Write();
    const LOGFONT& font = GetLogFont();
    archive << font.lfHeight << font.lfWeight << font.lfItalic << font.lfUnderline << font.lfPitchAndFamily
            << CString(font.lfFaceName, static_cast<int>(strnlen(font.lfFaceName, LF_FACESIZE)))
            << font.lfCharSet << font.lfOutPrecision << font.lfClipPrecision << font.lfQuality;
}

void CFontDescriptor::LoadRecord(CArchive& archive)
{
    CVersionTag tag(&archive, this, Version);
    BOOL tagged = tag.Read();
    LOGFONT font{};
    CString face;
    archive >> font.lfHeight >> font.lfWeight >> font.lfItalic >> font.lfUnderline >> font.lfPitchAndFamily >> face;
    SetFaceName(font, face);
    if (tagged || CSectionTag(&archive, CharSetSection).Probe())
        archive >> font.lfCharSet >> font.lfOutPrecision >> font.lfClipPrecision >> font.lfQuality;
    Assign(font);
}

void FormatLogFont(CString& out, const LOGFONT* font)
{
    out.Format("%d,%d,%d,%d,%d,%u,%u,%u,%u,%u,%u,%u,%u,%.*s", font->lfHeight, font->lfWidth, font->lfEscapement,
               font->lfOrientation, font->lfWeight, font->lfItalic, font->lfUnderline, font->lfStrikeOut,
               font->lfCharSet, font->lfOutPrecision, font->lfClipPrecision, font->lfQuality,
               font->lfPitchAndFamily, static_cast<int>(strnlen(font->lfFaceName, LF_FACESIZE)), font->lfFaceName);
}

void SetFaceName(LOGFONT& font, LPCTSTR face)
{
    std::memset(font.lfFaceName, 0, LF_FACESIZE);
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
}

namespace {
// The thirteen numbers in LOGFONT order; scanning stops at the first that is missing.
int ScanLogFontNumbers(LOGFONT& font, LPCTSTR text)
{
    LONG* longs[] = {&font.lfHeight, &font.lfWidth, &font.lfEscapement, &font.lfOrientation, &font.lfWeight};
    BYTE* bytes[] = {&font.lfItalic,        &font.lfUnderline,     &font.lfStrikeOut,
                     &font.lfCharSet,       &font.lfOutPrecision,  &font.lfClipPrecision,
                     &font.lfQuality,       &font.lfPitchAndFamily};
    int found = 0;
    for (int i = 0; i < 13; ++i) {
        int64_t value = 0;
        if ((i > 0 && *text++ != ',') || !ScanInteger(text, value))
            break;
        if (i < 5)
            *longs[i] = static_cast<LONG>(static_cast<uint32_t>(value));
        else
            *bytes[i - 5] = static_cast<BYTE>(value);
        ++found;
    }
    return found;
}
}

BOOL ParseLogFont(LOGFONT* font, LPCTSTR text)
{
    std::memset(font, 0, sizeof(LOGFONT));
    if (!text)
        return FALSE;
    int numbers = ScanLogFontNumbers(*font, text);
    LPCTSTR lastComma = std::strrchr(text, ',');
    BOOL hasFace = lastComma && lastComma > text;
    if (hasFace)
        SetFaceName(*font, lastComma + 1);
    return numbers == 13 && hasFace;
}

CString CFontDescriptor::ToString() const
{
    CString text;
    FormatLogFont(text, &GetLogFont());
    return text;
}
