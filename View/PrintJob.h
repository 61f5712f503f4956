// The print command's loop: a view's pages go to the system's printer, which writes them to
// a PDF file.
#pragma once

#include "platform/core/Types.h"

#include <vector>

class CView;

// FALSE when the view prints nothing or the printer cannot start the job.
BOOL PrintViewToFile(CView* view, LPCTSTR output, LPCTSTR documentName);
// The pages of each view in turn, in one job.
BOOL PrintViewsToFile(const std::vector<CView*>& views, LPCTSTR output, LPCTSTR documentName);
