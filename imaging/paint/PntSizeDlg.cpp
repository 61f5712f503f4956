#include "imaging/paint/PntSizeDlg.h"

#include "platform/ui/DataExchange.h"

#include <array>

namespace {

struct Depth {
    const char* name;
    int bitCount;
};
constexpr std::array<Depth, 6> kDepths = {{{"Monochrome", 1},
                                           {"16 Colors", 4},
                                           {"256 Colors", 8},
                                           {"High Color", 16},
                                           {"True Color", 24},
                                           {"32 bit Colour", 32}}};

} // namespace

BEGIN_MESSAGE_MAP(CPntSizeDlg, CPntDlg)
    ON_BN_CLICKED(CPntSizeDlg::IdCrop, OnCropClicked)
END_MESSAGE_MAP()

CPntSizeDlg::CPntSizeDlg(CWnd* parent)
    : CPntDlg(TemplateId, parent)
{
}

int CPntSizeDlg::DepthIndexOf(int bitCount)
{
    for (size_t i = 0; i < kDepths.size(); ++i)
        if (kDepths[i].bitCount == bitCount)
            return static_cast<int>(i);
    return 2;
}

int CPntSizeDlg::BitCountOf(int index)
{
    return index >= 0 && index < static_cast<int>(kDepths.size()) ? kDepths[size_t(index)].bitCount : 8;
}

void CPntSizeDlg::SetValues(int width, int height, int bitCount)
{
    m_nWidth = width;
    m_nHeight = height;
    m_nDepth = DepthIndexOf(bitCount);
}

int CPntSizeDlg::GetBitCount() const { return BitCountOf(m_nDepth); }

BOOL CPntSizeDlg::OnInitDialog()
{
    m_Depth.SubclassDlgItem(IdDepth, this);
    CPntDlg::OnInitDialog();
    for (const Depth& d : kDepths)
        m_Depth.AddString(d.name);
    m_Depth.SetCurSel(m_nDepth);
    if (CWnd* crop = GetDlgItem(IdCrop))
        crop->EnableWindow(m_bCropAllowed);
    return TRUE;
}

void CPntSizeDlg::DoDataExchange(CDataExchange* dx)
{
    CPntDlg::DoDataExchange(dx);
    DDX_Text(dx, IdWidth, m_nWidth);
    DDX_Text(dx, IdHeight, m_nHeight);
    DDX_Check(dx, IdCrop, m_bCrop);
    if (dx->m_bSaveAndValidate && m_Depth.GetSafeHwnd())
        m_nDepth = m_Depth.GetCurSel();
}

void CPntSizeDlg::OnCropClicked()
{
    UpdateData(TRUE);
    for (UINT id : {IdWidthLabel, IdWidth, IdHeightLabel, IdHeight})
        if (CWnd* item = GetDlgItem(static_cast<int>(id)))
            item->EnableWindow(!m_bCrop);
}
