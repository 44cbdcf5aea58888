#include "pages/urls/ServicePage.h"

#include "host/HostContext.h"
#include "pages/SheetPages.h"
#include "resource.h"

ServicePage::ServicePage() : PropertyPage(IDD_SERVICE, 0)
{
}

BOOL ServicePage::OnSetActive()
{
    hostContext.activePage = kPageService;
    return PropertyPage::OnSetActive();
}
