// What the exports ask of the shell above the views: the export options dialog and the main
// frame's progress display. The shell installs its host at start-up; until then there are no
// options to ask for, so an export ends at once, and progress is not shown.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

class CHyperRunView;
struct CExportOptions;

class CPageExportHost {
public:
    virtual ~CPageExportHost() = default;
    // Asks for the picture of the view's page under the caption; FALSE when the user cancelled.
    virtual BOOL RunExportOptions(CHyperRunView*, const CString&, CExportOptions&) { return FALSE; }
    virtual void BeginProgress(int, int, int, UINT) { }
    virtual void StepProgress() { }
    virtual void EndProgress() { }
};

CPageExportHost& GetPageExportHost();
// Installs the host (not owned); NULL puts the default back.
void SetPageExportHost(CPageExportHost* host);

// A progress display that ends on every way out of the scope.
class CExportProgress {
public:
    CExportProgress(int low, int high, int step, UINT captionId);
    ~CExportProgress();
    CExportProgress(const CExportProgress&) = delete;
    CExportProgress& operator=(const CExportProgress&) = delete;
    void Step(int times = 1);
};
