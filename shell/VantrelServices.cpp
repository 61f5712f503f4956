#include "shell/VantrelServices.h"

#include "shell/CopyAsTextDlg.h"
#include "shell/Settings.h"
#include "shell/TipWnd.h"
#include "shell/VantrelApp.h"

CVantrelServices::CVantrelServices() = default;

CVantrelServices::~CVantrelServices() { HideTip(); }

void CVantrelServices::ShowTip(HWND view, const CString& text, POINT centre, SIZE size)
{
    if (!m_tip)
        m_tip = std::make_unique<CTipWnd>();
    m_tip->Show(CWnd::FromHandle(view), centre.x, centre.y, size.cx, size.cy, text);
}

void CVantrelServices::HideTip()
{
    if (m_tip && m_tip->m_hWnd)
        m_tip->DestroyWindow();
    m_tip.reset();
}

CWnd* CVantrelServices::GetTipWindow() const { return m_tip && m_tip->m_hWnd ? m_tip.get() : nullptr; }

CString CVantrelServices::GetBitmapFolder() const
{
    return ::GetBitmapFolder();
}

CString CVantrelServices::GetAutoSaveFolder() const
{
    return ::GetAutoSaveFolder();
}

CString CVantrelServices::GetLanguageText(const CString& key) const
{
    return ::GetLanguageText(key);
}

void CVantrelServices::ShowCopyAsText(std::shared_ptr<InkRecognitionResult> result)
{
    CCopyAsTextDlg dialog;
    dialog.SetResult(std::move(result));
    dialog.DoModal();
}

int CVantrelServices::GetSettingInt(LPCTSTR key, int defaultValue) const
{
    Setting setting;
    return FindSetting(key, &setting) ? ::GetSettingInt(setting) : defaultValue;
}
