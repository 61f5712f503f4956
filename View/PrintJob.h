// The print command's loop: a view's pages go to the system's printer, which writes them to
// a PDF file.
#pragma once

#include "platform/core/Types.h"

class CView;

// FALSE when the view prints nothing or the printer cannot start the job.
BOOL PrintViewToFile(CView* view, LPCTSTR output, LPCTSTR documentName);
