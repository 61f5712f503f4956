// The icons of commands, from the bitmap strips of tool bar resources.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/gdi/ImageList.h"

#include <map>
#include <memory>
#include <vector>

class CDC;

class CXTPIconStore {
public:
    CXTPIconStore() = default;
    ~CXTPIconStore();
    CXTPIconStore(const CXTPIconStore&) = delete;
    CXTPIconStore& operator=(const CXTPIconStore&) = delete;

    // The bitmap of the tool bar resource (same id) gives one icon per command of the bar, and
    // its large bitmap, where there is one, the large icons.
    BOOL SetIcons(UINT toolBarId);
    // A strip bitmap with one icon per command id; the mask colour is transparent.
    BOOL SetIcons(UINT bitmapId, const UINT* ids, int count, CSize size, COLORREF mask = RGB(192, 192, 192));
    BOOL HasIcon(UINT commandId) const { return m_icons.count(commandId) != 0; }
    // A large icon is asked for with `large`; a command without one shows its small icon.
    BOOL DrawIcon(CDC* dc, UINT commandId, CPoint point, BOOL large = FALSE) const;
    CSize GetIconSize(UINT commandId, BOOL large = FALSE) const;

private:
    struct Icon {
        CImageList* list;
        int index;
    };
    using Icons = std::map<UINT, Icon>;
    BOOL AddStrip(HBITMAP bitmap, const UINT* ids, int count, CSize size, COLORREF mask, Icons& icons);
    const Icon* Find(UINT commandId, BOOL large) const;

    std::vector<std::unique_ptr<CImageList>> m_lists;
    Icons m_icons;
    Icons m_largeIcons;
};
