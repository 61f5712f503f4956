// The "<SignatureChecker>" dialog: the user writes a signature with the pen (or the mouse) on
// a white area; after OK the ink written there is handed to the caller.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/ui/Dialog.h"

#include <memory>

class InkCollector;
class InkDisp;

class CSignatureDlg : public CDialog {
public:
    static constexpr UINT IDD = 282;
    static constexpr UINT IDC_SIGNATURE = 1082;

    explicit CSignatureDlg(CWnd* parent = nullptr);
    ~CSignatureDlg() override;

    BOOL OnInitDialog() override;
    // The ink written in the dialog; NULL before it was shown.
    std::shared_ptr<InkDisp> GetInk() const;

protected:
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

private:
    std::unique_ptr<InkCollector> m_collector;
    CBrush m_background;

    DECLARE_MESSAGE_MAP()
};
