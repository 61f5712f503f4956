// Editors of numbers: ints with limits, longs and doubles, and the linked line width.
#pragma once

#include "objects/PropValue.h"

class CLinePropStyle;
class CPropShadowCombo;

class CPropInt : public CPropValue<int> {
public:
    CPropInt(UINT nameId, int* field, int lower, int upper, UINT arg = 0);

    // The value written is kept within the limits.
    void Apply() override;
    void ApplyFrom(const CPropOb* peer) override;
    BOOL GetValueText(CString& text) const override;
    BOOL GetIntValue(int* value) const override;
    BOOL SetIntValue(int value) override;

    int m_lower;
    int m_upper;
};

// The pen width; keeps the linked line style solid when the width grows above 1.
class CLinePropWidth : public CPropInt {
public:
    CLinePropWidth(UINT nameId, int* field) : CPropInt(nameId, field, 0, 100) { }

    void OnValueChanged() override;
    void DropLinkTo(const CPropOb* gone) override;

    CLinePropStyle* m_linkedStyle = nullptr;
};

// A 32-bit value, such as a rectangle coordinate.
class CPropLong : public CPropValue<LONG> {
public:
    CPropLong(UINT nameId, LONG* field, UINT arg = 0) : CPropValue(nameId, field, arg) { }

    BOOL GetValueText(CString& text) const override;
    BOOL GetLongValue(long* value) const override;
    BOOL SetLongValue(long value) override;
};

// One offset of a drop shadow; a change shows in the linked direction editor: 0 for no
// offset, 1 to 4 for the four diagonal offsets of 6, 99 for any other.
class CPropShadowLong : public CPropLong {
public:
    using CPropLong::CPropLong;

    void OnValueChanged() override;
    void DropLinkTo(const CPropOb* gone) override;

    CPropShadowCombo* m_direction = nullptr;
    CPropShadowLong* m_partnerX = nullptr;
    CPropShadowLong* m_partnerY = nullptr;
};

class CPropDbl : public CPropValue<double> {
public:
    CPropDbl(UINT nameId, double* field, UINT arg = 0) : CPropValue(nameId, field, arg) { }

    BOOL GetValueText(CString& text) const override;
    BOOL GetDoubleValue(double* value) const override;
    BOOL SetDoubleValue(double value) override;
};

// The rotation angle; the drawing objects keep the object turned as it changes.
class CPropAngleDbl : public CPropDbl {
public:
    using CPropDbl::CPropDbl;
};
