// The child frame of the program's templates: the tool commands of its list and their
// updates go to the frame's tool selection.
#pragma once

#include "View/HyperFrame.h"

class CMyFrame : public CHyperFrame {
    DECLARE_DYNCREATE(CMyFrame)
public:
    CMyFrame() = default;

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
};
