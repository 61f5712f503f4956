// The toolkit's tree: a tree control whose items may carry a colour, a font and bold text of
// their own, for owners that draw the items themselves.
#pragma once

#include "platform/gdi/FontTypes.h"
#include "platform/ui/TreeCtrl.h"

#include <map>

class CXTTreeCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CXTTreeCtrl)
public:
    // -1 (no colour of its own) takes the colour back.
    void SetItemColor(HTREEITEM item, COLORREF color);
    COLORREF GetItemColor(HTREEITEM item) const;
    void SetItemFont(HTREEITEM item, const LOGFONT& font);
    BOOL GetItemFont(HTREEITEM item, LOGFONT* font) const;
    void SetItemBold(HTREEITEM item, BOOL bold = TRUE);
    BOOL GetItemBold(HTREEITEM item) const;

protected:
    BOOL OnDeleteItem(NMHDR* header, LRESULT* result);

private:
    std::map<HTREEITEM, COLORREF> m_colors;
    std::map<HTREEITEM, LOGFONT> m_fonts;

    DECLARE_MESSAGE_MAP()
};
