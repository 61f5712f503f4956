// A property value that is a literal, a script text or a choice from a fixed list. The
// text is what is kept; the number and integer are derived from a literal's text.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"

class CObValue : public CObject {
public:
    static constexpr DWORD KindLiteral = 0;
    static constexpr DWORD KindScript = 0xFFFFFFFF;
    static constexpr DWORD KindNone = 0xFFFE0000;
    static constexpr DWORD Version = 2;
    static constexpr DWORD EndSentinel = 0xA5A5A5A5;

    CObValue() { Set(KindLiteral, nullptr); }
    CObValue(const CObValue& other) : CObject() { Copy(other); }
    CObValue& operator=(const CObValue& other);
    ~CObValue() override = default;

    static constexpr DWORD Choice(UINT stringId) { return KindNone | (stringId & 0xFFFF); }
    static constexpr BOOL IsChoiceKind(DWORD kind) { return (kind & 0xFFFF0000) == KindNone; }

    void Serialize(CArchive& archive) override;

    virtual LONG GetLong(int = 0) const { return m_kind == KindLiteral ? m_integer : 0; }
    virtual double GetDouble(int = 0) const { return m_kind == KindLiteral ? m_number : 0.0; }
    virtual CString GetText() const { return m_kind == KindLiteral ? m_text : CString(); }
    virtual BOOL IsEmpty() const;
    virtual CString GetDisplayText() const;
    virtual BOOL IsEqual(const CObValue& other) const;
    virtual BOOL IsDifferent(const CObValue& other) const { return !IsEqual(other); }

    // A NULL text stands for "0.0".
    void Set(DWORD kind, LPCTSTR text);
    // Leaves the value with no choice; the text stays.
    void Reset() { m_kind = KindNone; }
    void Copy(const CObValue& other);
    void SetExtras(const CString& extra1, const CString& extra2);

    DWORD GetKind() const { return m_kind; }
    const CString& GetRawText() const { return m_text; }
    BOOL HasExtras() const { return m_hasExtras; }
    const CString& GetExtra1() const { return m_extra1; }
    const CString& GetExtra2() const { return m_extra2; }

private:
    void DeriveNumbers();
    void StoreRecord(CArchive& archive) const;
    void LoadRecord(CArchive& archive);

    DWORD m_kind = KindLiteral;
    CString m_text;
    BOOL m_hasExtras = FALSE;
    CString m_extra1;
    CString m_extra2;
    double m_number = 0.0;
    LONG m_integer = 0;
};
