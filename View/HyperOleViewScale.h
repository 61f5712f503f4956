// Scaling an embedded object from the object properties dialog, and keeping the program's
// working folder across the dialogs that may browse elsewhere.
#pragma once

#include "platform/core/String.h"
#include "platform/ole/OleDialogs.h"

// The properties dialog whose scale resizes the object: the natural size times the percentage.
class COleScaleDialog : public COlePropertiesDialog {
public:
    explicit COleScaleDialog(COleClientItem* item, UINT scaleMin, UINT scaleMax, CWnd* parent = nullptr)
        : COlePropertiesDialog(item, scaleMin, scaleMax, parent)
    {
    }

    BOOL OnApplyScale(COleClientItem* item, int scale, BOOL relativeToOriginal) override;
};

// Returns to the working folder it found when it goes, however long its path.
class CWorkingFolderKeeper {
public:
    CWorkingFolderKeeper();
    ~CWorkingFolderKeeper();
    CWorkingFolderKeeper(const CWorkingFolderKeeper&) = delete;
    CWorkingFolderKeeper& operator=(const CWorkingFolderKeeper&) = delete;

private:
    CString m_folder;
};
