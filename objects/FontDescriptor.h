// The font value of page objects, groups and pages: a LOGFONT that is copied, compared,
// stored in a versioned record and written as a one-line text.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/gdi/FontTypes.h"

#include <memory>

class CFontDescriptor : public CObject {
public:
    static constexpr UINT Version = 0;
    // Introduces the character-set bytes in untagged records.
    static constexpr DWORD CharSetSection = 0x22222222;

    CFontDescriptor();
    CFontDescriptor(const CFontDescriptor& other);
    CFontDescriptor& operator=(const CFontDescriptor& other);
    ~CFontDescriptor() override = default;

    void Serialize(CArchive& archive) override;

    // The text form of a (translated) string resource; TRUE only when it parsed completely.
    virtual BOOL LoadFromResource(UINT id);
    // Parses the text form; a text that does not parse leaves the font as it was.
    virtual BOOL FromString(LPCTSTR text);
    CString ToString() const;
    virtual int Reset();
    virtual BOOL IsEmpty() const { return GetLogFont().lfHeight == 0; }

    void Copy(const CFontDescriptor& other);
    BOOL IsEqual(const CFontDescriptor& other) const;

    const LOGFONT& GetLogFont() const;
    // Makes the font's own record, so that the caller may change it.
    LOGFONT& GetLogFont();

private:
    void StoreRecord(CArchive& archive) const;
    void LoadRecord(CArchive& archive);
    void Assign(const LOGFONT& font);

    // Most objects leave the font empty (all zero) and hold no record for it.
    std::unique_ptr<LOGFONT> m_font;
};

// "height,width,escapement,orientation,weight,italic,underline,strike-out,charset,
// out precision,clip precision,quality,pitch and family,face"
void FormatLogFont(CString& out, const LOGFONT* font);
// Fills the font from the text form; TRUE when all fourteen fields were found. The face is
// what follows the last comma, cut to the 31 characters that fit.
BOOL ParseLogFont(LOGFONT* font, LPCTSTR text);
// Copies a face name into the font, cut to fit.
void SetFaceName(LOGFONT& font, LPCTSTR face);
