#include "pages/browser/BrowserPage.h"

#include "host/HostContext.h"
#include "pages/SheetPages.h"
#include "resource.h"

BrowserPage::BrowserPage() : PropertyPage(IDD_BROWSER, 0)
{
}

BOOL BrowserPage::OnSetActive()
{
    hostContext.activePage = kPageBrowser;
    return PropertyPage::OnSetActive();
}
