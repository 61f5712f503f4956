// The resizable dialog base: registered controls follow the dialog's size by their resize
// rules, the initial size is the smallest the user can drag it to, and OK and the Apply
// button (12321) commit through Apply.
#pragma once

#include "controls/FlexLayout.h"
#include "platform/ui/Dialog.h"

#include <memory>

constexpr UINT ID_FLEX_APPLY = 12321;

class CNSFlexDialog : public CDialog {
    DECLARE_DYNAMIC(CNSFlexDialog)
public:
    CNSFlexDialog(UINT idTemplate, CWnd* parent = nullptr, UINT flags = 0);

    void AddFlexControl(UINT controlId, const CFlexHorzConstraint& horz, const CFlexVertConstraint& vert);
    BOOL OnInitDialog() override;
    void OnOK() override;

    virtual BOOL Apply(UINT flags);
    virtual void SetFlags(UINT flags) { m_flags = flags; }
    void SetModified(BOOL modified);
    BOOL IsModified() const { return m_modified; }
    CSize GetMinTrackSize() const { return CSize(m_minWidth, m_minHeight); }

protected:
    void OnApply();
    void OnSize(UINT type, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* info);

    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CFlexLayout> m_layout;
    int m_minWidth = 0;
    int m_minHeight = 0;
    BOOL m_modified = FALSE;
    UINT m_flags;
};
