// Editors of colours (-1 is automatic) and fonts, edited in the dialog's choosers.
#pragma once

#include "objects/PropValue.h"

class CPropColor : public CPropValue<COLORREF> {
public:
    static constexpr UINT Kind = 5;

    CPropColor(UINT nameId, COLORREF* field, UINT arg = 0);

    BOOL GetValueText(CString& text) const override;
    BOOL GetLongValue(long* value) const override;
    BOOL SetLongValue(long value) override;
};

class CPropCustColor : public CPropColor {
public:
    using CPropColor::CPropColor;

    BOOL SkipRefreshAfterEdit() const override { return TRUE; }
};

class CPropFont : public CPropValue<CFontDescriptor> {
public:
    static constexpr UINT Kind = 6;

    CPropFont(UINT nameId, CFontDescriptor* field);

    BOOL GetValueText(CString& text) const override;
    // The text form of the font.
    BOOL GetStringValue(CString& value) const override;
    BOOL SetStringValue(LPCTSTR value) override;
};
