// The verb menu of an embedded item: the placeholder item of a menu becomes the item's verbs.
#pragma once

#include "platform/core/Types.h"

class CMenu;
class COleClientItem;

// The command of the placeholder that a container's menus carry for the verbs; verb n of the
// item is command ID_OLE_VERB_FIRST + n.
constexpr UINT ID_OLE_VERB_FIRST = 57872;
constexpr UINT ID_OLE_VERB_LAST = 57887;

// Replaces the menu item at the position: one verb becomes "<verb> <type> &Object", several a
// pop-up "<type> &Object" of the verbs, and no item or no verbs a grayed "&Object". Verb n gets
// the command idVerbMin + n, up to idVerbMax. FALSE when the position holds no item.
BOOL AfxOleSetEditMenu(COleClientItem* item, CMenu* menu, UINT position, UINT idVerbMin, UINT idVerbMax = 0);
