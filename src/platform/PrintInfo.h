#pragma once
// What one print job knows: its page range, whether it is a preview and the page being printed.

#include "platform/WinTypes.h"

class CPrintInfo {
public:
    void SetMaxPage(UINT page) { m_maxPage = page; }
    UINT GetMinPage() const { return m_minPage; }
    UINT GetMaxPage() const { return m_maxPage; }

    BOOL m_bPreview = FALSE;
    UINT m_nCurPage = 1;

private:
    UINT m_minPage = 1;
    UINT m_maxPage = 1; // the framework prints single pages unless a view says more
};
