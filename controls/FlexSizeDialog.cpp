#include "controls/FlexSizeDialog.h"

#include "platform/ui/WinApp.h"

#include <cstdio>
#include <map>

namespace {

// Template id -> height in the high 16 bits, width in the low 16 bits.
std::map<UINT, DWORD>& sizeCache()
{
    static std::map<UINT, DWORD> cache;
    return cache;
}

CString sectionOf(UINT templateId)
{
    char section[24];
    std::snprintf(section, sizeof section, "DLGRES%u", templateId);
    return section;
}

} // namespace

BEGIN_MESSAGE_MAP(CFlexSizeDialog, CNSFlexDialog)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CFlexSizeDialog::CFlexSizeDialog(UINT idTemplate, CWnd* parent) : CNSFlexDialog(idTemplate, parent, 0), m_templateId(idTemplate)
{
    LoadStoredSize();
}

void CFlexSizeDialog::ClearSizeCache()
{
    sizeCache().clear();
}

void CFlexSizeDialog::LoadStoredSize()
{
    auto cached = sizeCache().find(m_templateId);
    if (cached != sizeCache().end()) {
        m_storedWidth = LOWORD(cached->second);
        m_storedHeight = HIWORD(cached->second);
        return;
    }
    if (CWinApp* app = AfxGetApp()) {
        CString section = sectionOf(m_templateId);
        m_storedWidth = static_cast<int>(app->GetProfileInt(section, "Width", -1));
        m_storedHeight = static_cast<int>(app->GetProfileInt(section, "Height", -1));
    }
}

BOOL CFlexSizeDialog::OnInitDialog()
{
    CNSFlexDialog::OnInitDialog();
    ApplyStoredSize();
    return TRUE;
}

// A size from a damaged or foreign profile must neither vanish nor exceed the screen.
bool CFlexSizeDialog::StoredSizeFits() const
{
    return m_storedWidth > 0 && m_storedHeight > 0 && m_storedWidth <= ::GetSystemMetrics(SM_CXSCREEN) &&
           m_storedHeight <= ::GetSystemMetrics(SM_CYSCREEN);
}

BOOL CFlexSizeDialog::ApplyStoredSize()
{
    if (StoredSizeFits()) {
        CSize minimum = GetMinTrackSize();
        SetWindowPos(nullptr, 0, 0, std::max<int>(m_storedWidth, minimum.cx), std::max<int>(m_storedHeight, minimum.cy),
                     SWP_NOMOVE | SWP_NOZORDER);
    }
    m_initialised = TRUE;
    return TRUE;
}

void CFlexSizeDialog::StoreSize()
{
    CRect window;
    GetWindowRect(&window);
    m_storedWidth = window.Width();
    m_storedHeight = window.Height();
    sizeCache()[m_templateId] = (static_cast<DWORD>(m_storedHeight) << 16) | (static_cast<DWORD>(m_storedWidth) & 0xFFFF);
    if (CWinApp* app = AfxGetApp()) {
        CString section = sectionOf(m_templateId);
        app->WriteProfileInt(section, "Width", m_storedWidth);
        app->WriteProfileInt(section, "Height", m_storedHeight);
    }
}

void CFlexSizeDialog::OnSize(UINT type, int cx, int cy)
{
    if (m_initialised && type != SIZE_MINIMIZED)
        StoreSize();
    CNSFlexDialog::OnSize(type, cx, cy);
}
