#include "shell/AudioManager.h"

IMPLEMENT_DYNCREATE(CAudioManager, CCmdTarget)

BEGIN_MESSAGE_MAP(CAudioManager, CCmdTarget)
END_MESSAGE_MAP()
