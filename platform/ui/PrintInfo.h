// CPrintInfo: the state of one print or preview job that the view's printing overridables
// share: page range, current page, drawing rectangle and the view's own data.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/String.h"

class CPrintInfo {
public:
    void SetMinPage(UINT page) { m_nMinPage = page; }
    void SetMaxPage(UINT page) { m_nMaxPage = page; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    UINT GetFromPage() const { return m_nFromPage ? m_nFromPage : m_nMinPage; }
    UINT GetToPage() const { return m_nToPage ? m_nToPage : m_nMaxPage; }
    void SetPageRange(UINT from, UINT to)
    {
        m_nFromPage = from;
        m_nToPage = to;
    }

    BOOL m_bPreview = FALSE;
    BOOL m_bDirect = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    LPVOID m_lpUserData = nullptr;
    CRect m_rectDraw{0, 0, 0, 0};
    CString m_strPageDesc;

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
    UINT m_nFromPage = 0;
    UINT m_nToPage = 0;
};
