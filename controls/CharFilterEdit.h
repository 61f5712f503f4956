// An edit control that takes only the characters of one character class, with an optional
// length limit. TAB without Ctrl asks the parent to move on (message 0x8101, wParam 1 with
// Shift); pasted text is not filtered.
#pragma once

#include "platform/ui/Edit.h"

constexpr UINT WM_FILTER_TAB = 0x8101;

class CCharFilterEdit : public CEdit {
public:
    // Kind word: bits 0-3 the class, bits 4-11 the maximum text length (0 = no limit).
    enum : UINT {
        ClassSignedInt = 1, ClassUnsignedInt = 2, ClassSignedNumber = 3, ClassUnsignedNumber = 4, ClassLetters = 5,
        ClassPath = 6, ClassPrintable = 7, ClassBinary = 8
    };
    static constexpr UINT MakeKind(UINT charClass, UINT limit) { return (charClass & 0xF) | ((limit & 0xFF) << 4); }

    explicit CCharFilterEdit(UINT kind = 0) : m_kind(kind) { }

    void SetKind(UINT kind);
    UINT GetCharClass() const { return m_kind & 0xF; }
    UINT GetLimit() const { return (m_kind >> 4) & 0xFF; }

    static BOOL Accepts(UINT charClass, UINT ch);

protected:
    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCT cs);
    void OnChar(UINT ch, UINT repeat, UINT flags);

    DECLARE_MESSAGE_MAP()

private:
    void ApplyLimit();

    UINT m_kind;
};
