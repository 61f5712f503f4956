// The editor of a picture: the dialog's bitmap button edits a copy of it.
#pragma once

#include "imaging/ExtDib.h"
#include "objects/PropOb.h"

#include <functional>

class CPropBitmap : public CPropOb {
public:
    static constexpr UINT BitmapKind = 8;

    CPropBitmap(UINT nameId, CExtDib* field);

    BOOL IsEqual(const CPropOb* other) const override;
    void CopyValueFrom(const CPropOb* other) override;
    void Apply() override { Replace(m_edited); }
    void ApplyFrom(const CPropOb* peer) override;
    void Restore() override { Replace(m_saved); }
    BOOL Reload() override;

    CExtDib m_edited;
    CExtDib m_saved;
    CExtDib* m_field;
    // Told when the picture was replaced by a different one, so the owner drops what it keeps
    // of the old picture (a compressed copy for saving).
    std::function<void()> m_replaced;

private:
    void Replace(const CExtDib& picture);
};
