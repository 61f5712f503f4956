// What the line router reads of the page it routes connectors on.
#include "View/HyperView.h"

#include "objects/HyperViewOb.h"

SIZE CHyperView::GetPageScrollExtent() const
{
    CHyperViewOb* page = GetPageObject();
    return page ? SIZE{page->GetScrollWidth(), page->GetScrollHeight()} : SIZE{0, 0};
}

RECT CHyperView::GetLogicalClientRect() const
{
    CRect client;
    if (m_hWnd)
        GetClientRect(&client);
    const_cast<CHyperView*>(this)->DeviceToLogicalRect(&client, nullptr);
    return client;
}
