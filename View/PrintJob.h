// The print loop: pages of a document, one view each, go to a printer (the built-in PDF
// printer or a desktop queue) while the printing dialog shows and offers Cancel.
#pragma once

#include "platform/core/String.h"

#include <vector>

class CView;

struct CPrintRequest {
    CString printer;       // the device name, as the print dialog gives it
    CString output;        // the file the built-in printer writes
    CString documentName;
    UINT fromPage = 1;     // positions in the list of pages, from 1; downwards when to is lower
    UINT toPage = 1;
    int copies = 1;
};

enum class PrintResult { Printed, Cancelled, Failed };

PrintResult PrintPages(const std::vector<CView*>& pages, const CPrintRequest& request);

// The pages of the view's document in their order (the view alone without a document).
std::vector<CView*> DocumentPagesOf(CView* view);
// The job's name: the document's title, else the frame's caption, cut to 31 characters.
CString JobNameOf(CView* view);
