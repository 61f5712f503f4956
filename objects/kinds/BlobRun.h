// A pair of texts kept as one property value, and its editor.
#pragma once

#include "objects/PropOb.h"
#include "platform/core/String.h"

class CArchive;

struct CBlobRun {
    CString first;
    CString second;

    bool operator==(const CBlobRun&) const = default;
    // Both texts as archive strings, first then second.
    void Serialize(CArchive& archive);
};

class CPropBlob : public CPropOb {
public:
    static constexpr UINT BlobKind = 22;

    CPropBlob(UINT nameId, CBlobRun* field);

    BOOL IsEqual(const CPropOb* other) const override { return m_edited == Peer(other).m_edited; }
    void CopyValueFrom(const CPropOb* other) override { m_edited = Peer(other).m_edited; }
    void Apply() override { *m_field = m_edited; }
    void ApplyFrom(const CPropOb* peer) override { *m_field = Peer(peer).m_edited; }
    void Restore() override { *m_field = m_saved; }
    BOOL Reload() override;
    // The first text, " + " and the second; either alone when the other is empty.
    BOOL GetValueText(CString& text) const override;

    CBlobRun m_edited;
    CBlobRun m_saved;
    CBlobRun* m_field;

private:
    static const CPropBlob& Peer(const CPropOb* other) { return *static_cast<const CPropBlob*>(other); }
};
