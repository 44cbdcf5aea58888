#include "pages/urls/AliasPage.h"

#include "host/HostContext.h"
#include "pages/SheetPages.h"
#include "resource.h"

AliasPage::AliasPage() : PropertyPage(IDD_ALIAS, 0)
{
}

BOOL AliasPage::OnSetActive()
{
    hostContext.activePage = kPageAlias;
    return PropertyPage::OnSetActive();
}
