#include "pages/urls/AliasPage.h"

#include "host/HostContext.h"
#include "pages/SheetPages.h"

AliasPage::AliasPage() : UrlListPage(kAliasPageParameters)
{
}

BOOL AliasPage::OnSetActive()
{
    hostContext.activePage = kPageAlias;
    return UrlListPage::OnSetActive();
}
