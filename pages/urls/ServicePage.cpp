#include "pages/urls/ServicePage.h"

#include "host/HostContext.h"

ServicePage::ServicePage() : UrlListPage(kServicePageParameters)
{
}

BOOL ServicePage::OnSetActive()
{
    hostContext.activePage = Index;
    return UrlListPage::OnSetActive();
}
