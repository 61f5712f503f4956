// Pieces the object kinds share: their property editors, the generators' property filter,
// the group's snap points, the hollow-box hit band and the frame widths worth drawing.
#pragma once

#include "platform/core/Geometry.h"

#include <cstdint>
#include <vector>

class CArchive;
class CHyperBaseOb;
class CHyperDrawOb;
class CHyperOb;
class CHyperObTracker;
class CObArray;
class CPropCombo;
class CPropCustColor;
class CPropOb;
class CSnapPointSet;

struct KindChoice {
    UINT textId;
    int value;
};

struct KindTextChoice {
    const char* text;
    int value;
};

// A colour editor with the "Colour..." button.
CPropCustColor* MakeColorEditor(UINT nameId, COLORREF* field);
// A choice editor of an int field; the choices are added only when asked for.
CPropCombo* MakeChoiceEditor(UINT nameId, int* field, const KindChoice* choices, int count, BOOL withChoices);
// The same with choices given by their texts.
CPropCombo* MakeChoiceEditor(UINT nameId, int* field, const KindTextChoice* choices, int count, BOOL withChoices);
// Appends the editors the object builds for the ids, in order, skipping those it declines.
void AppendProperties(CHyperBaseOb* object, CObArray& list, const UINT* ids, int count, BOOL withChoices);
// What generated objects do with a new editor: the help-context editor is dropped.
CPropOb* DropHelpContextProp(CPropOb* editor);
// The group's set for a grouped object that holds the group record (unless the own set is
// asked for), with the object as its owner; otherwise the own set.
CSnapPointSet* GetGroupSnapPoints(CHyperOb* object, BOOL own, CSnapPointSet* ownSet);
// TRUE when the point lies inside the rectangle shrunk by the larger of 10 and the band:
// the middle of a hollow box, where clicks reach the objects below.
BOOL IsInHollowCentre(const RECT& rect, int band, POINT point);
// A frame width as far as it can be drawn inside the rectangle: a stored width can be any
// number, and each unit is one more pass.
int DrawableWidth(int width, const RECT& outer);
// A box drawn with a pen keeps room for the pen on both sides and one unit between.
CSize PenMinimumSize(int penWidth);
// A coordinate kept to the 16 bits that page coordinates have.
int ClampCoordinate(int64_t value);
// The next little-endian 32-bit value of a record.
int ReadInt32(CArchive& archive);
// The next `size` bytes of a record, read as they arrive, so a corrupt count cannot claim
// memory the record lacks; the archive error when fewer are left.
std::vector<BYTE> ReadSizedBytes(CArchive& archive, DWORD size);
// The drawn-object fields at the start of a kind's record: back and fore colour, pen width and
// style, and with `styles` the hatch in the low and the shadow in the high 16 bits.
void StoreDrawFields(CArchive& archive, const CHyperDrawOb& object, BOOL styles);
void LoadDrawFields(CArchive& archive, CHyperDrawOb& object, BOOL styles);
// The snap-point editor with the "Anchors..." button over the set; NULL without a set.
CPropOb* MakeAnchorEditor(UINT nameId, CSnapPointSet* set);
