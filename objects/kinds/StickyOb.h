// The note of the Note tool: a small icon drawn as a picture that carries a plain note text,
// written in the note text dialog when the note is inserted or opened. Base of the rich-text
// and sound notes.
#pragma once

#include "objects/kinds/BitmapOb.h"

class CStickyOb : public CBitmapOb {
    DECLARE_SERIAL(CStickyOb)
public:
    static constexpr UINT TypeNameId = 34052;
    static constexpr UINT IconId = 771;
    static constexpr COLORREF IconTransparency = 128;
    // Property id, its group, kind and button caption.
    static constexpr UINT TextId = 27157;
    static constexpr UINT TextGroup = 27652;
    static constexpr UINT TextKind = 21;
    static constexpr int TextButtonCaption = 791;

    CStickyOb() = default;

    void Serialize(CArchive& archive) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    void CollectProperties(CObArray& list, BOOL withChoices) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    CString GetTypeName() const override { return LoadTypeName(TypeNameId); }
    void ApplyDefaults() override;
    BOOL OnInsert() override;
    BOOL Open() override;
    // The page's spelling check goes on into the note text; TRUE when the text changed.
    BOOL CheckSpelling();

    const CString& GetNoteText() const { return m_noteText; }
    void SetNoteText(const CString& text) { m_noteText = text; }

protected:
    // Shows the icon of a note kind: bitmap resource `iconId`, with the notes' transparency.
    void LoadIcon(UINT iconId);

    CString m_noteText;
};
