#include "pages/urls/ServicePage.h"

#include "host/HostContext.h"
#include "pages/SheetPages.h"

ServicePage::ServicePage() : UrlListPage(kServicePageParameters)
{
}

BOOL ServicePage::OnSetActive()
{
    hostContext.activePage = kPageService;
    return UrlListPage::OnSetActive();
}
