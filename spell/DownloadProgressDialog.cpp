#include "spell/DownloadProgressDialog.h"

#include "spell/LexigardDialogs.h"
#include "spell/LibraryMessage.h"

#include "platform/ui/ControlTypes.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr UINT WM_START_TRANSFER = WM_APP + 1;
constexpr char kAgent[] = "Lexigard";

} // namespace

BEGIN_MESSAGE_MAP(CDownloadProgressDialog, CDialog)
ON_MESSAGE(WM_START_TRANSFER, OnStart)
END_MESSAGE_MAP()

CDownloadProgressDialog::CDownloadProgressDialog(
    CWnd* parent, INET_DOWNLOADFILE download, std::string address, std::string localFile, LONG expectedSize)
    : CDialog(IDD_DOWNLOAD, parent)
    , m_download(download)
    , m_address(std::move(address))
    , m_localFile(std::move(localFile))
    , m_expectedSize(expectedSize)
{
}

BOOL CDownloadProgressDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_PROGRESS_ADDRESS, m_address.c_str());
    SendDlgItemMessage(IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 100);
    PostMessage(WM_START_TRANSFER);
    return TRUE;
}

void CDownloadProgressDialog::OnCancel()
{
    m_cancel = true;
    if (!m_transferring)
        EndDialog(IDCANCEL);
}

LRESULT CDownloadProgressDialog::OnStart(WPARAM, LPARAM)
{
    if (m_cancel)
        return 0;
    m_transferring = true;
    int result = m_download(kAgent, m_address.c_str(), m_localFile.c_str(), 1, progress, this);
    m_transferring = false;
    reportFailure(result);
    EndDialog(result == INET_OK ? IDOK : IDCANCEL);
    return 0;
}

void CDownloadProgressDialog::reportFailure(int result) const
{
    switch (result) {
    case INET_NO_CONNECTION:
    case INET_FAILED:
        ShowLibraryMessage("Unable to connect to server. Please check your Internet settings.\n"
                           "The server may be down or unreachable. Please try later again.");
        break;
    case INET_NO_SESSION:
        ShowLibraryMessage(
            "Cannot create Internet session. Make sure that you have WINET.DLL in your system directory.");
        break;
    case INET_NO_FILE: {
        char text[300 + 260];
        std::snprintf(text, sizeof text, "Cannot create file: %s", m_localFile.c_str());
        ShowLibraryMessage(text);
        break;
    }
    default:
        break;
    }
}

int CDownloadProgressDialog::progress(void* context, int kind, LONG done, LONG total)
{
    return static_cast<CDownloadProgressDialog*>(context)->onProgress(kind, done, total);
}

int CDownloadProgressDialog::onProgress(int kind, LONG done, LONG total)
{
    if (kind == INET_CONNECTING) {
        SetDlgItemText(IDC_PROGRESS_STATE, "Connecting");
    } else if (kind == INET_WAITING) {
        SetDlgItemText(IDC_PROGRESS_STATE, "Waiting for replay");
    } else if (kind == INET_RECEIVING) {
        LONG whole = std::max({ total, m_expectedSize, LONG(1) });
        char text[64];
        std::snprintf(text, sizeof text, "%ldK of %ldK", static_cast<long>(done / 1024),
            static_cast<long>(whole / 1024));
        SetDlgItemText(IDC_PROGRESS_STATE, text);
        long percent = std::min<long>(static_cast<long>(done) * 100L / whole, 100);
        SendDlgItemMessage(IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(percent));
    }
    pumpMessages();
    return m_cancel ? 1 : 0;
}

// Keeps the dialog, its parent and the parent's parent answering while the transfer runs.
void CDownloadProgressDialog::pumpMessages()
{
    HWND parent = ::GetParent(m_hWnd);
    for (HWND window : { m_hWnd, parent, parent ? ::GetParent(parent) : nullptr }) {
        MSG msg;
        while (window != nullptr && ::PeekMessage(&msg, window, 0, 0, PM_REMOVE)) {
            if (!PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
    }
}
