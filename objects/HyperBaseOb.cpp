#include "objects/HyperBaseOb.h"

#include "objects/ComboChoiceList.h"
#include "platform/core/Archive.h"
#include "platform/ole/DispatchMap.h"

IMPLEMENT_SERIAL(CHyperBaseOb, CHyperVBPSOb, 0)

BEGIN_DISPATCH_MAP(CHyperBaseOb, CHyperVBPSOb)
    DISP_PROPERTY_ID(CHyperBaseOb, "Code", -100, Code, VT_BSTR)
END_DISPATCH_MAP()

CHyperBaseOb::CHyperBaseOb()
{
    EnableAutomation();
}

int CHyperBaseOb::SetParam(int mode)
{
    m_displayMode = mode;
    return mode;
}

CString CHyperBaseOb::LoadTypeName(UINT stringId) const
{
    CString text;
    if (!text.LoadString(stringId) && !text.LoadString(IDS_OBJECT_TYPE))
        return CString();
    // The type string is "menu text\ntype name"; the name is what follows the newline.
    int newline = text.Find('\n');
    return newline < 0 ? text : text.Mid(newline + 1);
}

int CHyperBaseOb::MakeUniqueCode(LPCTSTR base, int n)
{
    Code = base;
    if (n >= 0)
        Code.AppendFormat("%d", n);
    return n;
}

void CHyperBaseOb::FillCursorChoices(CComboChoiceList& choices) const
{
    struct CursorChoice {
        UINT textId;
        DWORD cursor;
    };
    // Default, arrow, I-beam, cross, up-arrow, no-drop, help and the program's hot-spot cursor.
    static constexpr CursorChoice cursorChoices[] = {
        {27424, 0},     {27425, 32512}, {27426, 32513}, {27427, 32515},
        {27428, 32516}, {27429, 32648}, {27430, 32651}, {27431, 27913},
    };
    for (const CursorChoice& choice : cursorChoices)
        choices.AddById(choice.textId, choice.cursor);
}
