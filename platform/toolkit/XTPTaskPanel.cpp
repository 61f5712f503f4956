#include "platform/toolkit/XTPTaskPanel.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/ImageList.h"
#include "platform/toolkit/XTPMessages.h"
#include "platform/toolkit/XTPPaintManager.h"

#include <algorithm>

namespace {

struct TaskPanelColors {
    COLORREF back;
    COLORREF caption;
    COLORREF captionText;
    COLORREF body;
    COLORREF link;
};

constexpr TaskPanelColors kTaskThemes[] = {
    {RGB(212, 208, 200), RGB(128, 128, 128), RGB(255, 255, 255), RGB(240, 240, 240), RGB(0, 0, 192)},
    {RGB(123, 162, 231), RGB(255, 255, 255), RGB(33, 93, 198), RGB(214, 223, 247), RGB(33, 93, 198)},
    {RGB(196, 218, 250), RGB(89, 135, 214), RGB(255, 255, 255), RGB(221, 236, 254), RGB(0, 45, 150)},
};

const TaskPanelColors& colorsOf(int theme) { return kTaskThemes[std::clamp(theme, 0, 2)]; }

} // namespace

void CXTPTaskItem::SetCaption(LPCTSTR caption)
{
    m_strCaption = caption;
    if (m_pPanel && m_pPanel->GetSafeHwnd())
        m_pPanel->RecalcLayout();
}

CXTPTaskItem* CXTPTaskGroup::Add(std::unique_ptr<CXTPTaskItem> item)
{
    m_items.push_back(std::move(item));
    if (m_pPanel && m_pPanel->GetSafeHwnd())
        m_pPanel->RecalcLayout();
    return m_items.back().get();
}

CXTPTaskItem* CXTPTaskGroup::AddLink(UINT id, int iconIndex)
{
    auto item = std::make_unique<CXTPTaskItem>(m_pPanel, TaskItemLink, id);
    item->SetIconIndex(iconIndex);
    return Add(std::move(item));
}

CXTPTaskItem* CXTPTaskGroup::AddText(LPCTSTR text)
{
    auto item = std::make_unique<CXTPTaskItem>(m_pPanel, TaskItemText, 0);
    item->SetCaption(text);
    return Add(std::move(item));
}

CXTPTaskItem* CXTPTaskGroup::AddControlItem(HWND control)
{
    auto item = std::make_unique<CXTPTaskItem>(m_pPanel, TaskItemControl, 0);
    item->SetControlHandle(control);
    return Add(std::move(item));
}

CXTPTaskItem* CXTPTaskGroup::GetAt(int index) const
{
    return index >= 0 && index < GetItemCount() ? m_items[static_cast<size_t>(index)].get() : nullptr;
}

CXTPTaskItem* CXTPTaskGroup::FindItem(UINT id) const
{
    for (const auto& item : m_items)
        if (item->GetID() == id)
            return item.get();
    return nullptr;
}

void CXTPTaskGroup::RemoveItem(CXTPTaskItem* item)
{
    auto it = std::find_if(m_items.begin(), m_items.end(), [item](const auto& p) { return p.get() == item; });
    if (it == m_items.end())
        return;
    if (m_pPanel)
        m_pPanel->OnItemRemoved(item);
    m_items.erase(it);
    if (m_pPanel && m_pPanel->GetSafeHwnd())
        m_pPanel->RecalcLayout();
}

void CXTPTaskGroup::SetExpanded(BOOL expanded)
{
    m_bExpanded = expanded;
    if (m_pPanel && m_pPanel->GetSafeHwnd())
        m_pPanel->RecalcLayout();
}

BOOL CXTPTaskPanel::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    return CWnd::Create(cls, nullptr, style, rect, parent, id);
}

CXTPTaskGroup* CXTPTaskPanel::AddGroup(UINT id, int iconIndex)
{
    m_groups.push_back(std::make_unique<CXTPTaskGroup>(this, id));
    m_groups.back()->SetIconIndex(iconIndex);
    RecalcLayout();
    return m_groups.back().get();
}

CXTPTaskGroup* CXTPTaskPanel::GetAt(int index) const
{
    return index >= 0 && index < GetGroupCount() ? m_groups[static_cast<size_t>(index)].get() : nullptr;
}

CXTPTaskGroup* CXTPTaskPanel::FindGroup(UINT id) const
{
    for (const auto& group : m_groups)
        if (group->GetID() == id)
            return group.get();
    return nullptr;
}

void CXTPTaskPanel::OnItemRemoved(const CXTPTaskItem* item)
{
    if (m_pHot == item)
        m_pHot = nullptr;
}

void CXTPTaskPanel::SetImageList(CImageList* images, CSize size)
{
    m_pImages = images;
    m_iconSize = size;
    RecalcLayout();
}

