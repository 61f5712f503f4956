// The text recognised from handwriting, to correct word by word from the recogniser's
// alternatives and copy. Without a result the dialog says so.
#pragma once

#include "View/InkDisplayStatic.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ink/InkStrokes.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"

#include <memory>
#include <vector>

class InkRecognitionAlternate;
class InkRecognitionResult;

class CCopyAsTextDlg : public CDialog {
public:
    static constexpr UINT IDD = 283, kTextId = 1083, kAlternatesId = 1084, kCopyId = 1085, kInkId = 1086;
    static constexpr int kMaxAlternates = 10;

    explicit CCopyAsTextDlg(CWnd* parent = nullptr);
    ~CCopyAsTextDlg() override;
    void SetResult(std::shared_ptr<InkRecognitionResult> result) { m_result = std::move(result); }
    CEdit& GetTextEdit() { return m_text; }
    CListBox& GetAlternates() { return m_alternates; }
    // The ink the display shows: the strokes of the selected text.
    const InkStrokes& GetShownStrokes() const { return m_shownStrokes; }

    BOOL PreTranslateMessage(MSG* msg) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnCopy();
    void OnAlternateChosen();

protected:
    BOOL OnInitDialog() override;

private:
    // The selection (one character when empty) is the range whose ink and alternatives show.
    void FollowSelection();
    void ShowStrokes(const InkStrokes& strokes);
    void ListAlternates(int start, int length);
    void CopyText();

    std::shared_ptr<InkRecognitionResult> m_result;
    std::vector<std::shared_ptr<InkRecognitionAlternate>> m_listed;
    InkStrokes m_shownStrokes;
    CBrush m_white;
    CListBox m_alternates;
    CEdit m_text;
    CInkDisplayStatic m_ink;

    DECLARE_MESSAGE_MAP()
};
