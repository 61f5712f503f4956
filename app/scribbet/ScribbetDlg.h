// Scribbet's one window: the text of a rich-text file in an edit, Save and Close. Saving writes
// the file as rich text and tells the window that asked for the edit (message 0x2045 with the
// object value it was given).
#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/RichText.h"

#include <string>

struct ScribbetRequest {
    std::string path;
    HWND window = nullptr;
    WPARAM object = 0;
    DWORD processId = 0;
};

// The three quoted words of the command line: file, window and object, both in decimal.
bool ReadScribbetRequest(int argc, char** argv, ScribbetRequest& request);

class CScribbetDlg : public CDialog {
public:
    static constexpr UINT TemplateId = 1;
    static constexpr UINT EditId = 100;
    static constexpr UINT WM_NOTESREFRESH = 0x2045;

    explicit CScribbetDlg(const ScribbetRequest& request) : m_request(request) {}

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // Writes the text as rich text in the format the file began with.
    bool Save(const std::string& text);

private:
    void Finish();

    ScribbetRequest m_request;
    RichText m_rich;
};

void RegisterScribbetResources();