void CXTPTaskPanel::SetTheme(int theme)
{
    m_nTheme = theme;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CXTPTaskPanel::RecalcLayout()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    int y = kMargin;
    int left = kMargin, right = std::max(left + 20, static_cast<int>(client.right) - kMargin);
    for (const auto& group : m_groups) {
        group->SetItemRect(CRect(left, y, right, y + kCaptionHeight));
        y += kCaptionHeight;
        if (group->IsExpanded())
            y += kItemPadding;
        for (int i = 0; i < group->GetItemCount(); ++i) {
            CXTPTaskItem* item = group->GetAt(i);
            HWND control = item->GetControlHandle();
            int height = kLinkHeight;
            if (item->GetType() == TaskItemControl && control) {
                CRect window;
                ::GetWindowRect(control, &window);
                height = std::min(static_cast<int>(window.Height()), 24);
                ::SetWindowPos(control, nullptr, left + kItemPadding, y, window.Width(), height,
                               SWP_NOZORDER | SWP_NOACTIVATE | (group->IsExpanded() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
            }
            item->SetItemRect(group->IsExpanded() ? CRect(left + kItemPadding, y, right - kItemPadding, y + height)
                                                  : CRect(0, 0, 0, 0));
            if (group->IsExpanded())
                y += height + 2;
        }
        y += (group->IsExpanded() ? kItemPadding : 0) + kMargin;
    }
    Invalidate(FALSE);
}

CXTPTaskItem* CXTPTaskPanel::HitTestItem(CPoint point) const
{
    for (const auto& group : m_groups) {
        if (group->GetCaptionRect().PtInRect(point))
            return group.get();
        for (int i = 0; i < group->GetItemCount(); ++i)
            if (group->GetAt(i)->GetItemRect().PtInRect(point))
                return group->GetAt(i);
    }
    return nullptr;
}

void CXTPTaskPanel::DrawItem(CDC* dc, CXTPTaskItem* item, COLORREF text) const
{
    CRect rect = item->GetItemRect();
    if (rect.IsRectEmpty() || item->GetType() == TaskItemControl)
        return;
    if (m_pImages && item->GetIconIndex() >= 0) {
        m_pImages->Draw(dc, item->GetIconIndex(), CPoint(rect.left, rect.top + (rect.Height() - m_iconSize.cy) / 2),
                        ILD_TRANSPARENT);
        rect.left += m_iconSize.cx + 4;
    }
    dc->SetTextColor(text);
    dc->DrawText(item->GetCaption(), &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item == m_pHot && item->GetType() == TaskItemLink) {
        CSize extent = dc->GetTextExtent(item->GetCaption());
        dc->FillSolidRect(rect.left, rect.top + rect.Height() / 2 + extent.cy / 2, extent.cx, 1, text);
    }
}

void CXTPTaskPanel::OnPaint()
{
    CPaintDC dc(this);
    const TaskPanelColors& colors = colorsOf(m_nTheme);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, colors.back);
    CFont* old = dc.SelectObject(XTPPaintManager()->GetFont());
    dc.SetBkMode(TRANSPARENT);
    for (const auto& group : m_groups) {
        CRect caption = group->GetCaptionRect();
        dc.FillSolidRect(&caption, colors.caption);
        CRect body(caption.left, caption.bottom, caption.right, caption.bottom);
        for (int i = 0; i < group->GetItemCount(); ++i)
            body.bottom = std::max(body.bottom, group->GetAt(i)->GetItemRect().bottom + kItemPadding);
        if (group->IsExpanded())
            dc.FillSolidRect(&body, colors.body);
        CRect title = caption;
        title.DeflateRect(kItemPadding, 0);
        dc.SetTextColor(colors.captionText);
        dc.DrawText(group->GetCaption(), &title, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        XTPPaintManager()->DrawDropArrow(&dc, CRect(caption.right - 20, caption.top, caption.right - 4, caption.bottom),
                                         TRUE, !group->IsExpanded());
        for (int i = 0; i < group->GetItemCount(); ++i)
            DrawItem(&dc, group->GetAt(i), group->GetAt(i)->GetType() == TaskItemLink ? colors.link : RGB(0, 0, 0));
    }
    dc.SelectObject(old);
}

void CXTPTaskPanel::OnSize(UINT, int, int) { RecalcLayout(); }

void CXTPTaskPanel::OnMouseMove(UINT, CPoint point)
{
    CXTPTaskItem* hot = HitTestItem(point);
    if (hot == m_pHot)
        return;
    m_pHot = hot;
    Invalidate(FALSE);
}

void CXTPTaskPanel::OnLButtonUp(UINT, CPoint point)
{
    CXTPTaskItem* item = HitTestItem(point);
    if (!item)
        return;
    if (item->GetType() == TaskItemGroup) {
        auto* group = static_cast<CXTPTaskGroup*>(item);
        group->SetExpanded(!group->IsExpanded());
        return;
    }
    if (item->GetType() != TaskItemLink)
        return;
    CWnd* owner = GetOwner();
    if (owner && owner->GetSafeHwnd())
        owner->SendMessage(WM_XTP_TASKPANELNOTIFY, TaskPanelItemClick, reinterpret_cast<LPARAM>(item));
}

BEGIN_MESSAGE_MAP(CXTPTaskPanel, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()
