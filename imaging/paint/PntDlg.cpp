#include "imaging/paint/PntDlg.h"

#include "platform/ui/WinApp.h"

#include <array>

IMPLEMENT_DYNAMIC(CPntDlg, CNSFlexDialog)

namespace {

constexpr std::array<const char*, 4> kKeys = {"X", "Y", "Width", "Height"};

} // namespace

BEGIN_MESSAGE_MAP(CPntDlg, CNSFlexDialog)
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

CPntDlg::CPntDlg(UINT templateId, CWnd* parent)
    : CNSFlexDialog(templateId, parent)
    , m_nTemplateId(templateId)
{
}

CString CPntDlg::GetProfileSection() const
{
    CString section;
    section.Format("%s%d", "PaintDlg:", static_cast<int>(m_nTemplateId));
    return section;
}

BOOL CPntDlg::OnInitDialog()
{
    CNSFlexDialog::OnInitDialog();
    RestorePlacement();
    return TRUE;
}

void CPntDlg::SavePlacement()
{
    CWinApp* app = AfxGetApp();
    if (!app || !m_hWnd || !m_bPlaced)
        return;
    CRect r;
    GetWindowRect(&r);
    const std::array<int, 4> values = {r.left, r.top, r.Width(), r.Height()};
    const CString section = GetProfileSection();
    for (size_t i = 0; i < kKeys.size(); ++i)
        app->WriteProfileInt(section, kKeys[i], values[i]);
}

BOOL CPntDlg::PlacementFits(const CRect& stored, const CRect& workArea)
{
    return stored.left >= 0 && stored.top >= 0 && stored.left >= workArea.left && stored.top >= workArea.top &&
           stored.Width() > 0 && stored.Height() > 0 && stored.right <= workArea.right &&
           stored.bottom <= workArea.bottom;
}

void CPntDlg::RestorePlacement()
{
    CWinApp* app = AfxGetApp();
    std::array<int, 4> values = {-1, -1, -1, -1};
    const CString section = GetProfileSection();
    for (size_t i = 0; app && i < kKeys.size(); ++i)
        values[i] = static_cast<int>(app->GetProfileInt(section, kKeys[i], -1));
    const CRect stored(values[0], values[1], values[0] + values[2], values[1] + values[3]);
    const CRect work(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (PlacementFits(stored, work))
        MoveWindow(stored);
    else
        CenterWindow();
    m_bPlaced = TRUE;
}

void CPntDlg::OnWindowPosChanged(WINDOWPOS* pos)
{
    SavePlacement();
    CNSFlexDialog::OnWindowPosChanged(pos);
}
