// The child frame of the program's templates: its frame object is the generator kind, the
// tool commands of its list and their updates go to the frame's tool selection, and Help opens
// the help file.
#pragma once

#include "View/HyperFrame.h"

class CMyFrame : public CHyperFrame {
    DECLARE_DYNCREATE(CMyFrame)
public:
    static constexpr UINT CmdHelp = 57670;

    CMyFrame() = default;

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    CHyperFrameOb* CreateFrameObject() override;
    void OnHelp();

    DECLARE_MESSAGE_MAP()
};
