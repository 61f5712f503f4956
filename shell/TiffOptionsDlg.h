// The TIFF compression of a picture export: none, or PackBits (shown as "Macintosh RLE").
#pragma once

#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

class CTiffOptionsDlg : public CDialog {
public:
    static constexpr UINT IDD = 388, kCompressionId = 1117;
    static constexpr int kNone = 1, kPackBits = 32773;

    explicit CTiffOptionsDlg(CWnd* parent = nullptr);
    int GetCompression() const { return m_compression; }
    CComboBox& GetList() { return m_list; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CComboBox m_list;
    int m_compression = kPackBits;
};
