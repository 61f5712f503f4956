// The page's side of the catalogues: Add To Catalog offers the selected objects to the
// catalogue window, and objects dragged in from a catalogue land on the page.
#pragma once

#include "View/HyperOleView.h"

#include <vector>

class CBitmap;
class COleDataSource;

class CCatView : public CHyperOleView {
    DECLARE_DYNCREATE(CCatView)
public:
    static constexpr UINT CmdAddToCatalog = 60685;
    static constexpr int IconSize = 32;
    static constexpr int MaxPictureExtent = 256;

    // The catalogue side turns a page's objects into an entry of the data source; the program
    // installs it at start-up.
    using EntryMaker = void (*)(COleDataSource* source, UINT format, HGLOBAL block, const CString& name,
                                CBitmap* image, CBitmap* mask);
    static void SetEntryMaker(EntryMaker maker);

    // The objects in page order with their private block and the entry; NULL without objects.
    COleDataSource* MakeDataSource(const std::vector<const CHyperOb*>& objects);
    BOOL OnDataSourceHook(COleDataSource* source, const std::vector<const CHyperOb*>& objects, UINT format,
                          HGLOBAL block, BOOL reserved) override;
    // A 32 x 32 picture of the objects and its mask, black where they are.
    BOOL MakeIcon(const std::vector<const CHyperOb*>& objects, CBitmap& image, CBitmap& mask);
    std::vector<const CHyperOb*> GetSelectedInOrder() const;

    void OnAddToCatalog();
    void OnUpdateAddToCatalog(CCmdUI* cmdUI);

    DECLARE_MESSAGE_MAP()
};
