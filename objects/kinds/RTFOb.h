// The note of the RTF Note tool: a note icon whose rich text the user edits in the outside
// editor Scribbet. The text goes out in a temporary file; the editor saves it there and tells
// the main window (message 0x2045 with this note), and the note reads the file back.
#pragma once

#include "objects/kinds/StickyOb.h"

class CRTFOb : public CStickyOb {
    DECLARE_SERIAL(CRTFOb)
public:
    static constexpr UINT TypeNameId = 37701;
    static constexpr UINT IconId = 375;
    // Larger answers from the editor are refused.
    static constexpr ULONGLONG MaxRichTextBytes = 16u << 20;
    static constexpr const char* EditorName = "Scribbet";

    CRTFOb() = default;

    void Serialize(CArchive& archive) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    CString GetTypeName() const override { return LoadTypeName(TypeNameId); }
    BOOL OnInsert() override;
    BOOL Open() override;

    // Reads the editor's file back into the rich text and deletes it. A file that is gone or
    // too large is refused with a message and the text stays.
    BOOL LoadFromTempFile();
    // Takes a new, empty temporary file of its own.
    void MakeTempFileName();

    const CString& GetRichText() const { return m_richText; }
    void SetRichText(const CString& text) { m_richText = text; }
    const CString& GetTempPath() const { return m_tempPath; }

private:
    BOOL WriteTempFile() const;

    CString m_tempPath;
    CString m_richText;
};
