// A resizable dialog that reopens at the size the user last gave it: per dialog template,
// in a cache for the life of the process and in the profile section "DLGRES<id>".
#pragma once

#include "controls/NSFlexDialog.h"

class CFlexSizeDialog : public CNSFlexDialog {
public:
    explicit CFlexSizeDialog(UINT idTemplate, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    BOOL ApplyStoredSize();
    CSize GetStoredSize() const { return CSize(m_storedWidth, m_storedHeight); }

    // Forgets the sizes cached in this process (a later dialog reads the profile again).
    static void ClearSizeCache();

protected:
    void OnSize(UINT type, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    void LoadStoredSize();
    void StoreSize();
    bool StoredSizeFits() const;

    UINT m_templateId;
    int m_storedWidth = -1;
    int m_storedHeight = -1;
    BOOL m_initialised = FALSE;
};
