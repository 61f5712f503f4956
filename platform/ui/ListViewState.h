// Private: what the list view's procedure and CListCtrl share — the items, columns and
// layout of each list view window.
#pragma once

#include "platform/ui/ControlKit.h"
#include "platform/ui/ListCtrl.h"

#include <string>
#include <vector>

namespace lv {

struct Item {
    std::vector<std::string> texts{std::string()}; // one per sub-item, the label first
    int image = -1;
    LPARAM data = 0;
    UINT state = 0;
};

struct Column {
    std::string heading;
    int format = LVCFMT_LEFT;
    int width = 60;
};

struct State {
    std::vector<Column> columns;
    std::vector<Item> items;
    CImageList* images[3] = {};
    DWORD exStyle = 0;
    int top = 0;
};
using States = ctl::StateMap<State>;

inline bool Valid(const State& s, int item) { return item >= 0 && item < static_cast<int>(s.items.size()); }

int RowHeight(HWND hwnd);
int HeaderHeight(HWND hwnd);
// Rows that fit wholly below the header.
int RowsPerPage(HWND hwnd);
RECT RowRect(HWND hwnd, int item);
// The item's label area: right of its image, as wide as the first column.
RECT LabelRect(HWND hwnd, int item);
int ItemAt(HWND hwnd, POINT pt, UINT* flags);

// Sets the masked state bits of one item, clearing other selections and focus where only one
// may have them, and tells the parent about every item that changed.
void ChangeState(HWND hwnd, int item, UINT state, UINT mask);
bool ScrollInto(HWND hwnd, int item);

} // namespace lv
