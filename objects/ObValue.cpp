#include "objects/ObValue.h"

#include "objects/ScriptText.h"
#include "objects/VersionTag.h"
#include "platform/core/Archive.h"
#include "objects/NumberText.h"

namespace {
// Shown for a value without a literal, a script or a choice.
constexpr UINT IDS_NONE = 26625;
}

CObValue::CObValue()
    : m_state(SharedStates()[0])
{
}

CObValue& CObValue::operator=(const CObValue& other)
{
    Copy(other);
    return *this;
}

void CObValue::Set(DWORD kind, LPCTSTR text)
{
    State state = *m_state;
    state.kind = kind;
    state.text = text ? text : "0.0";
    Assign(std::move(state));
}

void CObValue::Reset()
{
    State state = *m_state;
    state.kind = KindNone;
    Assign(std::move(state));
}

void CObValue::Copy(const CObValue& other)
{
    m_state = other.m_state;
}

void CObValue::SetExtras(const CString& extra1, const CString& extra2)
{
    State state = *m_state;
    state.hasExtras = TRUE;
    state.extra1 = extra1;
    state.extra2 = extra2;
    Assign(std::move(state));
}

// The states a new page object's values start in, in the order of Common.
const CSharedConst<CObValue::State>* CObValue::SharedStates()
{
    static const CSharedConst<State> states[SharedStateCount] = {
        CSharedConst<State>(Derived({KindLiteral, "0.0", FALSE, {}, {}})),
        CSharedConst<State>(Derived({KindLiteral, "1", FALSE, {}, {}})),
        CSharedConst<State>(Derived({KindNone, "0.0", FALSE, {}, {}})),
        CSharedConst<State>(Derived({KindNone, "0.0", TRUE, {}, "*"})),
    };
    return states;
}

// A literal's number always follows its text, also after a copy or a load.
CObValue::State CObValue::Derived(State state)
{
    state.number = state.kind == KindLiteral ? ParseDoubleC(state.text) : 0.0;
    state.integer = state.kind == KindLiteral ? ParseLongC(state.text) : 0;
    return state;
}

// A shared state is taken as it is; only another one has its number worked out.
void CObValue::Assign(State state)
{
    const CSharedConst<State>* shared = SharedStates();
    for (int i = 0; i < SharedStateCount; ++i) {
        const State& s = *shared[i];
        if (s.kind == state.kind && s.text == state.text && s.hasExtras == state.hasExtras &&
            s.extra1 == state.extra1 && s.extra2 == state.extra2) {
            m_state = shared[i];
            return;
        }
    }
    m_state = CSharedConst<State>(Derived(std::move(state)));
}

BOOL CObValue::IsEmpty() const
{
    if (GetKind() == KindScript)
        return IsScriptBlank(GetRawText());
    return !(IsChoiceKind(GetKind()) && (GetKind() & 0xFFFF) != 0);
}

CString CObValue::GetDisplayText() const
{
    const DWORD kind = GetKind();
    CString text;
    if (IsChoiceKind(kind)) {
        if (!IsEmpty())
            text.LoadString(kind & 0xFFFF);
    } else if (kind == KindLiteral || (kind == KindScript && !IsEmpty())) {
        text = GetRawText();
    }
    if (text.IsEmpty())
        text.LoadString(IDS_NONE);
    return text;
}

BOOL CObValue::IsEqual(const CObValue& other) const
{
    const State& a = *m_state;
    const State& b = *other.m_state;
    return a.kind == b.kind && a.text == b.text && a.hasExtras == b.hasExtras && a.extra1 == b.extra1 &&
           a.extra2 == b.extra2;
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
    const State& state = *m_state;
    archive << state.kind << state.text << static_cast<DWORD>(state.hasExtras);
    if (state.hasExtras)
        archive << state.extra1 << state.extra2;
    archive << static_cast<WORD>(0) << EndSentinel;
}

void CObValue::LoadRecord(CArchive& archive)
{
    CVersionTag tag(&archive, this, Version);
    BOOL tagged = tag.Read();
    State state = *m_state;
    archive >> state.kind >> state.text;
    if (tagged) {
        DWORD hasExtras = 0;
        archive >> hasExtras;
        state.hasExtras = hasExtras != 0;
        if (state.hasExtras)
            archive >> state.extra1 >> state.extra2;
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
    Assign(std::move(state));
}
