#include "View/SignatureDlg.h"

#include "platform/ink/InkCollector.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

namespace {

void RegisterSignatureTemplate()
{
    if (FindDialogResource(CSignatureDlg::IDD))
        return;
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    t.cx = 240;
    t.cy = 130;
    t.caption = "<SignatureChecker>";
    t.fontName = "Sans";
    t.items = {
        {"static", "", CSignatureDlg::IDC_SIGNATURE, child | WS_BORDER | SS_NOTIFY, 0, 7, 7, 226, 92},
        {"button", "<OK>", IDOK, child | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 120, 108, 50, 14},
        {"button", "<Cancel>", IDCANCEL, child | WS_TABSTOP | BS_PUSHBUTTON, 0, 180, 108, 50, 14},
    };
    RegisterDialogResource(CSignatureDlg::IDD, t);
}

} // namespace

BEGIN_MESSAGE_MAP(CSignatureDlg, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CSignatureDlg::CSignatureDlg(CWnd* parent) : CDialog(IDD, parent)
{
    RegisterSignatureTemplate();
    m_background.CreateSolidBrush(RGB(255, 255, 255));
}

CSignatureDlg::~CSignatureDlg() = default;

BOOL CSignatureDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWnd* area = GetDlgItem(IDC_SIGNATURE);
    m_collector = std::make_unique<InkCollector>();
    m_collector->DefaultDrawingAttributes().Width = 30.0f;
    m_collector->DefaultDrawingAttributes().Height = 30.0f;
    if (!area || !m_collector->SetHWnd(area->m_hWnd) || !m_collector->SetEnabled(true))
        m_collector.reset();
    return TRUE;
}

std::shared_ptr<InkDisp> CSignatureDlg::GetInk() const
{
    return m_collector ? m_collector->Ink() : nullptr;
}

HBRUSH CSignatureDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    if (wnd && wnd->GetDlgCtrlID() == int(IDC_SIGNATURE))
        return static_cast<HBRUSH>(m_background.GetSafeHandle());
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
