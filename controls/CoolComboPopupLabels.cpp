#include "controls/CoolComboPopup.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/KeyNames.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <vector>

namespace {
constexpr DWORD NoCommand = static_cast<DWORD>(-1);
constexpr UINT LabelFormat = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX;

// The keys of the main window's accelerator table.
std::vector<ACCEL> mainWindowKeys()
{
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    HACCEL table = frame ? frame->GetDefaultAccelerator() : nullptr;
    std::vector<ACCEL> keys(static_cast<size_t>(::CopyAcceleratorTable(table, nullptr, 0)));
    ::CopyAcceleratorTable(table, keys.data(), static_cast<int>(keys.size()));
    return keys;
}

// "\tAlt+Ctrl+Shift+K" for each key of the command.
CString keysOf(DWORD command, const std::vector<ACCEL>& keys)
{
    CString text;
    for (const ACCEL& key : keys) {
        if (key.cmd != command)
            continue;
        text += '\t';
        if (key.fVirt & FALT)
            text += "Alt+";
        if (key.fVirt & FCONTROL)
            text += "Ctrl+";
        if (key.fVirt & FSHIFT)
            text += "Shift+";
        text += (key.fVirt & FVIRTKEY) ? VirtualKeyName(key.key) : CString(static_cast<char>(key.key));
    }
    return text;
}

} // namespace

// A command's string: the status prompt, a newline, the menu label; the label ends with the
// command's shortcut keys after a tab.
void CCoolComboPopup::BuildLabels()
{
    m_labels.RemoveAll();
    m_prompts.RemoveAll();
    const std::vector<ACCEL> keys = m_commands.empty() ? std::vector<ACCEL>{} : mainWindowKeys();
    for (DWORD command : m_commands) {
        CString text;
        if (command != 0 && command != NoCommand)
            text.LoadString(command);
        const int cut = text.Find('\n');
        m_prompts.Add(cut < 0 ? text : text.Left(cut));
        m_labels.Add(cut < 0 ? CString() : text.Mid(cut + 1) + keysOf(command, keys));
    }
}

CString CCoolComboPopup::GetLabel(int index) const
{
    return index >= 0 && index < m_labels.GetSize() ? m_labels[index] : CString();
}

bool CCoolComboPopup::HasLabels() const
{
    if (!m_showLabels)
        return false;
    for (int i = 0; i < m_labels.GetSize(); ++i)
        if (!m_labels[i].IsEmpty())
            return true;
    return false;
}

// The size of the cell images; 16 x 16 without images.
CSize CCoolComboPopup::ImageSize() const
{
    int width = 16, height = 16;
    if (m_images && m_images->GetImageCount() > 0)
        ::ImageList_GetIconSize(m_images->GetSafeHandle(), &width, &height);
    return CSize(width, height);
}

CSize CCoolComboPopup::GetCellSize()
{
    const CSize size = ImageSize();
    if (!HasLabels())
        return size;
    CClientDC dc(nullptr);
    CFont* old = dc.SelectObject(&m_font);
    int widest = 0;
    for (int i = 0; i < m_labels.GetSize(); ++i) {
        CRect r(0, 0, 0, 0);
        dc.DrawText(m_labels[i] + "  ", &r, DT_CALCRECT | LabelFormat);
        widest = std::max(widest, static_cast<int>(r.Width()));
    }
    dc.SelectObject(old);
    return CSize(m_labelGap + widest + size.cx, size.cy);
}

// The text before the first tab on the left, the accelerator after it on the right.
void CCoolComboPopup::DrawLabel(CDC& dc, const CString& label, CRect rect, BOOL enabled)
{
    const int tab = label.Find('\t');
    const CString name = tab < 0 ? label : label.Left(tab);
    const CString keys = tab < 0 ? CString() : label.Mid(tab + 1);
    CFont* old = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    auto draw = [&](CRect area, COLORREF colour) {
        dc.SetTextColor(colour);
        dc.DrawText(name, &area, DT_LEFT | LabelFormat);
        dc.DrawText(keys, &area, DT_RIGHT | LabelFormat);
    };
    if (!enabled) {
        CRect shifted = rect;
        shifted.OffsetRect(1, 1);
        draw(shifted, ::GetSysColor(COLOR_3DHILIGHT));
    }
    draw(rect, ::GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
    dc.SelectObject(old);
}

void CCoolComboPopup::ShowStatusPrompt(int hot)
{
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    if (!frame || !m_statusPrompts || m_commands.empty())
        return;
    if (CommandOf(hot) != NoCommand && hot < m_prompts.GetSize())
        frame->SetMessageText(m_prompts[hot]);
    else
        frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
}
