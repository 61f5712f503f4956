#include "platform/ui/ItemList.h"

#include "platform/ui/ControlKit.h"

#include <cstring>
#include <strings.h>

namespace ctl {

int ItemList::compare(HWND owner, const ListItem& a, int indexA, const ListItem& b, int indexB, bool hasStrings) const
{
    if (hasStrings)
        return strcasecmp(a.text.c_str(), b.text.c_str());
    COMPAREITEMSTRUCT cis{m_ctlType, IdOf(owner), owner, static_cast<UINT>(indexA), a.data, static_cast<UINT>(indexB),
                          b.data, 0};
    HWND parent = ::GetParent(owner);
    return parent ? static_cast<int>(::SendMessage(parent, WM_COMPAREITEM, cis.CtlID, reinterpret_cast<LPARAM>(&cis))) : 0;
}

int ItemList::Insert(HWND owner, int index, LPARAM value, bool sorted, bool hasStrings)
{
    ListItem item;
    if (hasStrings)
        item.text = value ? reinterpret_cast<LPCSTR>(value) : "";
    else
        item.data = static_cast<ULONG_PTR>(value);
    if (sorted) {
        index = 0;
        while (index < Count() && compare(owner, items[static_cast<size_t>(index)], index, item, -1, hasStrings) <= 0)
            ++index;
    } else if (index < 0 || index > Count()) {
        if (index > Count())
            return LB_ERR;
        index = Count();
    }
    items.insert(items.begin() + index, item);
    return index;
}

bool ItemList::Delete(HWND owner, int index)
{
    if (!Valid(index))
        return false;
    ListItem item = items[static_cast<size_t>(index)];
    items.erase(items.begin() + index);
    HWND parent = ::GetParent(owner);
    if (item.data && parent) {
        DELETEITEMSTRUCT dis{m_ctlType, IdOf(owner), static_cast<UINT>(index), owner, item.data};
        ::SendMessage(parent, WM_DELETEITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    }
    return true;
}

void ItemList::Clear(HWND owner)
{
    while (!items.empty())
        Delete(owner, Count() - 1);
}

int ItemList::Find(LPARAM value, int start, bool exact, bool hasStrings) const
{
    int count = Count();
    if (count == 0)
        return LB_ERR;
    const char* text = hasStrings && value ? reinterpret_cast<LPCSTR>(value) : "";
    size_t length = strlen(text);
    for (int step = 1; step <= count; ++step) {
        int i = ((start < 0 ? -1 : start) + step) % count;
        const ListItem& item = items[static_cast<size_t>(i)];
        bool match = !hasStrings ? item.data == static_cast<ULONG_PTR>(value)
                     : exact     ? strcasecmp(item.text.c_str(), text) == 0
                                 : strncasecmp(item.text.c_str(), text, length) == 0;
        if (match)
            return i;
    }
    return LB_ERR;
}

LRESULT ItemList::GetText(int index, LPARAM buffer, bool hasStrings) const
{
    if (!Valid(index) || !buffer)
        return LB_ERR;
    const ListItem& item = items[static_cast<size_t>(index)];
    if (!hasStrings) {
        memcpy(reinterpret_cast<void*>(buffer), &item.data, sizeof item.data);
        return sizeof item.data;
    }
    return CopyOut(item.text, buffer);
}

LRESULT ItemList::TextLength(int index, bool hasStrings) const
{
    if (!Valid(index))
        return LB_ERR;
    return hasStrings ? static_cast<LRESULT>(items[static_cast<size_t>(index)].text.size()) : sizeof(ULONG_PTR);
}

LRESULT ItemList::GetData(int index) const
{
    return Valid(index) ? static_cast<LRESULT>(items[static_cast<size_t>(index)].data) : LB_ERR;
}

LRESULT ItemList::SetData(int index, LPARAM data)
{
    if (!Valid(index))
        return LB_ERR;
    items[static_cast<size_t>(index)].data = static_cast<ULONG_PTR>(data);
    return LB_OKAY;
}

} // namespace ctl
