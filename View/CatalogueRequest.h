// The request a page hands to the catalogue window through the update of the window's Paste
// Item command. Its index is -3; with a data source the window adds the data as a new entry,
// without one it answers in the index: 0 when no catalogue can take an entry, else non-zero.
#pragma once

#include "platform/ui/CmdUI.h"

class COleDataSource;

class CCatalogueRequest : public CCmdUI {
public:
    static constexpr UINT PasteItem = 60673;
    static constexpr UINT RequestIndex = static_cast<UINT>(-3);

    explicit CCatalogueRequest(COleDataSource* source = nullptr) : m_source(source)
    {
        m_nID = PasteItem;
        m_nIndex = RequestIndex;
    }

    COleDataSource* m_source;
};
