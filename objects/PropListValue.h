// Editors of list-valued properties, edited in dialogs of their own.
#pragma once

#include "objects/AnchorFmt.h"
#include "objects/LayerFmt.h"
#include "objects/LocalFmt.h"
#include "objects/PropValue.h"

// The shared part: a button whose value text is a fixed string.
template <typename List>
class CPropListValue : public CPropValue<List> {
public:
    static constexpr UINT ListTextId = 26639;

    CPropListValue(UINT nameId, List* field, UINT kind) : CPropValue<List>(nameId, field)
    {
        this->m_kind = kind;
        this->m_controlId = CPropOb::ButtonControl;
    }

    BOOL GetValueText(CString& text) const override
    {
        text.LoadString(ListTextId);
        return TRUE;
    }
};

class CPropLayer : public CPropListValue<CLayerFmt> {
public:
    static constexpr UINT Kind = 13;

    CPropLayer(UINT nameId, CLayerFmt* field) : CPropListValue(nameId, field, Kind) { }
};

class CPropLocal : public CPropListValue<CLocalFmt> {
public:
    static constexpr UINT ItemCountTextId = 26647;

    CPropLocal(UINT nameId, CLocalFmt* field) : CPropListValue(nameId, field, 0) { }

    BOOL GetValueText(CString& text) const override;
};

// Snap points, edited in the snap-point dialog.
class CPropAnchor : public CPropListValue<CAnchorFmt> {
public:
    static constexpr UINT Kind = 12;

    CPropAnchor(UINT nameId, CAnchorFmt* field) : CPropListValue(nameId, field, Kind) { }
};

// Snap points with texts, edited in the extended snap-point dialog.
class CPropAnchorEx : public CPropListValue<CAnchorFmtEx> {
public:
    static constexpr UINT Kind = 23;

    CPropAnchorEx(UINT nameId, CAnchorFmtEx* field) : CPropListValue(nameId, field, Kind) { }
};
