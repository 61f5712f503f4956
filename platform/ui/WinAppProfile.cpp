// The application's profile calls, the recent-file list and the command line.
#include "platform/ui/WinApp.h"

#include "platform/ui/CmdUI.h"
#include "platform/ui/Menu.h"
#include "platform/sys/Profile.h"

#include <strings.h>

CProfile& CWinApp::GetProfile()
{
    if (!m_pProfile) {
        LPCTSTR maker = m_pszRegistryKey ? m_pszRegistryKey : "Vantrel";
        LPCTSTR product = m_pszProfileName ? m_pszProfileName : (m_pszAppName ? m_pszAppName : "Vantrel");
        m_pProfile = new CProfile(CProfile::PathFor(maker, product));
    }
    return *m_pProfile;
}

UINT CWinApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue)
{
    return GetProfile().GetProfileInt(section, entry, defaultValue);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value)
{
    return GetProfile().WriteProfileInt(section, entry, value);
}

CString CWinApp::GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue)
{
    return GetProfile().GetProfileString(section, entry, defaultValue);
}

BOOL CWinApp::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value)
{
    return GetProfile().WriteProfileString(section, entry, value);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE* data, UINT* bytes)
{
    return GetProfile().GetProfileBinary(section, entry, data, bytes);
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE data, UINT bytes)
{
    return GetProfile().WriteProfileBinary(section, entry, data, bytes);
}

CRecentFileList::CRecentFileList(UINT start, LPCTSTR section, LPCTSTR entryFormat, int size)
    : m_strSectionName(section), m_strEntryFormat(entryFormat), m_nStart(start), m_nSize(size < 1 ? 1 : size)
{
}

void CRecentFileList::Add(LPCTSTR pathName)
{
    if (!pathName || !*pathName)
        return;
    for (int i = 0; i < m_arrNames.GetSize(); ++i)
        if (m_arrNames[i] == pathName) {
            m_arrNames.RemoveAt(i);
            break;
        }
    m_arrNames.InsertAt(0, CString(pathName));
    while (m_arrNames.GetSize() > m_nSize)
        m_arrNames.RemoveAt(m_arrNames.GetSize() - 1);
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < m_arrNames.GetSize())
        m_arrNames.RemoveAt(index);
}

void CRecentFileList::ReadList()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    m_arrNames.RemoveAll();
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        CString name = app->GetProfileString(m_strSectionName, entry);
        if (!name.IsEmpty())
            m_arrNames.Add(name);
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        app->WriteProfileString(m_strSectionName, entry, i < m_arrNames.GetSize() ? static_cast<LPCTSTR>(m_arrNames[i]) : nullptr);
    }
}

void CRecentFileList::UpdateMenu(CCmdUI* cmdUI)
{
    CMenu* menu = cmdUI->m_pMenu;
    if (!menu) {
        cmdUI->Enable(m_arrNames.GetSize() > 0);
        return;
    }
    if (m_strOriginal.IsEmpty())
        menu->GetMenuString(cmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
    for (int i = 0; i < m_nSize; ++i)
        menu->DeleteMenu(cmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
    if (m_arrNames.GetSize() == 0) {
        menu->InsertMenu(cmdUI->m_nIndex, MF_STRING | MF_BYPOSITION | MF_GRAYED, cmdUI->m_nID, m_strOriginal);
        cmdUI->m_nIndexMax = menu->GetMenuItemCount();
        return;
    }
    for (int i = 0; i < m_arrNames.GetSize(); ++i) {
        CString text;
        text.Format("&%d %s", i + 1, static_cast<LPCTSTR>(m_arrNames[i]));
        menu->InsertMenu(cmdUI->m_nIndex + static_cast<UINT>(i), MF_STRING | MF_BYPOSITION, cmdUI->m_nID + static_cast<UINT>(i), text);
    }
    cmdUI->m_nIndex += static_cast<UINT>(m_arrNames.GetSize()) - 1;
    cmdUI->m_nIndexMax = menu->GetMenuItemCount();
    cmdUI->m_bEnableChanged = TRUE;
}

void CCommandLineInfo::ParseParam(LPCTSTR param, BOOL flag, BOOL)
{
    if (flag)
        ParseParamFlag(param);
    else
        ParseParamNotFlag(param);
}

void CCommandLineInfo::ParseParamFlag(LPCTSTR param)
{
    if (strcasecmp(param, "pt") == 0)
        m_nShellCommand = FilePrintTo;
    else if (strcasecmp(param, "p") == 0)
        m_nShellCommand = FilePrint;
    else if (strcasecmp(param, "unregister") == 0 || strcasecmp(param, "unregserver") == 0)
        m_nShellCommand = AppUnregister;
    else if (strcasecmp(param, "dde") == 0)
        m_nShellCommand = FileDDE;
    else if (strcasecmp(param, "embedding") == 0) {
        m_bShowSplash = FALSE;
        m_bRunEmbedded = TRUE;
    } else if (strcasecmp(param, "automation") == 0) {
        m_bShowSplash = FALSE;
        m_bRunAutomated = TRUE;
    }
}

void CCommandLineInfo::ParseParamNotFlag(LPCTSTR param)
{
    if (m_nShellCommand == FileNew || m_nShellCommand == FileOpen)
        m_fileNames.push_back(param);
    if (m_strFileName.IsEmpty())
        m_strFileName = param;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = param;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = param;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = param;
    if (m_nShellCommand == FileNew)
        m_nShellCommand = FileOpen;
}
