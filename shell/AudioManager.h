// The owner of sound recording and playback for the main frame. It is offered every command
// before the document windows; the sound Parts give it its commands.
#pragma once

#include "platform/ui/CmdTarget.h"

class CAudioManager : public CCmdTarget {
    DECLARE_DYNCREATE(CAudioManager)
public:
    DECLARE_MESSAGE_MAP()
};
