// A property value that is a literal, a script text or a choice from a fixed list. The
// text is what is kept; the number and integer are derived from a literal's text.
#pragma once

#include "objects/SharedConst.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"


class CObValue : public CObject {
public:
    static constexpr DWORD KindLiteral = 0;
    static constexpr DWORD KindScript = 0xFFFFFFFF;
    static constexpr DWORD KindNone = 0xFFFE0000;
    static constexpr DWORD Version = 2;
    static constexpr DWORD EndSentinel = 0xA5A5A5A5;

    CObValue();
    CObValue(const CObValue& other) : CObject(), m_state(other.m_state) { }
    CObValue& operator=(const CObValue& other);
    ~CObValue() override = default;

    static constexpr DWORD Choice(UINT stringId) { return KindNone | (stringId & 0xFFFF); }
    static constexpr BOOL IsChoiceKind(DWORD kind) { return (kind & 0xFFFF0000) == KindNone; }

    void Serialize(CArchive& archive) override;

    virtual LONG GetLong(int = 0) const { return m_state->integer; }
    virtual double GetDouble(int = 0) const { return m_state->number; }
    virtual CString GetText() const { return m_state->kind == KindLiteral ? m_state->text : CString(); }
    virtual BOOL IsEmpty() const;
    virtual CString GetDisplayText() const;
    virtual BOOL IsEqual(const CObValue& other) const;
    virtual BOOL IsDifferent(const CObValue& other) const { return !IsEqual(other); }

    // A NULL text stands for "0.0".
    void Set(DWORD kind, LPCTSTR text);
    // Leaves the value with no choice; the text stays.
    void Reset();
    void Copy(const CObValue& other);
    // The values new page objects start with, taken without building them again.
    enum class Common { LiteralZero, LiteralOne, NoChoice, NoChoiceDragEvent };
    void SetCommon(Common which) { m_state = SharedStates()[static_cast<int>(which)]; }
    void SetExtras(const CString& extra1, const CString& extra2);

    DWORD GetKind() const { return m_state->kind; }
    const CString& GetRawText() const { return m_state->text; }
    BOOL HasExtras() const { return m_state->hasExtras; }
    const CString& GetExtra1() const { return m_state->extra1; }
    const CString& GetExtra2() const { return m_state->extra2; }

private:
    // Every page object holds several values and most hold the same few, so values share
    // one unchanging state and a change puts a new one in place.
    struct State {
        DWORD kind = KindLiteral;
        CString text;
        BOOL hasExtras = FALSE;
        CString extra1;
        CString extra2;
        // A literal's number, derived from its text; zero for the other kinds.
        double number = 0.0;
        LONG integer = 0;
    };

    static constexpr int SharedStateCount = 4;
    static const CSharedConst<State>* SharedStates();
    static State Derived(State state);
    void Assign(State state);
    void StoreRecord(CArchive& archive) const;
    void LoadRecord(CArchive& archive);

    CSharedConst<State> m_state;
};
