#include "shell/LinksPane.h"

#include "shell/Settings.h"
#include "shell/VantrelApp.h"
#include "platform/core/File.h"
#include "platform/core/StdioFile.h"
#include "platform/sys/Shell.h"
#include "platform/ui/Help.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WebAddress.h"

#include <climits>
#include <vector>

BEGIN_MESSAGE_MAP(CLinksPane, CWnd)
    ON_MESSAGE(WM_XTP_TASKPANELNOTIFY, OnTaskPanelNotify)
END_MESSAGE_MAP()

namespace {

constexpr LPCTSTR kCaptionEnd = "\",\"";
constexpr LPCTSTR kAddressEnd = "\",";

// A decimal integer from the start of the text, as the C library reads one; no digits give 0,
// too many saturate.
int LeadingNumber(const CString& text)
{
    int i = 0;
    while (i < text.GetLength() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const bool negative = i < text.GetLength() && text[i] == '-';
    if (i < text.GetLength() && (text[i] == '-' || text[i] == '+'))
        ++i;
    long long value = 0;
    for (; i < text.GetLength() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX + 1LL);
    value = negative ? -value : std::min<long long>(value, INT_MAX);
    return static_cast<int>(value);
}

// The next line that is not blank, trimmed; FALSE at the end of the file.
BOOL ReadFilledLine(CStdioFile& file, CString& line)
{
    while (file.ReadString(line)) {
        line.Trim();
        if (!line.IsEmpty())
            return TRUE;
    }
    return FALSE;
}

// "caption","address",first[,second]: FALSE when the quote or a separator is missing.
BOOL SplitEntry(const CString& line, CString& caption, CString& address, int& first, int& second)
{
    if (line.IsEmpty() || line[0] != '"')
        return FALSE;
    const CString rest = line.Mid(1);
    const int captionEnd = rest.Find(kCaptionEnd);
    if (captionEnd < 0)
        return FALSE;
    caption = rest.Left(captionEnd);
    const CString tail = rest.Mid(captionEnd + 3);
    const int addressEnd = tail.Find(kAddressEnd);
    if (addressEnd < 0)
        return FALSE;
    address = tail.Left(addressEnd);
    const CString numbers = tail.Mid(addressEnd + 2);
    first = LeadingNumber(numbers);
    const int comma = numbers.Find(',');
    if (comma >= 0)
        second = LeadingNumber(numbers.Mid(comma + 1));
    return TRUE;
}

BOOL ReadGroup(CStdioFile& file, CLinkGroup& group)
{
    CString line;
    int count = 0;
    if (!ReadFilledLine(file, line) || !SplitEntry(line, group.caption, group.baseAddress, count, group.expanded))
        return FALSE;
    for (int i = 0; i < count; ++i) {
        CLinkItem link;
        int extra = 1;
        if (!ReadLinkLine(file, link.caption, link.address, link.image, extra))
            return FALSE;
        group.links.push_back(link);
    }
    return TRUE;
}

HBITMAP LoadBitmapFile(const CString& path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::typeBinary))
        return nullptr;
    const ULONGLONG length = file.GetLength();
    if (length > 64u * 1024 * 1024)
        return nullptr;
    std::vector<BYTE> bytes(static_cast<size_t>(length));
    if (file.Read(bytes.data(), static_cast<UINT>(bytes.size())) != bytes.size())
        return nullptr;
    return LoadBitmapFromFile(&bytes);
}

// An address without a scheme names one of the program's own help pages.
CString ResolvedAddress(const CString& address)
{
    if (address.IsEmpty() || !AddressScheme(address).empty())
        return address;
    return GetHelpFolder() + "/" + address;
}

} // namespace

BOOL ReadLinkLine(CStdioFile& file, CString& caption, CString& address, int& image, int& extra)
{
    CString line;
    extra = 1;
    return ReadFilledLine(file, line) && SplitEntry(line, caption, address, image, extra);
}

// Read only: the file is data the program ships, never written back.
BOOL ReadLinkFile(LPCTSTR path, std::list<CLinkGroup>& groups)
{
    CStdioFile file;
    if (!file.Open(path, CFile::modeRead | CFile::typeText))
        return FALSE;
    CString line;
    if (!file.ReadString(line) || line.Trim().IsEmpty())
        return FALSE;
    const int count = LeadingNumber(line);
    for (int i = 0; i < count; ++i) {
        CLinkGroup group;
        if (!ReadGroup(file, group))
            return FALSE;
        groups.push_back(group);
    }
    return TRUE;
}

void CLinksPane::BuildContent()
{
    m_addresses.clear();
    std::list<CLinkGroup> groups;
    const CString folder = GetWebFolder();
    UINT id = kFirstItemId;
    if (ReadLinkFile(folder + "/urls.txt", groups))
        for (const CLinkGroup& group : groups) {
            CXTPTaskGroup* panelGroup = m_wndTaskPanel.AddGroup(id++);
            panelGroup->SetCaption(GetLanguageText(group.caption));
            panelGroup->SetExpanded(group.expanded != 0);
            for (const CLinkItem& link : group.links) {
                panelGroup->AddLink(id, link.image)->SetCaption(GetLanguageText(link.caption));
                m_addresses[id++] = ResolvedAddress(group.baseAddress + link.address);
            }
        }
    SetImages(LoadBitmapFile(folder + "/icons.bmp"));
    m_wndTaskPanel.RecalcLayout();
}

CString CLinksPane::GetLinkAddress(UINT id) const
{
    auto found = m_addresses.find(id);
    return found == m_addresses.end() ? CString() : found->second;
}

// Web and mail addresses go to the desktop, the program's own pages to its help window;
// never a program or script.
LRESULT CLinksPane::OnTaskPanelNotify(WPARAM code, LPARAM lParam)
{
    const auto* item = reinterpret_cast<const CXTPTaskItem*>(lParam);
    if (code != TaskPanelItemClick || !item)
        return 0;
    const CString address = GetLinkAddress(item->GetID());
    const ShellTarget kind = address.IsEmpty() ? ShellTarget::missing : ClassifyShellTarget(address);
    if (kind == ShellTarget::webAddress || kind == ShellTarget::mailAddress)
        OpenWebAddress(address);
    else if (kind == ShellTarget::document)
        HtmlHelp(AfxGetMainWnd() ? AfxGetMainWnd()->m_hWnd : m_hWnd, address, HH_DISPLAY_TOPIC, 0);
    return 0;
}
