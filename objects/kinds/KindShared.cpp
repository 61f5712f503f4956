#include "objects/kinds/KindShared.h"

#include "objects/GroupInfo.h"
#include "objects/HyperDrawOb.h"
#include "objects/HyperTracker.h"
#include "objects/HyperViewOb.h"
#include "objects/PropColor.h"
#include "objects/PropCombo.h"
#include "objects/PropListValue.h"
#include "objects/SnapPointSet.h"
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr UINT ColourButtonId = 27151;
constexpr int ChoiceKind = 4;
constexpr int MinimumHitBand = 10;
constexpr UINT AnchorsButtonId = 27440;
constexpr DWORD LowWord = 0xFFFF;
}

CPropCustColor* MakeColorEditor(UINT nameId, COLORREF* field)
{
    auto* editor = new CPropCustColor(nameId, field);
    editor->m_captionId = ColourButtonId;
    return editor;
}

CPropCombo* MakeChoiceEditor(UINT nameId, int* field, const KindChoice* choices, int count, BOOL withChoices)
{
    auto* editor = new CPropCombo(nameId, reinterpret_cast<DWORD*>(field));
    editor->m_kind = ChoiceKind;
    for (int i = 0; withChoices && i < count; ++i)
        editor->AddChoiceById(choices[i].textId, static_cast<DWORD>(choices[i].value));
    return editor;
}

CPropCombo* MakeChoiceEditor(UINT nameId, int* field, const KindTextChoice* choices, int count, BOOL withChoices)
{
    CPropCombo* editor = MakeChoiceEditor(nameId, field, static_cast<const KindChoice*>(nullptr), 0, FALSE);
    for (int i = 0; withChoices && i < count; ++i)
        editor->AddChoice(choices[i].text, static_cast<DWORD>(choices[i].value));
    return editor;
}

void AppendProperties(CHyperBaseOb* object, CObArray& list, const UINT* ids, int count, BOOL withChoices)
{
    for (int i = 0; i < count; ++i) {
        if (CPropOb* editor = object->CreateProperty(ids[i], withChoices))
            list.Add(editor);
    }
}

CPropOb* DropHelpContextProp(CPropOb* editor)
{
    if (editor && editor->GetNameId() == CHyperViewOb::HelpContextId) {
        delete editor;
        return nullptr;
    }
    return editor;
}

CSnapPointSet* GetGroupSnapPoints(CHyperOb* object, BOOL own, CSnapPointSet* ownSet)
{
    CGroupInfo* group = object->GetOwnGroupInfo();
    if (own || object->GroupID < 0 || !group)
        return ownSet;
    CSnapPointSet* groupSet = group->GetSnapPoints();
    if (!groupSet)
        return ownSet;
    groupSet->SetOwner(object);
    return groupSet;
}

BOOL IsInHollowCentre(const RECT& rect, int band, POINT point)
{
    CRect centre(rect);
    int inset = std::max(MinimumHitBand, band);
    centre.DeflateRect(inset, inset);
    return centre.PtInRect(point);
}

int DrawableWidth(int width, const RECT& outer)
{
    int limit = std::min(std::abs(outer.right - outer.left), std::abs(outer.bottom - outer.top)) / 2 + 1;
    return std::clamp(width, 0, limit);
}

CSize PenMinimumSize(int penWidth)
{
    int side = 2 * penWidth + 1;
    return CSize(side, side);
}

int ClampCoordinate(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, -32768, 32767));
}

int ReadInt32(CArchive& archive)
{
    DWORD value;
    archive >> value;
    return static_cast<int>(value);
}

std::vector<BYTE> ReadSizedBytes(CArchive& archive, DWORD size)
{
    std::vector<BYTE> bytes;
    constexpr DWORD Chunk = 1 << 16;
    for (DWORD done = 0; done < size;) {
        const DWORD part = std::min(Chunk, size - done);
        bytes.resize(done + part);
        if (archive.Read(bytes.data() + done, part) != part)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        done += part;
    }
    return bytes;
}

void StoreDrawFields(CArchive& archive, const CHyperDrawOb& object, BOOL styles)
{
    archive << static_cast<DWORD>(object.BackColor) << static_cast<DWORD>(object.ForeColor)
            << static_cast<DWORD>(object.PenWidth) << static_cast<DWORD>(object.PenStyle);
    if (styles)
        archive << ((static_cast<DWORD>(object.HatchStyle) & LowWord) | (static_cast<DWORD>(object.ShadowStyle) << 16));
}

void LoadDrawFields(CArchive& archive, CHyperDrawOb& object, BOOL styles)
{
    object.BackColor = static_cast<COLORREF>(ReadInt32(archive));
    object.ForeColor = static_cast<COLORREF>(ReadInt32(archive));
    object.PenWidth = ReadInt32(archive);
    object.PenStyle = ReadInt32(archive);
    if (!styles)
        return;
    DWORD packed = static_cast<DWORD>(ReadInt32(archive));
    object.HatchStyle = static_cast<int>(packed & LowWord);
    object.ShadowStyle = static_cast<int>(packed >> 16);
}

CPropOb* MakeAnchorEditor(UINT nameId, CSnapPointSet* set)
{
    if (!set)
        return nullptr;
    auto* editor = new CPropAnchor(nameId, &set->GetList());
    editor->m_captionId = AnchorsButtonId;
    return editor;
}
