// Asks for the width, height and colour depth of a new or resized picture; for a resize of a
// partial selection it offers to crop to it instead.
#pragma once

#include "imaging/paint/PntDlg.h"
#include "platform/ui/ComboBox.h"

class CPntSizeDlg : public CPntDlg {
public:
    static constexpr UINT TemplateId = 28103;
    static constexpr UINT IdWidthLabel = 28007, IdWidth = 28008, IdHeightLabel = 28009, IdHeight = 28010,
                          IdCrop = 28011, IdDepth = 28012;

    explicit CPntSizeDlg(CWnd* parent = nullptr);

    void SetValues(int width, int height, int bitCount);
    int GetBitCount() const;
    static int DepthIndexOf(int bitCount);
    static int BitCountOf(int index);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    int m_nHeight = 0;
    int m_nWidth = 0;
    int m_bCrop = 0;
    int m_nDepth = 1;
    BOOL m_bCropAllowed = FALSE;

protected:
    void OnCropClicked();

    DECLARE_MESSAGE_MAP()

private:
    CComboBox m_Depth;
};
