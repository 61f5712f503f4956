#include "projects/ConfirmRemoveDlg.h"

void CConfirmRemoveDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Check(dx, IdcDeleteFile, m_bDeleteFile);
}
