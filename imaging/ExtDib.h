// A stored bitmap that remembers where it came from (a bitmap resource or a file, embedded
// or linked) and a transparent key colour, with a versioned record of its own.
#pragma once

#include "imaging/Dib.h"
#include "platform/core/String.h"

class CExtDib : public CDib {
    DECLARE_SERIAL(CExtDib)
public:
    enum Kind : UINT { None = 0, InPlace = 1, Embedded = 2, Linked = 3 };
    static constexpr COLORREF NoColour = 0xFFFFFFFF;
    static constexpr UINT IdsBadBitmap = 26650;
    static constexpr UINT IdbPlaceholder = 27915;

    CBitmap* SelectIntoDC(CDC* dc, CSize* size) override;
    BOOL HasTransparentColour() const override { return m_colour != NoColour; }
    virtual void SerializeEx(CArchive& ar, BOOL withImage);
    virtual BOOL Load(LPCSTR name, UINT kind, BOOL report);
    virtual void CopyFrom(const CExtDib& other);
    virtual BOOL IsEqual(const CExtDib& other) const;
    virtual BOOL IsDifferent(const CExtDib& other) const { return !IsEqual(other); }

    UINT m_kind = None;
    CString m_name;
    COLORREF m_colour = NoColour;

private:
    BOOL LoadResource(const CString& id);
    BOOL LoadFile(const CString& name, BOOL report);
    BOOL Remember(const CString& name, UINT kind);
};
