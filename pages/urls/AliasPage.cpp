#include "pages/urls/AliasPage.h"

#include "host/HostContext.h"

AliasPage::AliasPage() : UrlListPage(kAliasPageParameters)
{
}

BOOL AliasPage::OnSetActive()
{
    hostContext.activePage = Index;
    return UrlListPage::OnSetActive();
}
