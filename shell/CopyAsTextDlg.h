// The text recognised from handwriting, to correct from the recogniser's alternatives and
// copy. Without a recogniser there is no result and the dialog says so.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"

#include <memory>

class InkRecognitionResult;

class CCopyAsTextDlg : public CDialog {
public:
    static constexpr UINT IDD = 283, kTextId = 1083, kAlternatesId = 1084, kCopyId = 1085, kInkId = 1086;

    explicit CCopyAsTextDlg(CWnd* parent = nullptr);
    void SetResult(std::shared_ptr<InkRecognitionResult> result) { m_result = std::move(result); }
    CEdit& GetTextEdit() { return m_text; }
    CListBox& GetAlternates() { return m_alternates; }

    BOOL PreTranslateMessage(MSG* msg) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnCopy();

protected:
    BOOL OnInitDialog() override;

private:
    // The selection (one character when empty) is the range whose ink and alternatives show.
    void FollowSelection();
    void CopyText();

    std::shared_ptr<InkRecognitionResult> m_result;
    CBrush m_white;
    CListBox m_alternates;
    CEdit m_text;

    DECLARE_MESSAGE_MAP()
};
