#include "platform/ole/OleVerbMenu.h"

#include "platform/ole/OleClientItem.h"
#include "platform/ui/Menu.h"

#include <vector>

namespace {

CString WithoutMnemonics(CString text)
{
    text.Remove('&');
    return text;
}

} // namespace

BOOL AfxOleSetEditMenu(COleClientItem* item, CMenu* menu, UINT position, UINT idVerbMin, UINT idVerbMax)
{
    if (!menu || position >= menu->GetMenuItemCount())
        return FALSE;
    const UINT byPosition = MF_BYPOSITION | MF_STRING;
    std::vector<CString> verbs;
    if (item)
        verbs = item->GetVerbNames();
    const UINT last = idVerbMax ? idVerbMax : ID_OLE_VERB_LAST;
    if (verbs.size() > last - idVerbMin + 1)
        verbs.resize(last - idVerbMin + 1);
    if (verbs.empty())
        return menu->ModifyMenu(position, byPosition | MF_GRAYED, idVerbMin, "&Object");
    CString type;
    item->GetUserType(USERCLASSTYPE_SHORT, type);
    if (verbs.size() == 1)
        return menu->ModifyMenu(position, byPosition, idVerbMin, WithoutMnemonics(verbs[0]) + " " + type + " &Object");
    CMenu popup;
    popup.CreatePopupMenu();
    for (size_t i = 0; i < verbs.size(); ++i)
        popup.AppendMenu(MF_STRING, idVerbMin + static_cast<UINT>(i), verbs[i]);
    return menu->ModifyMenu(position, byPosition | MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()),
                            type + " &Object");
}
