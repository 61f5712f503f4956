// What the shell offers the object model and the views: the floating tip while objects turn,
// and where the program keeps its bitmaps.
#pragma once

#include "objects/ShellServices.h"

#include <memory>

class CTipWnd;
class CWnd;

class CVantrelServices : public CShellServices {
public:
    CVantrelServices();
    ~CVantrelServices() override;

    // Through the language library, so that the views' texts are translated too.
    CString GetLanguageText(const CString& key) const override;
    void ShowTip(HWND view, const CString& text, POINT centre, SIZE size) override;
    // The tip lives for one tracking loop.
    void HideTip() override;
    CString GetBitmapFolder() const override;
    CString GetAutoSaveFolder() const override;
    void ShowCopyAsText(std::shared_ptr<InkRecognitionResult> result) override;
    // The settings store, for the keys it knows.
    int GetSettingInt(LPCTSTR key, int defaultValue) const override;
    // The tip's window while one is shown.
    CWnd* GetTipWindow() const;

private:
    std::unique_ptr<CTipWnd> m_tip;
};
