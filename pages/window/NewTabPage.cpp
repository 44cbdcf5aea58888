#include "pages/window/NewTabPage.h"

#include "host/HostContext.h"
#include "pages/SheetPages.h"
#include "resource.h"

NewTabPage::NewTabPage() : PropertyPage(IDD_NEW_TAB, 0)
{
}

BOOL NewTabPage::OnSetActive()
{
    hostContext.activePage = kPageNewTab;
    return PropertyPage::OnSetActive();
}
