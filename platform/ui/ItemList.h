// Private: the items of a list box or combo box — text or owner data, selection marks and
// heights — with sorted insertion, search and deletion as both controls do them.
#pragma once

#include "platform/ui/ControlTypes.h"

#include <string>
#include <vector>

namespace ctl {

struct ListItem {
    std::string text;
    ULONG_PTR data = 0;
    bool selected = false;
    int height = 0;
};

class ItemList {
public:
    // owner: the control; ctlType ODT_LISTBOX or ODT_COMBOBOX; hasStrings false for owner-drawn
    // lists that keep only item data (sorted through WM_COMPAREITEM).
    ItemList(UINT ctlType) : m_ctlType(ctlType) {}

    std::vector<ListItem> items;

    int Count() const { return static_cast<int>(items.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    // Inserts at index (-1: the end) or, when sorted, at its sorted place; returns the index.
    int Insert(HWND owner, int index, LPARAM value, bool sorted, bool hasStrings);
    // Deletes one item and tells the parent (WM_DELETEITEM) when it has owner data.
    bool Delete(HWND owner, int index);
    void Clear(HWND owner);
    // The first item after start (wrapping) whose text begins with (or equals) text; items
    // without strings match on their data.
    int Find(LPARAM value, int start, bool exact, bool hasStrings) const;
    LRESULT GetText(int index, LPARAM buffer, bool hasStrings) const;
    LRESULT TextLength(int index, bool hasStrings) const;
    LRESULT GetData(int index) const;
    LRESULT SetData(int index, LPARAM data);

private:
    int compare(HWND owner, const ListItem& a, int indexA, const ListItem& b, int indexB, bool hasStrings) const;

    UINT m_ctlType;
};

} // namespace ctl
