// The Learning Center pane: groups of web links read from "urls.txt" in the web folder, with
// icons from "icons.bmp"; a click opens the link with the desktop's handler.
#pragma once

#include "shell/PanelPane.h"

#include <list>
#include <map>

class CStdioFile;

struct CLinkItem {
    CString caption;
    CString address;
    int image = 0;
};

struct CLinkGroup {
    std::list<CLinkItem> links;
    CString caption;
    CString baseAddress;
    int expanded = 1;
};

// FALSE when the file cannot be opened or is malformed anywhere; TRUE also for a count below 1.
BOOL ReadLinkFile(LPCTSTR path, std::list<CLinkGroup>& groups);
// The next non-blank line as a link line; FALSE at the end of the file or on a malformed line.
BOOL ReadLinkLine(CStdioFile& file, CString& caption, CString& address, int& image, int& extra);

class CLinksPane : public CPanelPane {
public:
    static constexpr UINT kFirstItemId = 200000;

    LRESULT OnTaskPanelNotify(WPARAM code, LPARAM item);
    // The full address of a link item; empty for groups and unknown ids.
    CString GetLinkAddress(UINT id) const;

protected:
    void BuildContent() override;

private:
    std::map<UINT, CString> m_addresses;

    DECLARE_MESSAGE_MAP()
};
