// The "Download" dialog: runs one transfer once it is shown and reports its progress; Cancel
// asks the transfer to stop. Ends with OK when the transfer succeeded.
#pragma once

#include "platform/sys/gteinet/InetDownload.h"
#include "platform/ui/Dialog.h"

#include <string>

class CDownloadProgressDialog : public CDialog {
public:
    CDownloadProgressDialog(CWnd* parent, INET_DOWNLOADFILE download, std::string address,
        std::string localFile, LONG expectedSize);

    BOOL OnInitDialog() override;
    void OnCancel() override;

protected:
    LRESULT OnStart(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    static int progress(void* context, int kind, LONG done, LONG total);
    int onProgress(int kind, LONG done, LONG total);
    void pumpMessages();
    void reportFailure(int result) const;

    INET_DOWNLOADFILE m_download;
    std::string m_address;
    std::string m_localFile;
    LONG m_expectedSize;
    bool m_transferring = false;
    bool m_cancel = false;
};
